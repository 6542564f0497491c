#include "tools/headless/raster_canvas.h"

#include "display/line_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Beyond this distance from the origin a line is first cut to it, so that the
// stepping below stays exact in 64 bits; no window is that large.

uint8_t Combine(uint8_t dst, uint8_t src, RasterOp op) {
    switch (op) {
        case ROP_OR: return static_cast<uint8_t>(dst | src);
        case ROP_AND: return static_cast<uint8_t>(dst & src);
        case ROP_COPY: break;
    }
    return src;
}


}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), Rgb{255, 255, 255}) {}

void RasterCanvas::SelectPen(PenId pen) {
    if (pen >= 0 && pen < PEN_COUNT) pen_ = pen;
}

void RasterCanvas::SelectBrush(BrushId brush) {
    if (brush >= 0 && brush < BRUSH_COUNT) brush_ = brush;
}

void RasterCanvas::SelectFont(FontId font) {
    if (font >= 0 && font < FONT_COUNT) font_ = font;
}

Rgb RasterCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Rgb{0, 0, 0};
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void RasterCanvas::SetPixel(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

int RasterCanvas::CountPixels(int left, int top, int right, int bottom, Rgb colour) const {
    int n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x)
            if (Pixel(x, y) == colour) ++n;
    return n;
}

void RasterCanvas::Clear(Rgb colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

void RasterCanvas::FillRect(int64_t left, int64_t top, int64_t right, int64_t bottom, Rgb colour) {
    const int64_t l = std::max<int64_t>(left, 0), t = std::max<int64_t>(top, 0);
    const int64_t r = std::min<int64_t>(right, width_), b = std::min<int64_t>(bottom, height_);
    if (l >= r) return;
    for (int64_t y = t; y < b; ++y) {
        Rgb* row = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
        std::fill(row + l, row + r, colour);
    }
}

void RasterCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const int64_t l = left, t = top, r = right, b = bottom;
    FillRect(l, t, r, b, BRUSH_COLOURS[brush_]);
    // The outline lies inside the rectangle, one pen width thick.
    const PenSpec& pen = PEN_SPECS[pen_];
    const int64_t w = pen.width;
    FillRect(l, t, r, std::min(t + w, b), pen.colour);
    FillRect(l, std::max(t, b - w), r, b, pen.colour);
    FillRect(l, t, std::min(l + w, r), b, pen.colour);
    FillRect(std::max(l, r - w), t, r, b, pen.colour);
}

void RasterCanvas::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void RasterCanvas::Stamp(int64_t x, int64_t y, int width, Rgb colour) {
    if (width <= 1) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
        return;
    }
    // A wide pen is a square brush centred on the line.
    const int64_t from = width / 2;
    FillRect(x - from, y - from, x - from + width, y - from + width, colour);
}

void RasterCanvas::LineTo(int x, int y) {
    const int64_t x0 = x_, y0 = y_;
    x_ = x;
    y_ = y;
    const PenSpec& pen = PEN_SPECS[pen_];
    line_walk::Walk(x0, y0, x, y, pen.width, width_, height_,
                    [this, &pen](int64_t px, int64_t py) { Stamp(px, py, pen.width, pen.colour); });
}

void RasterCanvas::TextOut(int x, int y, const char* text) {
    TextCall call{x, y, font_, textColour_, opaque_, text ? std::string(text) : std::string()};
    if (opaque_) {
        const int64_t h = FONT_HEIGHTS[font_];
        const int64_t w = static_cast<int64_t>(call.text.size()) * h / 2;
        FillRect(x, y, static_cast<int64_t>(x) + w, static_cast<int64_t>(y) + h, Rgb{255, 255, 255});
    }
    texts.push_back(std::move(call));
}

void RasterCanvas::SetBitmap(BitmapId bitmap, int width, int height, std::vector<Rgb> pixels) {
    if (bitmap < 0 || bitmap >= BMP_COUNT || width < 0 || height < 0) return;
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height), Rgb{0, 0, 0});
    Picture& p = pictures_[bitmap];
    p.width = width;
    p.height = height;
    p.pixels = std::move(pixels);
}

void RasterCanvas::DrawBitmap(BitmapId bitmap, int x, int y, RasterOp op) {
    bitmapCalls.push_back(BitmapCall{bitmap, x, y, op});
    if (bitmap < 0 || bitmap >= BMP_COUNT) return;
    const Picture& p = pictures_[bitmap];
    for (int row = 0; row < p.height; ++row) {
        const int64_t ty = static_cast<int64_t>(y) + row;
        if (ty < 0 || ty >= height_) continue;
        for (int col = 0; col < p.width; ++col) {
            const int64_t tx = static_cast<int64_t>(x) + col;
            if (tx < 0 || tx >= width_) continue;
            const Rgb& s = p.pixels[static_cast<size_t>(row) * static_cast<size_t>(p.width) + static_cast<size_t>(col)];
            Rgb& d = pixels_[static_cast<size_t>(ty) * static_cast<size_t>(width_) + static_cast<size_t>(tx)];
            d = Rgb{Combine(d.r, s.r, op), Combine(d.g, s.g, op), Combine(d.b, s.b, op)};
        }
    }
}

const RasterCanvas::TextCall* RasterCanvas::TextAt(int x, int y) const {
    for (auto it = texts.rbegin(); it != texts.rend(); ++it)
        if (it->x == x && it->y == y) return &*it;
    return nullptr;
}

const RasterCanvas::TextCall* RasterCanvas::FindText(const std::string& text) const {
    for (auto it = texts.rbegin(); it != texts.rend(); ++it)
        if (it->text == text) return &*it;
    return nullptr;
}

void RasterCanvas::ClearRecords() {
    texts.clear();
    bitmapCalls.clear();
}
