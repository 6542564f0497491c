// The Qt surfaces on a high-density screen: run with QT_SCALE_FACTOR set to
// the ratio under test (2 when unset). The painters draw in window pixels;
// each window pixel is the square of device pixels between the rounded
// edges round(x * ratio) and round((x + 1) * ratio), and the pictures must
// land on exactly those squares, with texts rendered at full resolution.
// Two offscreen screens, the second of twice the density, let a window move
// from one density to another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/qt/qt_canvas.h"
#include "shell/qt/qt_shell.h"
#include "shell/screen_flow.h"
#include "tests/test_support.h"
#include "tools/headless/raster_canvas.h"

namespace {

double ExpectedRatio() {
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return factor.isEmpty() ? 0.0 : factor.toDouble();
}

// The device pixel edge of a logical edge at this ratio.
int Edge(int logical, double ratio) { return static_cast<int>(std::floor(logical * ratio + 0.5)); }

// The logical pixel that device pixel d belongs to.
int LogicalOf(int d, double ratio) {
    int x = static_cast<int>(std::floor(d / ratio));
    while (Edge(x, ratio) > d) --x;
    while (Edge(x + 1, ratio) <= d) ++x;
    return x;
}

QRgb Opaque(Rgb c) { return qRgb(c.r, c.g, c.b); }

// The device rectangle of the logical rectangle [l, r) x [t, b).
QRect DeviceRect(int l, int t, int r, int b, double ratio) {
    return QRect(QPoint(Edge(l, ratio), Edge(t, ratio)), QPoint(Edge(r, ratio) - 1, Edge(b, ratio) - 1));
}

// Device pixels of image that differ from what the logical picture
// `expected(x, y)` puts on their logical pixel.
template <class F>
int Mismatches(const QImage& image, double ratio, F expected) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) != (expected(LogicalOf(x, ratio), LogicalOf(y, ratio)) | 0xFF000000u))
                ++n;
    return n;
}

// A panel-like window of odd size, so that fractional ratios round.
constexpr int W = 215, H = 133;

class HiDpi : public ::testing::Test {
protected:
    void SetUp() override {
        ratio = ExpectedRatio();
        // A ratio of 1 would test nothing of the high-density drawing.
        ASSERT_GT(ratio, 1.0) << "QT_SCALE_FACTOR must give the ratio under test";
        // And the screen must have it, or nothing below is at that ratio.
        QWidget probe;
        ASSERT_DOUBLE_EQ(probe.devicePixelRatioF(), ratio);
        sharedDrawing.Create();
    }
    double ratio = 0.0;
};

TEST_F(HiDpi, SurfaceIsMadeAtTheScreenRatioAndDrawnInLogicalPixels) {
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    ASSERT_DOUBLE_EQ(w.devicePixelRatioF(), ratio);
    const QImage& s = w.surface();
    EXPECT_EQ(s.width(), Edge(W, ratio));
    EXPECT_EQ(s.height(), Edge(H, ratio));
    EXPECT_DOUBLE_EQ(s.devicePixelRatio(), ratio);
    EXPECT_EQ(w.canvas().Width(), W);
    EXPECT_EQ(w.canvas().Height(), H);
    // A panel is black until drawn.
    EXPECT_EQ(s.pixel(s.width() - 1, s.height() - 1) | 0xFF000000u, qRgb(0, 0, 0));

    // One made on another thread takes the ratio known when it was asked.
    SurfaceWidget aside(WIN_MAIN, W, H, nullptr);
    aside.MakeSurfaceAside();
    const QImage& a = aside.surface();
    EXPECT_EQ(a.size(), s.size());
    EXPECT_DOUBLE_EQ(a.devicePixelRatio(), ratio);
    EXPECT_EQ(aside.canvas().Width(), W);
    EXPECT_EQ(a.pixel(0, 0) | 0xFF000000u, qRgb(255, 255, 255));
}

