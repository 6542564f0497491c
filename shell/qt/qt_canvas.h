// The Canvas of the rules on a persistent QImage, with the shared fonts,
// pens, brushes and bitmaps created once at start-up.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
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

// Drawing goes through one painter kept open between calls (opening one per
// call costs more than the call); Flush ends it before the surface is shown.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QImage* image) : image_(image) {}
    ~QtCanvas() override { Flush(); }
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;
    void Flush();
    int Width() const override { return image_->width(); }
    int Height() const override { return image_->height(); }
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
    QPainter& Painter();
    QImage* image_;
    std::unique_ptr<QPainter> painter_;
    FontId fontOnPainter_ = FONT_COUNT;
    PenId pen_ = PEN_BLACK1;
    BrushId brush_ = BRUSH_WHITE;
    FontId font_ = FONT_20;
    Rgb textColour_{0, 0, 0};
    bool opaque_ = false;
    int x_ = 0, y_ = 0;
};
