// The Qt side of the port, offscreen at the ratio QT_SCALE_FACTOR gives (2 when unset): code page 932 text, and
// surfaces whose window pixel x covers device pixels round(x * ratio) to round((x + 1) * ratio) and holds what the
// software canvas puts there, texts at full resolution. A second screen of twice the density lets a window move.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <cmath>

#include "shell/qt/qt_canvas.h"
#include "shell/qt/qt_shell.h"
#include "shell/qt/sjis.h"
#include "shell/screen_flow.h"
#include "tests/test_support.h"
#include "tools/headless/raster_canvas.h"

namespace {

TEST(QtText, CodePage932RoundTripsAndReportsWhatItLacks) {
    const std::pair<const char*, bool> rows[] = {
        {"太郎の会社", true}, {"証券 太郎", true}, {"ﾊﾞｰｼﾞｮﾝ情報", true}, {"１億４０００万円", true}, {"①Ⅲ㈱", true},
        {"abc 123", true},    {"\xF0\x9F\x98\x80", false}, {"𠮷野家", false}, {"한국", false}, {"ṩ", false}};
    for (const auto& [s, convertible] : rows) {
        bool ok = !convertible;   // the conversion must set it either way
        const std::string bytes = ToSjis(QString::fromUtf8(s), &ok);
        EXPECT_EQ(ok, convertible) << s;
        EXPECT_TRUE(!ok || (bytes == Sjis(s) && FromSjis(bytes) == QString::fromUtf8(s))) << s;
    }
}

// The device edge of a logical edge; the logical pixel of a device pixel.
int Edge(int logical, double ratio) { return static_cast<int>(std::floor(logical * ratio + 0.5)); }
int LogicalOf(int d, double ratio) {
    int x = static_cast<int>(std::floor(d / ratio));
    while (Edge(x, ratio) > d) --x;
    while (Edge(x + 1, ratio) <= d) ++x;
    return x;
}
QRect DeviceRect(int l, int t, int r, int b, double q) {
    return QRect(Edge(l, q), Edge(t, q), Edge(r, q) - Edge(l, q), Edge(b, q) - Edge(t, q));
}
QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }
// Device pixels of image in rect (all when empty) for which `is(x, y, pixel)`.
int Count(const QImage& image, const std::function<bool(int, int, QRgb)>& is, QRect rect = {}) {
    int n = 0;
    rect = rect.isEmpty() ? image.rect() : rect;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) n += is(x, y, At(image, x, y));
    return n;
}
// Device pixels differing from what `logical` holds on their logical pixel.
int Mismatches(const QImage& image, double ratio, const std::function<QRgb(int, int)>& logical) {
    const auto want = [&](int x, int y) { return logical(LogicalOf(x, ratio), LogicalOf(y, ratio)) | 0xFF000000u; };
    return Count(image, [&](int x, int y, QRgb p) { return p != want(x, y); });
}
std::function<bool(int, int, QRgb)> Is(QRgb colour) { return [colour](int, int, QRgb p) { return p == colour; }; }
int Size(const QRect& r) { return r.width() * r.height(); }

constexpr int W = 215, H = 133;   // a panel-like window of odd size, so that fractional ratios round
const QRgb BLACK = qRgb(0, 0, 0), WHITE = qRgb(255, 255, 255), RED = qRgb(255, 0, 0), GREEN = qRgb(0, 255, 0);

class QtSurface : public ::testing::Test {
protected:
    void SetUp() override {
        QWidget probe;   // the screen must have the ratio, or nothing below is at it
        ASSERT_DOUBLE_EQ(probe.devicePixelRatioF(), ratio);
        sharedDrawing.Create();
    }
    const double ratio = qgetenv("QT_SCALE_FACTOR").toDouble();
};

// The panels' figures: wide pens, slanted and one-pixel lines, shapes partly outside, pieces of every small width side
// by side, a sprite as the fly game draws it (a mask ORed, the bug ANDed), pictures partly off the surface.
void Draw(Canvas& c) {
    c.SelectPen(PEN_BLACK1), c.SelectBrush(BRUSH_BLACK), c.Rectangle(-5, -5, 500, 500);
    c.SelectPen(PEN_WHITE2), c.SelectBrush(BRUSH_YELLOW), c.Rectangle(10, 10, 70, 45);
    c.SelectPen(PEN_RED3), c.Line(5, 60, 200, 100), c.SelectPen(PEN_CYAN3), c.Line(150, 5, 130, 120);
    c.SelectPen(PEN_YELLOW1);
    for (int k = 0; k < 40; ++k) c.LineTo(100 + k, 70 + (k * 7) % 23);
    c.SelectPen(PEN_GREEN1), c.Rectangle(190, 120, 260, 140), c.Line(10, 37, 90, 37), c.Line(120, 20, 120, 60);
    for (int x = 3, k = 0, width = 1; x + width <= W; x += width, width = width % 7 + 1, ++k) {
        c.SelectBrush(k % 2 ? BRUSH_RED : BRUSH_BLUE), c.SelectPen(k % 2 ? PEN_RED1 : PEN_BLUE1);
        c.Rectangle(x, 102, x + width, 110), c.Line(x, 114, x + width, 114);
    }
    c.SelectBrush(BRUSH_YELLOW), c.Rectangle(160, 10, 210, 50), c.DrawBitmap(BMP_ICON1, -7, 75, ROP_COPY);
    c.DrawBitmap(BMP_BUG1MASK, 171, 17, ROP_OR), c.DrawBitmap(BMP_BUG1, 171, 17, ROP_AND);
    c.DrawBitmap(BMP_ICON1, W - 10, H - 9, ROP_OR);
}