TEST_F(HiDpi, OnePixelLineCoversItsBandOfDeviceRowsOnly) {
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    QtCanvas& c = w.canvas();
    c.SelectPen(PEN_GREEN1);
    c.Line(10, 37, 90, 37);
    c.Line(120, 20, 120, 60);
    c.Flush();
    const QImage& s = w.surface();
    const QRect horizontal = DeviceRect(10, 37, 90, 38, ratio);
    const QRect vertical = DeviceRect(120, 20, 121, 60, ratio);
    if (ratio == 2.0) {
        EXPECT_EQ(horizontal, QRect(20, 74, 160, 2));
        EXPECT_EQ(vertical, QRect(240, 40, 2, 80));
    }
    int wrong = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const bool on = horizontal.contains(x, y) || vertical.contains(x, y);
            if ((s.pixel(x, y) | 0xFF000000u) != (on ? qRgb(0, 255, 0) : qRgb(0, 0, 0))) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(HiDpi, RectangleFillsExactlyItsScaledArea) {
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    QtCanvas& c = w.canvas();
    c.SelectPen(PEN_BLUE1);
    c.SelectBrush(BRUSH_RED);
    c.Rectangle(21, 30, 61, 51);
    c.Flush();
    const QImage& s = w.surface();
    const QRect box = DeviceRect(21, 30, 61, 51, ratio);
    const QRect inside = DeviceRect(22, 31, 60, 50, ratio);
    int wrong = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const QRgb want = inside.contains(x, y) ? qRgb(255, 0, 0) : box.contains(x, y) ? qRgb(0, 0, 255) : qRgb(0, 0, 0);
            if ((s.pixel(x, y) | 0xFF000000u) != want) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
    if (ratio == 2.0) {
        EXPECT_EQ(box, QRect(42, 60, 80, 42));
    }
}

// Rectangles side by side, of every small width, leave no device pixel
// uncovered and none covered twice, at any ratio.
TEST_F(HiDpi, NeighbouringShapesMeetWithoutGaps) {
    SurfaceWidget w(WIN_MAIN, W, H, nullptr);
    QtCanvas& c = w.canvas();
    int x = 3, k = 0;
    for (int width = 1; x + width <= W; width = width % 7 + 1, ++k) {
        c.SelectBrush(k % 2 ? BRUSH_RED : BRUSH_BLUE);
        c.SelectPen(k % 2 ? PEN_RED1 : PEN_BLUE1);
        c.Rectangle(x, 10, x + width, 20);
        // A line made of pieces end to end.
        c.Line(x, 30, x + width, 30);
        x += width;
    }
    c.Flush();
    const QImage& s = w.surface();
    const QRgb white = qRgb(255, 255, 255);
    for (int d = Edge(3, ratio); d < Edge(x, ratio); ++d) {
        for (int y = Edge(10, ratio); y < Edge(20, ratio); ++y) ASSERT_NE(s.pixel(d, y) | 0xFF000000u, white) << d << "," << y;
        for (int y = Edge(30, ratio); y < Edge(31, ratio); ++y) ASSERT_NE(s.pixel(d, y) | 0xFF000000u, white) << d << "," << y;
        ASSERT_EQ(s.pixel(d, Edge(30, ratio) - 1) | 0xFF000000u, white) << d;
        ASSERT_EQ(s.pixel(d, Edge(31, ratio)) | 0xFF000000u, white) << d;
    }
    // The right edge of the last piece is the end of the line.
    ASSERT_EQ(s.pixel(Edge(x, ratio), Edge(30, ratio)) | 0xFF000000u, white);
}

// The figures of the panels, wide pens and slanted lines among them.
template <class C>
void DrawFigures(C& c) {
    c.SelectPen(PEN_BLACK1);
    c.SelectBrush(BRUSH_BLACK);
    c.Rectangle(-5, -5, 500, 500);
    c.SelectPen(PEN_WHITE2);
    c.SelectBrush(BRUSH_YELLOW);
    c.Rectangle(10, 10, 70, 45);
    c.SelectPen(PEN_RED3);
    c.Line(5, 60, 200, 100);
    c.SelectPen(PEN_CYAN3);
    c.Line(150, 5, 130, 120);
    c.SelectPen(PEN_YELLOW1);
    for (int k = 0; k < 40; ++k) c.LineTo(100 + k, 70 + (k * 7) % 23);
    c.SelectPen(PEN_GREEN1);
    c.Rectangle(190, 120, 260, 140);   // partly outside
}

TEST_F(HiDpi, FiguresAreTheSoftwareCanvasFiguresScaled) {
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    RasterCanvas raster(W, H);
    DrawFigures(w.canvas());
    w.canvas().Flush();
    DrawFigures(raster);
    EXPECT_EQ(Mismatches(w.surface(), ratio, [&](int x, int y) { return Opaque(raster.Pixel(x, y)); }), 0);
}

// A picture of distinct pixels, and a sprite and its mask as the fly game
// draws them.
QImage Pattern(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + seed) & 255, (y * 53 + seed * 3) & 255, ((x ^ y) * 29 + seed) & 255));
    return image;
}

