// Small raster toolkit for the game's artwork: an RGB image, the drawing
// primitives the pictures are built from, two pixel fonts and a writer for
// 24-bit Windows bitmaps. Standard library only, so the artwork can be
// rebuilt anywhere the game builds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr Rgb() = default;
    constexpr Rgb(int rr, int gg, int bb)
        : r(static_cast<std::uint8_t>(rr)), g(static_cast<std::uint8_t>(gg)), b(static_cast<std::uint8_t>(bb)) {}
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// Linear blend: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
// Multiplies brightness; f < 1 darkens, f > 1 lightens (clamped).
Rgb shade(Rgb c, double f);

struct Pt {
    double x = 0, y = 0;
};

// Deterministic generator (splitmix64) so every build draws the same pictures.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next();
    int range(int lo, int hi);  // inclusive
    double unit();              // [0, 1)
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t s_;
};

// Position hash in [0, 1): stable per-pixel variation for textures.
double hash01(int x, int y, std::uint32_t seed);
// Smooth value noise in [0, 1), feature size `scale` pixels.
double valueNoise(double x, double y, double scale, std::uint32_t seed);

class Image {
public:
    Image() = default;
    Image(int w, int h, Rgb fill = Rgb(255, 255, 255));

    int width() const { return w_; }
    int height() const { return h_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }

    Rgb get(int x, int y) const;
    void set(int x, int y, Rgb c);
    void blend(int x, int y, Rgb c, double alpha);
    void darken(int x, int y, double f);

    void fill(Rgb c);
    void fillRect(int x, int y, int w, int h, Rgb c);
    void blendRect(int x, int y, int w, int h, Rgb c, double alpha);
    void darkenRect(int x, int y, int w, int h, double f);
    void rect(int x, int y, int w, int h, Rgb c);  // one-pixel outline
    void hline(int x0, int x1, int y, Rgb c);
    void vline(int x, int y0, int y1, Rgb c);
    void line(int x0, int y0, int x1, int y1, Rgb c);
    void thickLine(int x0, int y0, int x1, int y1, int thickness, Rgb c);
    void vgradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
    void hgradient(int x, int y, int w, int h, Rgb left, Rgb right);

    // Pixel-exact shapes (no smoothing) for pixel art.
    void fillEllipse(double cx, double cy, double rx, double ry, Rgb c);
    void ellipseOutline(double cx, double cy, double rx, double ry, Rgb c);
    void fillPolygon(const std::vector<Pt>& pts, Rgb c);
    void fillTriangle(Pt a, Pt b, Pt c, Rgb col) { fillPolygon({a, b, c}, col); }

    // Smoothed shapes (4x4 supersampled coverage) for the larger pictures.
    void fillEllipseAA(double cx, double cy, double rx, double ry, Rgb c, double alpha = 1.0);
    void fillPolygonAA(const std::vector<Pt>& pts, Rgb c, double alpha = 1.0);
    void lineAA(double x0, double y0, double x1, double y1, double width, Rgb c, double alpha = 1.0);
    void ringAA(double cx, double cy, double r, double width, Rgb c, double alpha = 1.0);

    void blit(const Image& src, int x, int y);
    // Copies src except pixels equal to the key colour.
    void blitKeyed(const Image& src, int x, int y, Rgb key);
    // Box-filter downscale by an integer factor.
    Image downscale(int factor) const;

    // Pixel fonts. Small: 3x5 cells (advance 4). Big: 5x7 cells (advance 6).
    // Characters outside the fonts draw nothing. '\x01' is the yen sign,
    // '^' an up triangle and '_' a down triangle.
    int text3(int x, int y, const std::string& s, Rgb c);
    int text5(int x, int y, const std::string& s, Rgb c, int scale = 1);
    static int text3Width(const std::string& s);
    static int text5Width(const std::string& s, int scale = 1);

    bool saveBmp(const std::string& path) const;

    const std::vector<Rgb>& pixels() const { return px_; }

private:
    int w_ = 0, h_ = 0;
    std::vector<Rgb> px_;
};

}  // namespace art