TEST_F(QtSurface, IsMadeAtTheScreenRatioAndDrawsAsTheSoftwareCanvasScaled) {
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    const QImage& s = w.surface();
    EXPECT_TRUE(s.size() == QSize(Edge(W, ratio), Edge(H, ratio)) && s.devicePixelRatio() == ratio);
    EXPECT_TRUE(w.canvas().Width() == W && w.canvas().Height() == H);
    EXPECT_EQ(Count(s, Is(BLACK)), Size(s.rect()));   // a panel is black until drawn
    // Pictures of distinct pixels, the same in both canvases.
    RasterCanvas raster(W, H);
    const BitmapId ids[] = {BMP_ICON1, BMP_BUG1, BMP_BUG1MASK};
    for (int k = 0; k < 3; ++k) {
        QImage image(23 + k, 17 + 2 * k, QImage::Format_RGB32);
        std::vector<Rgb> pixels;
        for (int x = 0, y = 0; y < image.height(); x = (x + 1) % image.width(), y += x == 0) {
            pixels.push_back({uint8_t(x * 37 + 5 + 11 * k), uint8_t(y * 53 + 3 * k), uint8_t((x ^ y) * 29 + 7 * k)});
            image.setPixel(x, y, qRgb(pixels.back().r, pixels.back().g, pixels.back().b));
        }
        sharedDrawing.bitmaps[ids[k]] = image, sharedDrawing.bitmapLoaded[ids[k]] = true;
        raster.SetBitmap(ids[k], image.width(), image.height(), pixels);
    }
    Draw(w.canvas()), w.canvas().Flush(), Draw(raster);
    const auto software = [&](int x, int y) { const Rgb p = raster.Pixel(x, y); return qRgb(p.r, p.g, p.b); };
    EXPECT_EQ(Mismatches(s, ratio, software), 0);
    // The sprite is the OR of the mask over yellow, then the AND of the bug.
    const QRgb yellow = qRgb(255, 255, 0), mask = sharedDrawing.bitmaps[BMP_BUG1MASK].pixel(4, 3);
    EXPECT_EQ(At(s, Edge(175, ratio), Edge(20, ratio)), (yellow | mask) & sharedDrawing.bitmaps[BMP_BUG1].pixel(4, 3));
}

// White text on black, then black text in an opaque cell over red, at this ratio and on a surface of ratio 1.
TEST_F(QtSurface, TextIsRenderedAtFullDeviceResolution) {
    QImage one(W, H, QImage::Format_RGB32);
    one.fill(Qt::black);
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    QtCanvas flat(&one);
    for (QtCanvas* c : {&flat, &w.canvas()}) {
        c->SelectPen(PEN_RED1), c->SelectBrush(BRUSH_RED), c->Rectangle(0, 60, W, H), c->SetTextColour({255, 255, 255});
        c->SelectFont(FONT_20), c->SetOpaqueText(false), c->TextOut(5, 5, Sjis("銀行の株").c_str());
        c->SelectFont(FONT_15), c->SetTextColour({0, 0, 0}), c->SetOpaqueText(true);
        c->TextOut(13, 77, Sjis("株価").c_str());
        c->Flush();
    }
    // Four full-width characters of height 20 from (5, 5), within their cells; the glyphs are not smoothed.
    const QImage& s = w.surface();
    const QRect top = DeviceRect(0, 0, W, 60, ratio), bottom = DeviceRect(0, 60, W, H, ratio);
    EXPECT_GT(Count(s, Is(WHITE), top), 100);
    EXPECT_EQ(Count(s, Is(WHITE), top), Count(s, Is(WHITE), DeviceRect(3, 3, 5 + 4 * 20 + 4, 5 + 20 + 4, ratio)));
    EXPECT_EQ(Count(s, Is(WHITE), top) + Count(s, Is(BLACK), top), Size(top));
    // The opaque text whitens exactly its cell.
    const int advance = QFontMetrics(sharedDrawing.fonts[FONT_15]).horizontalAdvance(QString::fromUtf8("株価"));
    const QRect cell = DeviceRect(13, 77, 13 + advance, 77 + FONT_HEIGHTS[FONT_15], ratio);
    const auto wrong = [&](int x, int y, QRgb p) { return cell.contains(x, y) ? p != BLACK && p != WHITE : p != RED; };
    EXPECT_EQ(Count(s, wrong, bottom), 0);
    EXPECT_GT(Count(s, Is(BLACK), cell), 40);
    // Above ratio 1 not the ratio-1 glyphs blown up: strokes end inside window pixels.
    const int differing = Mismatches(s, ratio, [&](int x, int y) { return one.pixel(x, y); });
    EXPECT_TRUE(ratio == 1.0 ? differing == 0 : differing > 40) << differing;
}

