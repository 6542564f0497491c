#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "world/little_endian.h"

namespace art {

namespace {

int clamp255(double v) {
    if (v < 0) return 0;
    if (v > 255) return 255;
    return static_cast<int>(v + 0.5);
}

struct Glyph {
    char ch;
    const char* rows[7];
};

// 3x5 font, used for the tiny tickers and price boards.
const Glyph kSmall[] = {
    {' ', {"...", "...", "...", "...", "..."}},
    {'0', {"###", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}},
    {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}},
    {'7', {"###", "..#", "..#", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "###"}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}},
    {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}},
    {'F', {"###", "#..", "##.", "#..", "#.."}},
    {'G', {".##", "#..", "#.#", "#.#", ".##"}},
    {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}},
    {'J', {"..#", "..#", "..#", "#.#", ".#."}},
    {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}},
    {'M', {"#.#", "###", "###", "#.#", "#.#"}},
    {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}},
    {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}},
    {'Q', {".#.", "#.#", "#.#", "##.", ".##"}},
    {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'S', {".##", "#..", ".#.", "..#", "##."}},
    {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    {'W', {"#.#", "#.#", "###", "###", "#.#"}},
    {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
    {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
    {'Z', {"###", "..#", ".#.", "#..", "###"}},
    {'+', {"...", ".#.", "###", ".#.", "..."}},
    {'-', {"...", "...", "###", "...", "..."}},
    {'.', {"...", "...", "...", "...", ".#."}},
    {'%', {"#.#", "..#", ".#.", "#..", "#.#"}},
    {':', {"...", ".#.", "...", ".#.", "..."}},
    {'/', {"..#", "..#", ".#.", "#..", "#.."}},
    {'$', {".##", "##.", ".#.", ".##", "##."}},
    {'\x01', {"#.#", ".#.", "###", ".#.", ".#."}},
    {'^', {"...", ".#.", "###", "...", "..."}},
    {'_', {"...", "###", ".#.", "...", "..."}},
};

// 5x7 font for signs and captions.
const Glyph kBig[] = {
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
    {'%', {"##..#", "##..#", "...#.", "..#..", ".#...", "#..##", "#..##"}},
    {'$', {"..#..", ".####", "#.#..", ".###.", "..#.#", "####.", "..#.."}},
    {'\x01', {"#...#", ".#.#.", "..#..", "#####", "..#..", "#####", "..#.."}},
    {'^', {".....", "..#..", ".###.", "#####", ".....", ".....", "....."}},
    {'_', {".....", "#####", ".###.", "..#..", ".....", ".....", "....."}},
};

const Glyph* findGlyph(const Glyph* table, std::size_t n, char c) {
    for (std::size_t i = 0; i < n; ++i)
        if (table[i].ch == c) return &table[i];
    return nullptr;
}

bool insidePolygon(const std::vector<Pt>& pts, double x, double y) {
    bool in = false;
    const std::size_t n = pts.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Pt& a = pts[i];
        const Pt& b = pts[j];
        if ((a.y > y) != (b.y > y)) {
            double xi = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x < xi) in = !in;
        }
    }
    return in;
}

double segmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    double dx = x1 - x0, dy = y1 - y0;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    double ex = x0 + t * dx - px, ey = y0 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb(clamp255(a.r + (b.r - a.r) * t), clamp255(a.g + (b.g - a.g) * t), clamp255(a.b + (b.b - a.b) * t));
}

Rgb shade(Rgb c, double f) { return Rgb(clamp255(c.r * f), clamp255(c.g * f), clamp255(c.b * f)); }

std::uint64_t Rng::next() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Rng::range(int lo, int hi) {
    if (hi <= lo) return lo;
    std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(next() % span);
}

double Rng::unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }

double hash01(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xffffff) / 16777216.0;
}

double valueNoise(double x, double y, double scale, std::uint32_t seed) {
    double fx = x / scale, fy = y / scale;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

Image::Image(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, fill) {}

Rgb Image::get(int x, int y) const {
    if (!inside(x, y)) return Rgb();
    return px_[static_cast<std::size_t>(y) * w_ + x];
}

void Image::set(int x, int y, Rgb c) {
    if (inside(x, y)) px_[static_cast<std::size_t>(y) * w_ + x] = c;
}

void Image::blend(int x, int y, Rgb c, double alpha) {
    if (!inside(x, y) || alpha <= 0) return;
    Rgb& p = px_[static_cast<std::size_t>(y) * w_ + x];
    p = alpha >= 1 ? c : mix(p, c, alpha);
}

void Image::darken(int x, int y, double f) {
    if (inside(x, y)) set(x, y, shade(get(x, y), f));
}

void Image::fill(Rgb c) { std::fill(px_.begin(), px_.end(), c); }

void Image::fillRect(int x, int y, int w, int h, Rgb c) {
    for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) px_[static_cast<std::size_t>(j) * w_ + i] = c;
}

