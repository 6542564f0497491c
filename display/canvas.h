// A GDI-like drawing surface: the painters draw through it, the shell backs
// it with a persistent QImage per window, and tests back it with a software
// raster. Coordinates are window pixels; texts are code page 932.
#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The shared pens, brushes and fonts, by their names.
enum PenId : int32_t {
    PEN_BLACK1, PEN_BLACK2, PEN_WHITE2, PEN_YELLOW1, PEN_RED1, PEN_BLUE1,
    PEN_WHITE1, PEN_GREEN1, PEN_RED3, PEN_BLUE3, PEN_CYAN3, PEN_GREEN3,
    PEN_COUNT
};
enum BrushId : int32_t {
    BRUSH_YELLOW, BRUSH_WHITE, BRUSH_BLACK, BRUSH_RED, BRUSH_BLUE, BRUSH_GREEN,
    BRUSH_COUNT
};
enum FontId : int32_t { FONT_50, FONT_20, FONT_15, FONT_10, FONT_15B, FONT_COUNT };

struct PenSpec {
    int width;
    Rgb colour;
};
extern const PenSpec PEN_SPECS[PEN_COUNT];
extern const Rgb BRUSH_COLOURS[BRUSH_COUNT];
extern const int FONT_HEIGHTS[FONT_COUNT];

// The pictures read from the working directory at start-up.
enum BitmapId : int32_t {
    BMP_FIELD1, BMP_ICON1, BMP_ICON2, BMP_ICON3, BMP_ICON4, BMP_ICON5,
    BMP_MINISTAGE1, BMP_BUG1, BMP_BUG1MASK, BMP_ICON6, BMP_TRADECENTER,
    BMP_ICON7, BMP_ICON8, BMP_ICON9, BMP_UNIT,
    BMP_COUNT
};
struct BitmapSpec {
    const char* file;
    int width, height;
};
extern const BitmapSpec BITMAP_SPECS[BMP_COUNT];

enum RasterOp : int32_t { ROP_COPY, ROP_OR, ROP_AND };

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void SelectPen(PenId pen) = 0;
    virtual void SelectBrush(BrushId brush) = 0;
    virtual void SelectFont(FontId font) = 0;
    virtual void SetTextColour(Rgb colour) = 0;
    // Opaque text fills its cell with white before the glyphs are drawn.
    virtual void SetOpaqueText(bool opaque) = 0;

    // Rectangle from (left, top) to (right, bottom), the right and bottom
    // edges excluded: outlined with the pen and filled with the brush.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    // A line from the current position to (x, y), the end point excluded;
    // the end becomes the current position.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Text with its top-left corner at (x, y), in the selected font and colour.
    virtual void TextOut(int x, int y, const char* text) = 0;
    // A picture at its own size with its top-left corner at (x, y); a missing
    // picture draws nothing.
    virtual void DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op = ROP_COPY) = 0;

    // Line from (x1, y1) to (x2, y2) with the selected pen.
    void Line(int x1, int y1, int x2, int y2) {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
};

// A canvas seen through a window placed at (x, y) of a larger drawing: the
// caller draws in the larger drawing's coordinates (a dialog's client
// pixels) onto a surface that covers only part of it.
class OffsetCanvas : public Canvas {
public:
    OffsetCanvas(Canvas& target, int x, int y) : target_(target), x_(x), y_(y) {}
    int Width() const override { return target_.Width() + x_; }
    int Height() const override { return target_.Height() + y_; }
    void SelectPen(PenId pen) override { target_.SelectPen(pen); }
    void SelectBrush(BrushId brush) override { target_.SelectBrush(brush); }
    void SelectFont(FontId font) override { target_.SelectFont(font); }
    void SetTextColour(Rgb colour) override { target_.SetTextColour(colour); }
    void SetOpaqueText(bool opaque) override { target_.SetOpaqueText(opaque); }
    void Rectangle(int left, int top, int right, int bottom) override {
        target_.Rectangle(left - x_, top - y_, right - x_, bottom - y_);
    }
    void MoveTo(int x, int y) override { target_.MoveTo(x - x_, y - y_); }
    void LineTo(int x, int y) override { target_.LineTo(x - x_, y - y_); }
    void TextOut(int x, int y, const char* text) override { target_.TextOut(x - x_, y - y_, text); }
    void DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op = ROP_COPY) override {
        target_.DrawBitmap(bitmap, x - x_, y - y_, op);
    }

private:
    Canvas& target_;
    int x_, y_;
};
