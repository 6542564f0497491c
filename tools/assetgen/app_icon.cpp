// The program icon: an orchid in bloom in front of a rising share-price
// chart, on a deep violet tile. Large sizes are rendered smoothly; 16 and 32
// are laid out by hand on the pixel grid so they stay sharp.
#include <cmath>

#include "art.h"
#include "pen.h"

namespace art {

namespace {

constexpr double kPi = 3.14159265358979323846;

const Rgb kPetal(236, 120, 196), kPetalLight(252, 196, 232), kSepal(246, 214, 240), kLip(170, 30, 120),
    kThroat(255, 214, 70), kChart(120, 240, 130), kBar(250, 196, 70), kBgTop(64, 36, 110), kBgBottom(22, 18, 58);

// A petal as a pointed ellipse from the flower centre along angle a.
std::vector<Pt> petal(double cx, double cy, double a, double len, double wid, double base = 4) {
    std::vector<Pt> pts;
    const int n = 20;
    for (int i = 0; i <= n; ++i) {
        double t = double(i) / n;  // along the petal, one side then back
        double along = base + (len - base) * t;
        double half = wid * std::sin(t * kPi) * (1 - 0.25 * t);
        pts.push_back({along, half});
    }
    for (int i = n; i >= 0; --i) {
        double t = double(i) / n;
        double along = base + (len - base) * t;
        double half = wid * std::sin(t * kPi) * (1 - 0.25 * t);
        pts.push_back({along, -half});
    }
    for (Pt& p : pts) {
        double x = p.x * std::cos(a) - p.y * std::sin(a), y = p.x * std::sin(a) + p.y * std::cos(a);
        p = {cx + x, cy + y};
    }
    return pts;
}

Image smoothIcon(int size) {
    const int S = 4;
    Image big(size * S, size * S);
    big.vgradient(0, 0, big.width(), big.height(), kBgTop, kBgBottom);
    double inkPx = size >= 128 ? 1.6 : size >= 64 ? 1.2 : 1.0;
    Pen d{big, big.width() / 100.0, inkPx * S * (size >= 128 ? size / 128.0 : 1.0), S};
    // Faint chart grid.
    for (int k = 1; k < 5; ++k) d.line(4, k * 20, 96, k * 20, 0.6, Rgb(120, 100, 170), 0.5);
    // Rising bars at the foot.
    const double bars[4] = {14, 22, 30, 42};
    for (int k = 0; k < 4; ++k) d.orect(8 + k * 12, 94 - bars[k], 8, bars[k], mix(kBar, Rgb(255, 150, 40), k / 3.0));
    // Rising line and arrowhead.
    std::vector<Pt> line = {{6, 80}, {26, 66}, {40, 72}, {62, 44}, {74, 50}, {88, 20}};
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        d.oline(line[i].x, line[i].y, line[i + 1].x, line[i + 1].y, 5, kChart);
    d.opoly({{94, 8}, {96, 30}, {80, 20}}, kChart);
    // The orchid: sepals behind, broad petals, then lip and column.
    const double cx = 44, cy = 44;
    d.opoly(petal(cx, cy, -kPi / 2, 34, 8), kSepal);
    d.opoly(petal(cx, cy, kPi / 2 + 0.75, 32, 7.5), kSepal);
    d.opoly(petal(cx, cy, kPi / 2 - 0.75, 32, 7.5), kSepal);
    d.opoly(petal(cx, cy, kPi + 0.25, 33, 13), kPetal);
    d.opoly(petal(cx, cy, -0.25, 33, 13), kPetal);
    d.poly(petal(cx, cy - 1, kPi + 0.25, 26, 6), kPetalLight, 0.7);
    d.poly(petal(cx, cy - 1, -0.25, 26, 6), kPetalLight, 0.7);
    // Lip: a rounded cup below the centre with ruffled edge.
    d.oell(cx, cy + 14, 11, 10, kLip);
    d.ell(cx, cy + 10, 6, 5, Rgb(214, 70, 160));
    d.ell(cx, cy + 8, 4, 3, kThroat);
    for (int k = 0; k < 3; ++k) d.line(cx - 3 + k * 3, cy + 12, cx - 4 + k * 4, cy + 20, 1.2, Rgb(120, 16, 86));
    d.oell(cx, cy + 1, 4.5, 6, Rgb(255, 250, 240));
    d.ell(cx - 1, cy - 1, 1.8, 2.5, Rgb(255, 255, 255));
    Image out = big.downscale(S);
    return out;
}

// Small sizes: a bolder layout (bigger flower, just an arrow for the chart)
// rendered smoothly and then snapped to the icon's few colours, so edges
// land on whole pixels instead of blurring.
Image smallIcon(int size) {
    const int S = 8;
    Image big(size * S, size * S);
    big.vgradient(0, 0, big.width(), big.height(), kBgTop, kBgBottom);
    // At 16 pixels drawn outlines would eat the petals: the parts are drawn
    // bare and outlined on the pixel grid afterwards.
    const bool tiny = size < 32;
    const Rgb ink(20, 10, 34);
    Pen d{big, big.width() / 100.0, tiny ? 0.01 : 1.0 * S, S};
    if (size >= 32) {
        const double bars[3] = {18, 28, 40};
        for (int k = 0; k < 3; ++k) d.orect(58 + k * 13, 97 - bars[k], 10, bars[k] + 4, kBar, ink);
    }
    d.oline(6, 92, 78, 24, size >= 32 ? 9 : 12, kChart, ink);
    d.opoly({{98, 2}, {96, 40}, {62, 10}}, kChart, ink);
    const double cx = 42, cy = 46;
    d.opoly(petal(cx, cy, -kPi / 2, 42, 11), kSepal, ink);
    d.opoly(petal(cx, cy, kPi / 2 + 0.8, 38, 10), kSepal, ink);
    d.opoly(petal(cx, cy, kPi / 2 - 0.8, 38, 10), kSepal, ink);
    d.opoly(petal(cx, cy, kPi + 0.2, 42, 17), kPetal, ink);
    d.opoly(petal(cx, cy, -0.2, 42, 17), kPetal, ink);
    d.oell(cx, cy + 17, 15, 13, kLip, ink);
    d.ell(cx, cy + 9, size >= 32 ? 6 : 8, size >= 32 ? 5 : 6, kThroat);
    d.oell(cx, cy - 1, 6, 8, Rgb(255, 250, 240), ink);
    Image soft = big.downscale(S);
    const Rgb palette[] = {kPetal, kSepal, kLip, kThroat, kChart, kBar, ink, Rgb(255, 250, 240)};
    Image out(size, size);
    for (int y = 0; y < size; ++y) {
        Rgb bg = mix(kBgTop, kBgBottom, double(y) / (size - 1));
        for (int x = 0; x < size; ++x) {
            Rgb c = soft.get(x, y);
            auto dist = [&](Rgb q) {
                int dr = c.r - q.r, dg = c.g - q.g, db = c.b - q.b;
                return dr * dr * 3 + dg * dg * 4 + db * db * 2;
            };
            Rgb best = bg;
            int bd = dist(bg);
            for (const Rgb& q : palette)
                if (dist(q) < bd) bd = dist(q), best = q;
            out.set(x, y, best);
        }
    }
    if (tiny) {
        Image src = out;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                Rgb bg = mix(kBgTop, kBgBottom, double(y) / (size - 1));
                if (src.get(x, y) != bg) continue;
                const int dd[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (auto& o : dd) {
                    int nx = x + o[0], ny = y + o[1];
                    if (!src.inside(nx, ny)) continue;
                    Rgb nb = mix(kBgTop, kBgBottom, double(ny) / (size - 1));
                    if (src.get(nx, ny) != nb) out.set(x, y, ink);
                }
            }
    }
    return out;
}

}  // namespace

Image drawAppIcon(int size) {
    if (size <= 32) return smallIcon(size);
    return smoothIcon(size);
}

}  // namespace art