void Image::blendRect(int x, int y, int w, int h, Rgb c, double alpha) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) blend(i, j, c, alpha);
}

void Image::darkenRect(int x, int y, int w, int h, double f) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) darken(i, j, f);
}

void Image::rect(int x, int y, int w, int h, Rgb c) {
    if (w <= 0 || h <= 0) return;
    hline(x, x + w - 1, y, c);
    hline(x, x + w - 1, y + h - 1, c);
    vline(x, y, y + h - 1, c);
    vline(x + w - 1, y, y + h - 1, c);
}

void Image::hline(int x0, int x1, int y, Rgb c) {
    if (x0 > x1) std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x) set(x, y, c);
}

void Image::vline(int x, int y0, int y1, Rgb c) {
    if (y0 > y1) std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y) set(x, y, c);
}

void Image::line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Image::thickLine(int x0, int y0, int x1, int y1, int thickness, Rgb c) {
    int lo = -(thickness - 1) / 2, hi = thickness / 2;
    bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
    for (int k = lo; k <= hi; ++k) {
        if (steep)
            line(x0 + k, y0, x1 + k, y1, c);
        else
            line(x0, y0 + k, x1, y1 + k, c);
    }
}

void Image::vgradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) hline(x, x + w - 1, y + j, mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0));
}

void Image::hgradient(int x, int y, int w, int h, Rgb left, Rgb right) {
    for (int i = 0; i < w; ++i) vline(x + i, y, y + h - 1, mix(left, right, w > 1 ? double(i) / (w - 1) : 0.0));
}

void Image::fillEllipse(double cx, double cy, double rx, double ry, Rgb c) {
    int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) set(x, y, c);
        }
}

void Image::ellipseOutline(double cx, double cy, double rx, double ry, Rgb c) {
    auto in = [&](int x, int y) {
        double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
    int x0 = static_cast<int>(std::floor(cx - rx)) - 1, x1 = static_cast<int>(std::ceil(cx + rx)) + 1;
    int y0 = static_cast<int>(std::floor(cy - ry)) - 1, y1 = static_cast<int>(std::ceil(cy + ry)) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (in(x, y) && (!in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1))) set(x, y, c);
}

void Image::fillPolygon(const std::vector<Pt>& pts, Rgb c) {
    if (pts.size() < 3) return;
    double miny = pts[0].y, maxy = pts[0].y;
    for (const Pt& p : pts) {
        miny = std::min(miny, p.y);
        maxy = std::max(maxy, p.y);
    }
    for (int y = static_cast<int>(std::floor(miny)); y <= static_cast<int>(std::ceil(maxy)); ++y) {
        double sy = y + 0.5;
        std::vector<double> xs;
        const std::size_t n = pts.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const Pt& a = pts[i];
            const Pt& b = pts[j];
            if ((a.y > sy) != (b.y > sy)) xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
            int xa = static_cast<int>(std::ceil(xs[k] - 0.5));
            int xb = static_cast<int>(std::ceil(xs[k + 1] - 0.5)) - 1;
            for (int x = xa; x <= xb; ++x) set(x, y, c);
        }
    }
}

namespace {
// Fraction of 4x4 sample points of pixel (x, y) for which `in` holds.
template <class F>
double coverage(int x, int y, F in) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (in(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
    return hits / 16.0;
}
}  // namespace

void Image::fillEllipseAA(double cx, double cy, double rx, double ry, Rgb c, double alpha) {
    int x0 = static_cast<int>(std::floor(cx - rx)) - 1, x1 = static_cast<int>(std::ceil(cx + rx)) + 1;
    int y0 = static_cast<int>(std::floor(cy - ry)) - 1, y1 = static_cast<int>(std::ceil(cy + ry)) + 1;
    for (int y = std::max(0, y0); y <= std::min(h_ - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(w_ - 1, x1); ++x) {
            double cov = coverage(x, y, [&](double px, double py) {
                double dx = (px - cx) / rx, dy = (py - cy) / ry;
                return dx * dx + dy * dy <= 1.0;
            });
            if (cov > 0) blend(x, y, c, cov * alpha);
        }
}

void Image::fillPolygonAA(const std::vector<Pt>& pts, Rgb c, double alpha) {
    if (pts.size() < 3) return;
    double minx = pts[0].x, maxx = pts[0].x, miny = pts[0].y, maxy = pts[0].y;
    for (const Pt& p : pts) {
        minx = std::min(minx, p.x);
        maxx = std::max(maxx, p.x);
        miny = std::min(miny, p.y);
        maxy = std::max(maxy, p.y);
    }
    for (int y = std::max(0, static_cast<int>(std::floor(miny))); y <= std::min(h_ - 1, static_cast<int>(maxy)); ++y)
        for (int x = std::max(0, static_cast<int>(std::floor(minx))); x <= std::min(w_ - 1, static_cast<int>(maxx));
             ++x) {
            double cov = coverage(x, y, [&](double px, double py) { return insidePolygon(pts, px, py); });
            if (cov > 0) blend(x, y, c, cov * alpha);
        }
}

void Image::lineAA(double x0, double y0, double x1, double y1, double width, Rgb c, double alpha) {
    double r = width / 2;
    int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - r)) - 1;
    int bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + r)) + 1;
    int by0 = static_cast<int>(std::floor(std::min(y0, y1) - r)) - 1;
    int by1 = static_cast<int>(std::ceil(std::max(y0, y1) + r)) + 1;
    for (int y = std::max(0, by0); y <= std::min(h_ - 1, by1); ++y)
        for (int x = std::max(0, bx0); x <= std::min(w_ - 1, bx1); ++x) {
            double cov = coverage(x, y, [&](double px, double py) {
                return segmentDistance(px, py, x0, y0, x1, y1) <= r;
            });
            if (cov > 0) blend(x, y, c, cov * alpha);
        }
}

