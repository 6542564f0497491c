// The Qt side of the port on the offscreen platform: text conversion to and
// from code page 932, and the Qt canvas drawing the same pixels as the
// software canvas the headless tests check.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "shell/qt/qt_canvas.h"
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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
