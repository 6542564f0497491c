// The Qt side of the port on the offscreen platform: text conversion to and
// from code page 932, and the Qt canvas drawing the same pixels as the
// software canvas the headless tests check.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <vector>

#include "shell/qt/qt_canvas.h"
#include "shell/qt/qt_shell.h"
#include "shell/qt/sjis.h"
#include "tests/test_support.h"
#include "tools/headless/raster_canvas.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(QtText, JapaneseRoundTripsThroughCodePage932) {
    for (const char* s : {"太郎の会社", "証券 太郎", "ﾊﾞｰｼﾞｮﾝ情報", "１億４０００万円", "①Ⅲ㈱", "abc 123"}) {
        bool ok = false;
        const std::string bytes = ToSjis(U(s), &ok);
        EXPECT_TRUE(ok) << s;
        EXPECT_EQ(bytes, Sjis(s)) << s;
        EXPECT_EQ(FromSjis(bytes), U(s)) << s;
    }
}

TEST(QtText, CharactersOutsideCodePage932AreReported) {
    for (const char* s : {"\xF0\x9F\x98\x80", "𠮷野家", "한국", "ṩ"}) {
        bool ok = true;
        ToSjis(U(s), &ok);
        EXPECT_FALSE(ok) << s;
    }
}

// Draws the same figures into both canvases.
template <class C>
void DrawSample(C& c) {
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(-5, -5, 500, 500);
    c.SelectPen(PEN_RED1);
    c.SelectBrush(BRUSH_RED);
    c.Rectangle(160, 22, 200, 32);
    c.SelectPen(PEN_BLUE1);
    c.SelectBrush(BRUSH_BLUE);
    c.Rectangle(160, 34, 200, 44);
    c.SelectPen(PEN_GREEN1);
    c.MoveTo(10, 60);
    c.LineTo(90, 60);
    c.MoveTo(5, 70);
    c.LineTo(5, 90);
}

TEST(QtCanvas, RectanglesAndLinesMatchTheSoftwareCanvas) {
    QImage image(220, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas qt(&image);
    RasterCanvas raster(220, 100);
    DrawSample(qt);
    qt.Flush();
    DrawSample(raster);
    int differing = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 220; ++x) {
            const QRgb q = image.pixel(x, y);
            const Rgb r = raster.Pixel(x, y);
            if (qRed(q) != r.r || qGreen(q) != r.g || qBlue(q) != r.b) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
    // The red box of a rising price covers [160, 200) x [22, 32).
    EXPECT_EQ(QColor(image.pixel(160, 22)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(199, 31)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(200, 31)), QColor(0, 0, 0));
    // A line leaves out its end point.
    EXPECT_EQ(QColor(image.pixel(89, 60)), QColor(0, 255, 0));
    EXPECT_EQ(QColor(image.pixel(90, 60)), QColor(0, 0, 0));
}

TEST(QtCanvas, TextIsDrawnInTheJapaneseFont) {
    sharedDrawing.Create();
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    QtCanvas c(&image);
    c.SelectFont(FONT_20);
    c.SetTextColour({255, 255, 255});
    c.TextOut(5, 5, Sjis("銀行").c_str());
    c.Flush();
    int lit = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) lit += qRed(image.pixel(x, y)) > 128;
    // Two full-width characters of height 20: plenty of strokes, all within
    // about two 20-pixel cells from (5, 5).
    EXPECT_GT(lit, 60);
    for (int y = 0; y < 40; ++y)
        for (int x = 50; x < 200; ++x) ASSERT_LT(qRed(image.pixel(x, y)), 128) << x << "," << y;
}

// Pictures copied and combined with OR and AND, partly off the surface, as
// the software canvas combines them.
TEST(QtCanvas, BitmapsCombineAsInTheSoftwareCanvas) {
    const BitmapId ids[] = {BMP_ICON1, BMP_BUG1, BMP_BUG1MASK};
    RasterCanvas raster(120, 80);
    for (int k = 0; k < 3; ++k) {
        const int w = 21 + k, h = 15 + 2 * k;
        QImage image(w, h, QImage::Format_RGB32);
        std::vector<Rgb> pixels;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const Rgb c{static_cast<uint8_t>(x * 37 + 9 * k), static_cast<uint8_t>(y * 53 + k),
                            static_cast<uint8_t>((x ^ y) * 29 + 5 * k)};
                image.setPixel(x, y, qRgb(c.r, c.g, c.b));
                pixels.push_back(c);
            }
        }
        sharedDrawing.bitmaps[ids[k]] = image;
        sharedDrawing.bitmapLoaded[ids[k]] = true;
        raster.SetBitmap(ids[k], w, h, pixels);
    }
    const auto draw = [](Canvas& c) {
        c.SelectPen(PEN_GREEN1);
        c.SelectBrush(BRUSH_BLUE);
        c.Rectangle(0, 0, 120, 80);
        c.SelectBrush(BRUSH_YELLOW);
        c.Rectangle(30, 20, 90, 60);
        c.DrawBitmap(BMP_ICON1, -7, 50, ROP_COPY);
        c.DrawBitmap(BMP_BUG1MASK, 41, 27, ROP_OR);
        c.DrawBitmap(BMP_BUG1, 41, 27, ROP_AND);
        c.DrawBitmap(BMP_ICON1, 110, 70, ROP_OR);
    };
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas qt(&image);
    draw(qt);
    qt.Flush();
    draw(raster);
    int differing = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            const QRgb q = image.pixel(x, y);
            const Rgb r = raster.Pixel(x, y);
            if (qRed(q) != r.r || qGreen(q) != r.g || qBlue(q) != r.b) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
    // The sprite is the OR of the mask over yellow, then the AND of the bug.
    const QRgb mask = sharedDrawing.bitmaps[BMP_BUG1MASK].pixel(3, 2), bug = sharedDrawing.bitmaps[BMP_BUG1].pixel(3, 2);
    EXPECT_EQ(image.pixel(44, 29), (qRgb(255, 255, 0) | mask) & bug);
    sharedDrawing.Create();   // forgets the pictures
}

// On a screen of ratio 1 a window's surface has the window's own size.
TEST(QtCanvas, SurfaceAtRatioOneHasTheWindowSize) {
    SurfaceWidget w(WIN_CHART, 215, 133, nullptr);
    ASSERT_DOUBLE_EQ(w.devicePixelRatioF(), 1.0);
    EXPECT_EQ(w.surface().size(), QSize(215, 133));
    EXPECT_DOUBLE_EQ(w.surface().devicePixelRatio(), 1.0);
    EXPECT_EQ(w.canvas().Width(), 215);
    EXPECT_EQ(w.canvas().Height(), 133);
    w.canvas().SelectPen(PEN_GREEN1);
    w.canvas().Line(10, 37, 90, 37);
    w.canvas().Flush();
    EXPECT_EQ(w.surface().pixel(10, 37), qRgb(0, 255, 0));
    EXPECT_EQ(w.surface().pixel(89, 37), qRgb(0, 255, 0));
    EXPECT_EQ(w.surface().pixel(10, 38), qRgb(0, 0, 0));
    EXPECT_EQ(w.surface().pixel(90, 37), qRgb(0, 0, 0));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");   // these run at ratio 1; the high-density ones elsewhere
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