void Image::ringAA(double cx, double cy, double r, double width, Rgb c, double alpha) {
    double outer = r + width / 2;
    int x0 = static_cast<int>(std::floor(cx - outer)) - 1, x1 = static_cast<int>(std::ceil(cx + outer)) + 1;
    int y0 = static_cast<int>(std::floor(cy - outer)) - 1, y1 = static_cast<int>(std::ceil(cy + outer)) + 1;
    for (int y = std::max(0, y0); y <= std::min(h_ - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(w_ - 1, x1); ++x) {
            double cov = coverage(x, y, [&](double px, double py) {
                double d = std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy));
                return std::abs(d - r) <= width / 2;
            });
            if (cov > 0) blend(x, y, c, cov * alpha);
        }
}

void Image::blit(const Image& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i) set(x + i, y + j, src.get(i, j));
}

void Image::blitKeyed(const Image& src, int x, int y, Rgb key) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i) {
            Rgb c = src.get(i, j);
            if (c != key) set(x + i, y + j, c);
        }
}

Image Image::downscale(int factor) const {
    Image out(w_ / factor, h_ / factor);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    Rgb c = get(x * factor + i, y * factor + j);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            int n = factor * factor;
            out.set(x, y, Rgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
        }
    return out;
}

int Image::text3(int x, int y, const std::string& s, Rgb c) {
    int cx = x;
    for (char ch : s) {
        const Glyph* g = findGlyph(kSmall, sizeof(kSmall) / sizeof(kSmall[0]), ch);
        if (g)
            for (int j = 0; j < 5; ++j)
                for (int i = 0; i < 3; ++i)
                    if (g->rows[j][i] == '#') set(cx + i, y + j, c);
        cx += 4;
    }
    return cx - x;
}

int Image::text5(int x, int y, const std::string& s, Rgb c, int scale) {
    int cx = x;
    for (char ch : s) {
        const Glyph* g = findGlyph(kBig, sizeof(kBig) / sizeof(kBig[0]), ch);
        if (g)
            for (int j = 0; j < 7; ++j)
                for (int i = 0; i < 5; ++i)
                    if (g->rows[j][i] == '#') fillRect(cx + i * scale, y + j * scale, scale, scale, c);
        cx += 6 * scale;
    }
    return cx - x;
}

int Image::text3Width(const std::string& s) { return s.empty() ? 0 : static_cast<int>(s.size()) * 4 - 1; }
int Image::text5Width(const std::string& s, int scale) {
    return s.empty() ? 0 : (static_cast<int>(s.size()) * 6 - 1) * scale;
}

bool Image::saveBmp(const std::string& path) const {
    const std::uint32_t stride = (static_cast<std::uint32_t>(w_) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(h_);
    std::vector<unsigned char> out;
    out.reserve(54 + imageSize);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    AppendLittleEndian32(out, 54 + imageSize);
    AppendLittleEndian16(out, 0);
    AppendLittleEndian16(out, 0);
    AppendLittleEndian32(out, 54);
    // BITMAPINFOHEADER: bottom-up rows, 24 bits, no compression, 72 dpi
    AppendLittleEndian32(out, 40);
    AppendLittleEndian32(out, static_cast<std::uint32_t>(w_));
    AppendLittleEndian32(out, static_cast<std::uint32_t>(h_));
    AppendLittleEndian16(out, 1);
    AppendLittleEndian16(out, 24);
    AppendLittleEndian32(out, 0);
    AppendLittleEndian32(out, imageSize);
    AppendLittleEndian32(out, 2835);
    AppendLittleEndian32(out, 2835);
    AppendLittleEndian32(out, 0);
    AppendLittleEndian32(out, 0);
    for (int y = h_ - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < w_; ++x) {
            Rgb c = get(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            written += 3;
        }
        for (; written < stride; ++written) out.push_back(0);
    }
    std::ofstream f(path, std::ios::binary);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

}  // namespace art
