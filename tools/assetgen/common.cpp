#include "art.h"

namespace art {

const Site kSites[9] = {
    {430, 225, Ground::Plaza},  // 1 TV station
    {460, 30, Ground::Plaza},   // 2 stock exchange
    {340, 60, Ground::Plaza},   // 3 bank
    {110, 110, Ground::Plaza},  // 4 office tower of the other companies
    {210, 10, Ground::Lawn},    // 5 university
    {10, 150, Ground::Plaza},   // 6 casino
    {240, 120, Ground::Lawn},   // 7 government hall
    {10, 10, Ground::Plaza},    // 8 shop
    {120, 300, Ground::Dirt},   // 9 army base
};

Rgb groundColour(Ground g, int x, int y) {
    switch (g) {
        case Ground::Plaza: {
            // Large square flagstones with thin joints; each stone a touch
            // lighter or darker so the paving does not look like flat paint.
            if (x % 8 == 0 || y % 8 == 0) return Rgb(186, 180, 168);
            double v = hash01(x / 8, y / 8, 11);
            Rgb base(208, 203, 190);
            if (v < 0.3) return Rgb(202, 197, 184);
            if (v > 0.8) return Rgb(214, 209, 197);
            return base;
        }
        case Ground::Lawn: {
            // Mowed stripes.
            bool band = ((x + y / 3) / 6) % 2 == 0;
            Rgb c = band ? Rgb(112, 176, 80) : Rgb(102, 166, 72);
            double h = hash01(x, y, 23);
            if (h > 0.97) return shade(c, 0.86);
            if (h < 0.02) return shade(c, 1.1);
            return c;
        }
        case Ground::Dirt: {
            double h = hash01(x, y, 37);
            double n = valueNoise(x, y, 9, 5);
            Rgb c = mix(Rgb(170, 148, 104), Rgb(184, 162, 116), n);
            if (h > 0.93) return shade(c, 0.86);
            if (h < 0.04) return shade(c, 1.08);
            return c;
        }
    }
    return Rgb();
}

void autoOutline(Image& s, Rgb ink) {
    Image src = s;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            if (src.get(x, y) != kKey) continue;
            bool edge = false;
            const int d[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (auto& o : d) {
                int nx = x + o[0], ny = y + o[1];
                if (src.inside(nx, ny) && src.get(nx, ny) != kKey) edge = true;
            }
            if (edge) s.set(x, y, ink);
        }
}

void stampWithShadow(Image& dst, const Image& sprite, int x, int y, int sx, int sy, double shadow) {
    for (int j = 0; j < sprite.height() + sy; ++j)
        for (int i = 0; i < sprite.width() + sx; ++i) {
            int si = i - sx, sj = j - sy;
            bool self = sprite.inside(i, j) && sprite.get(i, j) != kKey;
            bool caster = sprite.inside(si, sj) && sprite.get(si, sj) != kKey;
            if (!self && caster) dst.darken(x + i, y + j, shadow);
        }
    dst.blitKeyed(sprite, x, y, kKey);
}

}  // namespace art
