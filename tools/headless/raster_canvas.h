// A software drawing surface for the headless host and the tests: GDI-like
// rectangles and lines into an RGB pixel array, texts and pictures recorded
// as calls so that a test can find what was written where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/canvas.h"

class RasterCanvas : public Canvas {
public:
    // Every pixel starts white.
    RasterCanvas(int width, int height);

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    void SelectPen(PenId pen) override;
    void SelectBrush(BrushId brush) override;
    void SelectFont(FontId font) override;
    void SetTextColour(Rgb colour) override { textColour_ = colour; }
    void SetOpaqueText(bool opaque) override { opaque_ = opaque; }

    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    // Glyphs are not rasterized; an opaque text still whitens a cell of the
    // font's height and half that per byte, as a double-byte character is
    // square and a single-byte one half as wide.
    void TextOut(int x, int y, const char* text) override;
    void DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op = ROP_COPY) override;

    // The colour at (x, y); black outside the surface.
    Rgb Pixel(int x, int y) const;
    // Pixels in [left, right) x [top, bottom) of this colour.
    int CountPixels(int left, int top, int right, int bottom, Rgb colour) const;
    void SetPixel(int x, int y, Rgb colour);
    void Clear(Rgb colour);

    // Pictures for DrawBitmap: row-major, width * height pixels. Without one
    // a picture draws nothing, as a missing file would.
    void SetBitmap(BitmapId bitmap, int width, int height, std::vector<Rgb> pixels);

    struct TextCall {
        int x, y;
        FontId font;
        Rgb colour;
        bool opaque;
        std::string text;   // code page 932
    };
    struct BitmapCall {
        BitmapId bitmap;
        int x, y;
        RasterOp op;
    };
    std::vector<TextCall> texts;
    std::vector<BitmapCall> bitmapCalls;

    // The last text written at (x, y), or null.
    const TextCall* TextAt(int x, int y) const;
    // The last call that wrote exactly this text, or null.
    const TextCall* FindText(const std::string& text) const;
    void ClearRecords();

    PenId pen() const { return pen_; }
    BrushId brush() const { return brush_; }
    FontId font() const { return font_; }

private:
    struct Picture {
        int width = 0, height = 0;
        std::vector<Rgb> pixels;
    };
    void FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, Rgb colour);
    void Stamp(int64_t x, int64_t y, int width, Rgb colour);

    int width_, height_;
    std::vector<Rgb> pixels_;
    Picture pictures_[BMP_COUNT];
    PenId pen_ = PEN_BLACK1;
    BrushId brush_ = BRUSH_WHITE;
    FontId font_ = FONT_20;
    Rgb textColour_{0, 0, 0};
    bool opaque_ = false;
    int x_ = 0, y_ = 0;
};