void InstallPictures() {
    const BitmapId ids[] = {BMP_ICON1, BMP_BUG1, BMP_BUG1MASK};
    for (int k = 0; k < 3; ++k) {
        sharedDrawing.bitmaps[ids[k]] = Pattern(23 + k, 17 + 2 * k, 11 * k + 5);
        sharedDrawing.bitmapLoaded[ids[k]] = true;
    }
}

template <class C>
void DrawPictures(C& c) {
    c.SelectPen(PEN_GREEN1);
    c.SelectBrush(BRUSH_BLUE);
    c.Rectangle(0, 0, 120, 80);
    c.SelectBrush(BRUSH_YELLOW);
    c.Rectangle(30, 20, 90, 60);
    c.DrawBitmap(BMP_ICON1, -7, 50, ROP_COPY);       // partly off the surface
    c.DrawBitmap(BMP_BUG1MASK, 41, 27, ROP_OR);
    c.DrawBitmap(BMP_BUG1, 41, 27, ROP_AND);
    c.DrawBitmap(BMP_ICON1, W - 10, H - 9, ROP_OR);  // partly off the surface
}

TEST_F(HiDpi, BitmapsCombinePerDevicePixelAsAtRatioOneScaled) {
    InstallPictures();
    QImage one(W, H, QImage::Format_RGB32);
    one.fill(Qt::black);
    {
        QtCanvas c(&one);
        DrawPictures(c);
    }
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    DrawPictures(w.canvas());
    w.canvas().Flush();
    const QImage& s = w.surface();
    ASSERT_DOUBLE_EQ(s.devicePixelRatio(), ratio);
    EXPECT_EQ(Mismatches(s, ratio, [&](int x, int y) { return one.pixel(x, y); }), 0);
    // The combination did happen: the sprite is neither the mask nor the
    // background alone.
    const QRgb sprite = s.pixel(Edge(45, ratio), Edge(30, ratio)) | 0xFF000000u;
    const QRgb mask = sharedDrawing.bitmaps[BMP_BUG1MASK].pixel(4, 3), bug = sharedDrawing.bitmaps[BMP_BUG1].pixel(4, 3);
    EXPECT_EQ(sprite, ((qRgb(255, 255, 0) | mask) & bug) | 0xFF000000u);
}

// The pixels of text drawn at (5, 5) on black, white in the 20-pixel font.
void DrawName(QtCanvas& c) {
    c.SelectFont(FONT_20);
    c.SetTextColour({255, 255, 255});
    c.SetOpaqueText(false);
    c.TextOut(5, 5, Sjis("銀行の株").c_str());
    c.Flush();
}

TEST_F(HiDpi, TextIsRenderedAtFullDeviceResolution) {
    QImage one(W, H, QImage::Format_RGB32);
    one.fill(Qt::black);
    {
        QtCanvas c(&one);
        DrawName(c);
    }
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    DrawName(w.canvas());
    const QImage& s = w.surface();

    int lit = 0;
    QRect extent;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (qRed(s.pixel(x, y)) > 128) {
                ++lit;
                extent |= QRect(x, y, 1, 1);
            }
        }
    }
    // Four full-width characters of height 20 from (5, 5).
    ASSERT_GT(lit, 100);
    EXPECT_GE(extent.left(), Edge(5, ratio) - 2);
    EXPECT_GE(extent.top(), Edge(5, ratio) - 2);
    EXPECT_LE(extent.right(), Edge(5 + 4 * 20 + 4, ratio));
    EXPECT_LE(extent.bottom(), Edge(5 + 20 + 4, ratio));

    // Not the ratio-1 glyphs blown up: the squares of device pixels of many
    // logical pixels are split by a stroke's edge, and the picture differs
    // from the scaled ratio-1 one.
    int split = 0;
    for (int ly = 0; ly < 40; ++ly) {
        for (int lx = 0; lx < 100; ++lx) {
            const QRect square = DeviceRect(lx, ly, lx + 1, ly + 1, ratio);
            bool any = false, all = true;
            for (int y = square.top(); y <= square.bottom(); ++y) {
                for (int x = square.left(); x <= square.right(); ++x) {
                    const bool on = qRed(s.pixel(x, y)) > 128;
                    any = any || on;
                    all = all && on;
                }
            }
            split += any && !all;
        }
    }
    EXPECT_GT(split, 20);
    EXPECT_GT(Mismatches(s, ratio, [&](int x, int y) { return one.pixel(x, y); }), 40);
}

