// The Canvas of the rules on a persistent QImage, with the shared fonts,
// pens, brushes and bitmaps created once at start-up.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <memory>

#include "display/canvas.h"

struct SharedDrawing {
    QFont fonts[FONT_COUNT];
    int ascents[FONT_COUNT] = {};
    QImage bitmaps[BMP_COUNT];
    bool bitmapLoaded[BMP_COUNT] = {};
    // A picture, read from the working directory the first time it is drawn.
    const QImage& Bitmap(BitmapId b);
    // Creates the fonts (a Japanese Gothic face found through fontconfig) and
    // loads the bitmaps from the working directory; a missing file only
    // loses its picture.
    void Create();
};
extern SharedDrawing sharedDrawing;

// Surfaces hold device pixels: a window on a screen of device pixel ratio r
// has a surface r times its size in each direction, and the painters still
// draw in the window's own (logical) pixels. A logical edge v lies on the
// device pixel edge round(v * r), so that shapes side by side meet without
// a gap or an overlap at any ratio, and at ratio 1 nothing changes.

// The ratio a surface is made at on a screen of this ratio. Never below 1: a
// surface coarser than the window's pixels would lose one-pixel lines.
qreal SurfaceRatio(qreal screenRatio);
// A surface for width x height logical pixels at this ratio, all background.
QImage NewSurface(int width, int height, qreal ratio, const QColor& background);
// The picture of old on a new surface at another ratio, scaled without
// smoothing: what the window shows until its painters draw again.
QImage RescaledSurface(const QImage& old, int width, int height, qreal ratio, const QColor& background);

// Drawing goes through one painter kept open between calls (opening one per
// call costs more than the call); Flush ends it before the surface is shown.
// Lines and bitmaps are written straight into the pixels (32 bits each), as
// the software canvas writes them; rectangles and texts go through the painter.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QImage* image) : image_(image) {}
    ~QtCanvas() override { Flush(); }
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;
    void Flush();
    int Width() const override { return LogicalSize(image_->width()); }
    int Height() const override { return LogicalSize(image_->height()); }
    void SelectPen(PenId pen) override { pen_ = pen; }
    void SelectBrush(BrushId brush) override { brush_ = brush; }
    void SelectFont(FontId font) override { font_ = font; }
    void SetTextColour(Rgb colour) override { textColour_ = colour; }
    void SetOpaqueText(bool opaque) override { opaque_ = opaque; }
    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const char* text) override;
    void DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) override;

private:
    // Texts are laid out in logical pixels (the painter renders the glyphs
    // at full device resolution); fills are placed on whole device pixels.
    enum class Space { LOGICAL, DEVICE };
    QPainter& Painter(Space space);
    int LogicalSize(int devicePixels) const;
    // The device pixel edge of a logical edge.
    int64_t Device(int64_t logical) const;
    // Fills the logical rectangle [left, right) x [top, bottom).
    void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, const QColor& colour);
    // Combines a picture with the pixels beneath its top-left corner (x, y).
    template <bool COPY, class Op>
    void Combine(const QImage& picture, int x, int y, Op op);
    QImage* image_;
    std::unique_ptr<QPainter> painter_;
    Space space_ = Space::LOGICAL;
    FontId fontOnPainter_ = FONT_COUNT;
    PenId pen_ = PEN_BLACK1;
    BrushId brush_ = BRUSH_WHITE;
    FontId font_ = FONT_20;
    Rgb textColour_{0, 0, 0};
    bool opaque_ = false;
    int x_ = 0, y_ = 0;
};