TEST_F(QtSurface, MainWindowShowsItsTitleScreen) {
    MainWindow window;
    StartGameWindow(window, 1);
    SurfaceWidget* view = window.view(WIN_MAIN);
    // The view's surface, made aside at start-up, is shown pixel for pixel; read before the title's timer can
    // run, as a fade step between the two would change the title.
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& s = view->surface();
    ASSERT_EQ(s.size(), QSize(Edge(MAIN_VIEW_WIDTH, ratio), Edge(MAIN_VIEW_HEIGHT, ratio)));
    ASSERT_TRUE(shown.size() == s.size() && shown.devicePixelRatio() == ratio && s.devicePixelRatio() == ratio);
    EXPECT_EQ(Count(s, [&](int x, int y, QRgb p) { return p != At(shown, x, y); }), 0);
    EXPECT_EQ(At(s, Edge(10, ratio), Edge(10, ratio)), WHITE);
    // The buttons at [150, 400) x [200 + 52k, 250 + 52k): a black top edge over white, a black label inside.
    for (int k = 0, top = 200; k < 3; ++k, top += 52) {
        const QRect edge = DeviceRect(150, top, 400, top + 1, ratio);
        const QRect in = DeviceRect(151, top + 1, 160, top + 10, ratio);
        EXPECT_TRUE(Count(s, Is(BLACK), edge) == Size(edge) && Count(s, Is(WHITE), in) == Size(in)) << k;
        EXPECT_GT(Count(s, Is(BLACK), DeviceRect(195, top + 15, 395, top + 40, ratio)), 60) << k;
    }
    // The paint asked for the panels' first frames, at the same ratio.
    QApplication::processEvents();
    SurfaceWidget* side = window.view(WIN_SIDE);
    EXPECT_TRUE(side->surface().devicePixelRatio() == ratio && side->canvas().Width() == side->width());
    port->KillTimer(WIN_MAIN);
    for (const PanelGeometry& p : PANELS) port->KillTimer(p.window);
}

TEST_F(QtSurface, FollowsItsWindowToAScreenOfAnotherDensity) {
    QScreen* screens[2] = {};
    for (QScreen* screen : QGuiApplication::screens()) screens[screen->name() == QStringLiteral("far")] = screen;
    ASSERT_TRUE(screens[0] && screens[1]) << "the offscreen platform lacks the two screens";
    SurfaceWidget w(WIN_CHART, W, H, nullptr);
    w.show(), w.windowHandle()->setScreen(screens[0]), QApplication::processEvents();
    QtCanvas& c = w.canvas();
    c.SelectPen(PEN_RED1), c.SelectBrush(BRUSH_RED), c.Rectangle(20, 30, 60, 50), c.Flush();
    w.windowHandle()->setScreen(screens[1]), QApplication::processEvents();
    const double high = 2 * ratio;
    ASSERT_DOUBLE_EQ(w.devicePixelRatioF(), high);
    // The paint after the move shows the old picture scaled (the edges may round either way).
    const QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& s = w.surface();
    EXPECT_TRUE(s.devicePixelRatio() == high && s.size() == QSize(Edge(W, high), Edge(H, high)));
    EXPECT_EQ(shown.size(), s.size());
    EXPECT_TRUE(c.Width() == W && c.Height() == H);   // still drawn in window pixels
    const QRect box = DeviceRect(20, 30, 60, 50, high);
    EXPECT_EQ(Count(s, Is(RED), box.adjusted(2, 2, -2, -2)), Size(box.adjusted(2, 2, -2, -2)));
    EXPECT_EQ(Count(s, Is(RED), box.adjusted(-3, -3, 3, 3)), Count(s, Is(RED)));
    EXPECT_EQ(At(shown, box.center().x(), box.center().y()), RED);
    // New drawing lands on the new grid.
    c.SelectPen(PEN_GREEN1), c.Line(10, 80, 90, 80), c.Flush();
    const QRect line = DeviceRect(10, 80, 90, 81, high);
    EXPECT_TRUE(Count(s, Is(GREEN), line) == Size(line) && Count(s, Is(GREEN)) == Size(line));
    w.hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_SCALE_FACTOR").isEmpty()) qputenv("QT_SCALE_FACTOR", "2");
    QTemporaryDir dir;   // two offscreen screens side by side, the second of twice the density
    QFile file(dir.filePath(QStringLiteral("screens.json")));
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly)) return 1;
    file.write(R"({"screens": [
        {"name": "near", "x": 0, "y": 0, "width": 8000, "height": 6000, "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "far", "x": 8000, "y": 0, "width": 8000, "height": 6000, "logicalDpi": 192, "logicalBaseDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file.fileName()).toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