TEST_F(HiDpi, OpaqueTextWhitensExactlyItsScaledCell) {
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    QtCanvas& c = w.canvas();
    c.SelectPen(PEN_RED1);
    c.SelectBrush(BRUSH_RED);
    c.Rectangle(0, 0, W, H);
    c.SelectFont(FONT_15);
    c.SetTextColour({0, 0, 0});
    c.SetOpaqueText(true);
    const std::string text = Sjis("株価");
    c.TextOut(13, 17, text.c_str());
    c.Flush();
    const int advance = QFontMetrics(sharedDrawing.fonts[FONT_15]).horizontalAdvance(QString::fromUtf8("株価"));
    const QRect cell = DeviceRect(13, 17, 13 + advance, 17 + FONT_HEIGHTS[FONT_15], ratio);
    const QImage& s = w.surface();
    int wrong = 0, black = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const QRgb p = s.pixel(x, y) | 0xFF000000u;
            if (cell.contains(x, y)) {
                black += p == qRgb(0, 0, 0);
                wrong += p != qRgb(0, 0, 0) && p != qRgb(255, 255, 255);
            } else {
                wrong += p != qRgb(255, 0, 0);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(black, 40);
}

TEST_F(HiDpi, MainWindowShowsItsTitleScreen) {
    MainWindow main;
    MainWindow* window = &main;
    StartGameWindow(main, 1);
    SurfaceWidget* view = window->view(WIN_MAIN);
    ASSERT_NE(view, nullptr);
    ASSERT_DOUBLE_EQ(view->devicePixelRatioF(), ratio);
    // The paint that copies the title to the screen; it then asks for the
    // panels' first frames.
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QApplication::processEvents();
    const QImage& s = view->surface();
    ASSERT_EQ(s.size(), QSize(Edge(MAIN_VIEW_WIDTH, ratio), Edge(MAIN_VIEW_HEIGHT, ratio)));
    EXPECT_DOUBLE_EQ(s.devicePixelRatio(), ratio);
    // The window shows the surface pixel for pixel.
    ASSERT_EQ(shown.size(), s.size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32).devicePixelRatio(), ratio);
    int differing = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) differing += (shown.pixel(x, y) | 0xFF000000u) != (s.pixel(x, y) | 0xFF000000u);
    EXPECT_EQ(differing, 0);

    // The three buttons of the title: a one-pixel black outline around white
    // at [150, 400) x [200 + 52k, 250 + 52k), with a black label inside.
    for (int k = 0; k < 3; ++k) {
        const int top = 200 + 52 * k;
        for (int x = Edge(150, ratio); x < Edge(400, ratio); ++x) {
            ASSERT_EQ(s.pixel(x, Edge(top, ratio)) | 0xFF000000u, qRgb(0, 0, 0)) << k << "," << x;
            ASSERT_EQ(s.pixel(x, Edge(top + 1, ratio) - 1) | 0xFF000000u, qRgb(0, 0, 0)) << k << "," << x;
        }
        EXPECT_EQ(s.pixel(Edge(151, ratio), Edge(top + 1, ratio)) | 0xFF000000u, qRgb(255, 255, 255)) << k;
        EXPECT_EQ(s.pixel(Edge(160, ratio), Edge(top + 5, ratio)) | 0xFF000000u, qRgb(255, 255, 255)) << k;
        int label = 0;
        const QRect cell = DeviceRect(195, top + 15, 395, top + 40, ratio);
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) label += (s.pixel(x, y) | 0xFF000000u) == qRgb(0, 0, 0);
        EXPECT_GT(label, 60) << k;
    }

    // The panels drew their first frames at the same ratio.
    SurfaceWidget* side = window->view(WIN_SIDE);
    ASSERT_NE(side, nullptr);
    EXPECT_DOUBLE_EQ(side->surface().devicePixelRatio(), ratio);
    EXPECT_EQ(side->canvas().Width(), side->width());

    port->KillTimer(WIN_MAIN);
    for (const PanelGeometry& p : PANELS) port->KillTimer(p.window);
}

// A window taken to a screen of twice the density gets a surface of the new
// density holding the old picture, and draws at the new density.
TEST_F(HiDpi, SurfaceFollowsItsWindowToAScreenOfAnotherDensity) {
    QScreen* nearScreen = nullptr;
    QScreen* farScreen = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == QStringLiteral("near")) nearScreen = screen;
        if (screen->name() == QStringLiteral("far")) farScreen = screen;
    }
    ASSERT_TRUE(nearScreen && farScreen) << "the offscreen platform lacks the two screens";
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    w.show();
    w.windowHandle()->setScreen(nearScreen);
    QApplication::processEvents();
    ASSERT_DOUBLE_EQ(w.devicePixelRatioF(), ratio);
    QtCanvas& c = w.canvas();
    c.SelectPen(PEN_RED1);
    c.SelectBrush(BRUSH_RED);
    c.Rectangle(20, 30, 60, 50);
    c.Flush();
    ASSERT_DOUBLE_EQ(w.surface().devicePixelRatio(), ratio);

    w.windowHandle()->setScreen(farScreen);
    QApplication::processEvents();
    const double high = 2 * ratio;
    ASSERT_DOUBLE_EQ(w.devicePixelRatioF(), high);
    // The paint after the move shows the old picture on the new surface.
    const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& s = w.surface();
    EXPECT_DOUBLE_EQ(s.devicePixelRatio(), high);
    EXPECT_EQ(s.size(), QSize(Edge(W, high), Edge(H, high)));
    EXPECT_EQ(shown.size(), s.size());
    EXPECT_EQ(c.Width(), W);
    EXPECT_EQ(c.Height(), H);
    const QRect box = DeviceRect(20, 30, 60, 50, high);
    // The scaled old picture: red inside, black outside, away from the
    // edges where the scaling may round either way.
    EXPECT_EQ(s.pixel(box.center()) | 0xFF000000u, qRgb(255, 0, 0));
    EXPECT_EQ(s.pixel(box.left() + 2, box.top() + 2) | 0xFF000000u, qRgb(255, 0, 0));
    EXPECT_EQ(s.pixel(box.left() - 3, box.top() - 3) | 0xFF000000u, qRgb(0, 0, 0));
    EXPECT_EQ(s.pixel(box.right() + 3, box.center().y()) | 0xFF000000u, qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(box.center()) | 0xFF000000u, qRgb(255, 0, 0));

    // New drawing lands on the new grid.
    c.SelectPen(PEN_GREEN1);
    c.Line(10, 80, 90, 80);
    c.Flush();
    const QRect line = DeviceRect(10, 80, 90, 81, high);
    for (int x = line.left(); x <= line.right(); ++x) {
        ASSERT_EQ(s.pixel(x, line.top() - 1) | 0xFF000000u, qRgb(0, 0, 0)) << x;
        for (int y = line.top(); y <= line.bottom(); ++y) ASSERT_EQ(s.pixel(x, y) | 0xFF000000u, qRgb(0, 255, 0)) << x;
        ASSERT_EQ(s.pixel(x, line.bottom() + 1) | 0xFF000000u, qRgb(0, 0, 0)) << x;
    }
    w.hide();
}

}  // namespace

int main(int argc, char** argv) {
    // The ratio under test comes from QT_SCALE_FACTOR; run by hand, 2.
    if (qgetenv("QT_SCALE_FACTOR").isEmpty()) qputenv("QT_SCALE_FACTOR", "2");
    // Two offscreen screens side by side, the second of twice the density.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    {
        QFile file(config);
        if (!dir.isValid() || !file.open(QIODevice::WriteOnly)) return 1;
        file.write(R"({"screens": [
            {"name": "near", "x": 0, "y": 0, "width": 8000, "height": 6000, "logicalDpi": 96, "logicalBaseDpi": 96},
            {"name": "far", "x": 8000, "y": 0, "width": 8000, "height": 6000, "logicalDpi": 192, "logicalBaseDpi": 96}
        ]})");
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
