// The larger scene pictures: the trading hall of the exchange screen, the
// curry table the fly game is played on, the fly and its mask, and the tank
// that serves both the army dialog and the casino race.
#include <cmath>
#include <string>

#include "art.h"

namespace art {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A trader seen from behind/front at small scale: head, suit, coloured jacket.
void trader(Image& im, int x, int y, Rgb jacket, bool facing, int scale = 1) {
    const Rgb skin(236, 196, 160), hair(46, 36, 32);
    int s = scale;
    im.fillRect(x - 2 * s, y + 4 * s, 5 * s, 7 * s, jacket);            // torso
    im.fillRect(x + 2 * s, y + 4 * s, 1 * s, 7 * s, shade(jacket, 0.75));
    im.fillRect(x - 2 * s, y + 11 * s, 2 * s, 4 * s, Rgb(50, 52, 64));  // legs
    im.fillRect(x + 1 * s, y + 11 * s, 2 * s, 4 * s, Rgb(40, 42, 54));
    im.fillRect(x - 1 * s, y, 3 * s, 4 * s, facing ? skin : hair);     // head
    im.fillRect(x - 1 * s, y, 3 * s, 1 * s, hair);
    if (facing) im.fillRect(x, y + 4 * s, 1 * s, 3 * s, Rgb(250, 250, 250));  // shirt
}

}  // namespace

// Inside the exchange: a vaulted hall with a huge quote board and a ticker
// along the back wall, round trading posts with monitors, and traders in
// coloured jackets on a polished floor.
Image drawTradeCenter() {
    const int W = 276, H = 264;
    Image im(W, H);
    // Ceiling and back wall.
    im.vgradient(0, 0, W, 40, Rgb(54, 58, 80), Rgb(96, 100, 124));
    for (int x = 8; x < W; x += 22) {
        im.fillRect(x, 4, 10, 3, Rgb(250, 246, 220));  // light panels
        im.fillRect(x + 1, 7, 8, 2, Rgb(200, 200, 190));
    }
    im.vgradient(0, 40, W, 104, Rgb(168, 156, 138), Rgb(140, 128, 112));
    for (int x = 0; x < W; x += 2)
        for (int y = 40; y < 144; y += 8) im.set(x, y, Rgb(150, 138, 122));
    // Big quote board.
    const int bx = 20, by = 26, bw = 236, bh = 80;
    im.fillRect(bx - 4, by - 4, bw + 8, bh + 8, Rgb(70, 66, 64));
    im.rect(bx - 4, by - 4, bw + 8, bh + 8, kInk);
    im.fillRect(bx, by, bw, bh, Rgb(14, 16, 22));
    const char* codes[] = {"7203", "6758", "8306", "9984", "4502", "6501", "8058", "9432", "7974", "6902", "8411", "5401"};
    const int deltas[] = {12, -8, 35, 4, -21, 16, -3, 27, 9, -14, 6, 22};
    for (int k = 0; k < 12; ++k) {
        int col = k / 6, row = k % 6;
        int x = bx + 4 + col * 118, y = by + 4 + row * 9;
        im.text3(x, y, codes[k], Rgb(250, 220, 90));
        int price = 1000 + (k * 733) % 7000;
        im.text3(x + 20, y, std::to_string(price), Rgb(230, 230, 230));
        bool up = deltas[k] > 0;
        std::string d = std::string(up ? "^" : "_") + std::to_string(std::abs(deltas[k]));
        im.text3(x + 44, y, d, up ? Rgb(255, 80, 70) : Rgb(80, 160, 255));
        // Small bar showing the day's move.
        int len = std::abs(deltas[k]) * 2;
        im.fillRect(x + 62, y + 1, std::min(len, 48), 3, up ? Rgb(200, 60, 50) : Rgb(50, 110, 210));
    }
    im.vline(bx + bw / 2, by + 2, by + 55, Rgb(60, 60, 70));
    // Index chart strip under the quotes.
    im.fillRect(bx + 2, by + 58, bw - 4, 20, Rgb(20, 30, 28));
    {
        double v = 12;
        int prevY = by + 58 + 12;
        for (int x = 0; x < bw - 6; ++x) {
            v += std::sin(x * 0.21) * 0.9 + std::sin(x * 0.057) * 0.5 - 0.06;
            int y = by + 58 + static_cast<int>(std::lround(std::max(2.0, std::min(18.0, v))));
            im.line(bx + 2 + x, prevY, bx + 3 + x, y, Rgb(90, 240, 120));
            prevY = y;
        }
    }
    // Ticker tape below the board.
    im.fillRect(0, 112, W, 9, Rgb(10, 10, 14));
    im.text3(17, 114, "NIKKEI ^215  TOPIX ^18  \x01 142.50  7203 ^12  6758 _8  9984 ^35", Rgb(255, 170, 40));
    // Gilded name over the floor.
    {
        const std::string name = "TOTO STOCK EXCHANGE";
        int x = (W - Image::text5Width(name)) / 2;
        im.text5(x + 1, 130, name, Rgb(90, 70, 40));
        im.text5(x, 129, name, Rgb(236, 190, 80));
    }
    // Side pillars.
    for (int x : {0, W - 14}) {
        im.fillRect(x, 30, 14, 120, Rgb(206, 198, 182));
        im.vline(x + 2, 30, 149, Rgb(230, 224, 210));
        im.vline(x + 11, 30, 149, Rgb(160, 152, 138));
        im.rect(x, 30, 14, 120, kInk);
    }
    // Floor in perspective: tiles converge to a vanishing point above.
    const int fy = 144;
    const double vx = W / 2.0, vy = 40;
    for (int y = fy; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            double t = (y - vy) / (H - vy);
            double u = (x - vx) / t;              // floor x
            double w = 1.0 / t;                   // floor depth
            int ui = static_cast<int>(std::floor(u / 24.0)), wi = static_cast<int>(std::floor(w * 14));
            bool dark = (ui + wi) % 2 != 0;
            Rgb c = dark ? Rgb(120, 70, 56) : Rgb(150, 96, 70);
            c = mix(c, Rgb(60, 40, 40), (1 - t) * 0.5);
            im.set(x, y, c);
        }
    im.hline(0, W - 1, fy, Rgb(80, 60, 50));
    // Reflection of the board glow on the floor.
    for (int y = fy + 1; y < fy + 30; ++y) im.blendRect(30, y, W - 60, 1, Rgb(255, 240, 200), 0.12 * (1 - (y - fy) / 30.0));

    // Trading posts: counters with monitors, back row smaller.
    auto post = [&](double cx, double cy, double r) {
        double rh = r * 0.35;
        im.fillEllipseAA(cx + 3, cy + r * 0.9, r * 1.05, rh, Rgb(40, 30, 30), 0.35);
        im.fillRect(static_cast<int>(cx - r), static_cast<int>(cy), static_cast<int>(2 * r), static_cast<int>(r * 0.8),
                    Rgb(62, 80, 110));
        im.fillEllipseAA(cx, cy + r * 0.8, r, rh, Rgb(50, 64, 92));
        im.fillEllipseAA(cx, cy, r, rh, Rgb(214, 206, 190));
        im.fillEllipseAA(cx, cy, r * 0.7, rh * 0.7, Rgb(120, 96, 76));
        // Monitors on a pole.
        int mx = static_cast<int>(cx), my = static_cast<int>(cy - r * 1.1);
        im.fillRect(mx - 1, my + 4, 2, static_cast<int>(r * 1.1) - 4, Rgb(80, 80, 90));
        int mw = static_cast<int>(r * 0.7);
        for (int side : {-1, 1}) {
            int x0 = side < 0 ? mx - mw - 1 : mx + 1;
            im.fillRect(x0, my - 6, mw, 10, Rgb(30, 32, 40));
            im.fillRect(x0 + 1, my - 5, mw - 2, 8, Rgb(20, 60, 50));
            for (int k = 0; k < 3; ++k) im.hline(x0 + 2, x0 + mw - 3 - (k * 3) % 5, my - 4 + k * 3, k == 1 ? Rgb(255, 90, 80) : Rgb(100, 240, 130));
            im.rect(x0, my - 6, mw, 10, kInk);
        }
    };
    const Rgb jackets[] = {Rgb(60, 90, 170), Rgb(200, 60, 50), Rgb(240, 200, 60), Rgb(60, 150, 90),
                           Rgb(50, 50, 60), Rgb(140, 80, 160), Rgb(230, 230, 230), Rgb(240, 130, 40)};
    Rng rng(7203);
    // Back row of people first, then posts, then front row, for depth.
    for (int k = 0; k < 14; ++k) trader(im, 16 + k * 18 + rng.range(-3, 3), 150 + rng.range(0, 4), jackets[rng.range(0, 7)], rng.chance(0.5));
    post(70, 178, 22);
    post(206, 178, 22);
    for (int k = 0; k < 9; ++k) {
        int x = 12 + k * 31 + rng.range(-4, 4);
        if (std::abs(x - 70) < 16 || std::abs(x - 206) < 16) x += 22;
        trader(im, x, 196 + rng.range(0, 6), jackets[rng.range(0, 7)], rng.chance(0.6), 1);
    }
    post(138, 224, 26);
    for (int k = 0; k < 6; ++k) {
        int x = 20 + k * 48 + rng.range(-5, 5);
        if (std::abs(x - 138) < 24) x += 36;
        if (x > W - 10) x = W - 14;
        trader(im, x, 226 + rng.range(0, 4), jackets[rng.range(0, 7)], rng.chance(0.5), 2);
    }
    // Frame.
    im.rect(0, 0, W, H, kInk);
    return im;
}

// The fly game's stage: a plate of curry rice on a gingham tablecloth in a
// kitchen, seen from the diner's seat.
Image drawMiniStage() {
    const int W = 300, H = 194;
    Image im(W, H);
    // Tiled kitchen wall.
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < W; ++x) {
            bool joint = x % 14 == 0 || y % 14 == 0;
            Rgb c = joint ? Rgb(196, 204, 200) : Rgb(232, 240, 236);
            if (!joint && (x % 14 == 1 || y % 14 == 1)) c = Rgb(246, 252, 250);
            im.set(x, y, c);
        }
    // Window with sky and a curtain.
    im.fillRect(196, 8, 84, 50, Rgb(200, 190, 170));
    im.vgradient(200, 12, 76, 42, Rgb(120, 190, 240), Rgb(200, 232, 250));
    im.fillEllipseAA(224, 28, 12, 5, Rgb(255, 255, 255), 0.9);
    im.fillEllipseAA(236, 25, 9, 5, Rgb(255, 255, 255), 0.9);
    im.vline(238, 12, 53, Rgb(200, 190, 170));
    im.hline(200, 275, 32, Rgb(200, 190, 170));
    im.fillPolygon({{198, 6}, {214, 6}, {206, 58}, {198, 58}}, Rgb(240, 200, 90));
    im.fillPolygon({{262, 6}, {278, 6}, {278, 58}, {270, 58}}, Rgb(240, 200, 90));
    im.rect(196, 8, 84, 50, kInk);
    // Shelf with jars and a hanging ladle.
    im.fillRect(20, 30, 110, 4, Rgb(170, 120, 80));
    im.hline(20, 129, 34, Rgb(110, 76, 50));
    const Rgb jar[] = {Rgb(220, 80, 60), Rgb(240, 190, 60), Rgb(110, 170, 90), Rgb(180, 120, 70)};
    for (int k = 0; k < 4; ++k) {
        int x = 28 + k * 24;
        im.fillRect(x, 17, 12, 13, jar[k]);
        im.fillRect(x + 1, 15, 10, 3, Rgb(250, 250, 250));
        im.vline(x + 2, 19, 27, shade(jar[k], 1.3));
        im.rect(x, 15, 12, 15, kInk);
    }
    // Rail with a ladle and a spatula.
    im.fillRect(140, 8, 44, 3, Rgb(150, 150, 160));
    im.rect(140, 8, 44, 3, kInk);
    im.fillRect(151, 11, 3, 30, Rgb(180, 180, 190));
    im.vline(151, 11, 40, kInk);
    im.vline(154, 11, 40, kInk);
    im.fillEllipseAA(152.5, 46, 8, 6, kInk);
    im.fillEllipseAA(152.5, 46, 6.8, 4.8, Rgb(190, 192, 200));
    im.fillEllipseAA(151, 44.5, 3, 2, Rgb(240, 240, 246));
    im.fillRect(171, 11, 2, 22, Rgb(150, 100, 60));
    im.fillRect(167, 33, 10, 13, Rgb(200, 200, 208));
    im.rect(167, 33, 10, 13, kInk);
    im.vline(170, 11, 32, kInk);
    im.vline(173, 11, 32, kInk);
    // Table edge and cloth.
    im.fillRect(0, 70, W, 4, Rgb(150, 100, 60));
    for (int y = 74; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            double t = (y - 74) / double(H - 74);
            double sx = (x - W / 2.0) / (0.7 + 0.3 * t) + W / 2.0;
            int cx = static_cast<int>(std::floor(sx / 16)), cy = static_cast<int>(std::floor(std::pow(t, 0.8) * 10));
            bool a = cx % 2 == 0, b = cy % 2 == 0;
            Rgb c = (a && b) ? Rgb(214, 70, 64) : (a || b) ? Rgb(238, 160, 150) : Rgb(252, 246, 240);
            im.set(x, y, shade(c, 0.9 + 0.1 * t));
        }
    // Plate shadow, plate, rim.
    const double px = 150, py = 130;
    im.fillEllipseAA(px + 6, py + 8, 92, 40, Rgb(80, 40, 40), 0.3);
    im.fillEllipseAA(px, py, 93.2, 41.2, kInk);
    im.fillEllipseAA(px, py, 92, 40, Rgb(246, 246, 244));
    im.fillEllipseAA(px, py + 2, 76, 31, Rgb(226, 228, 232));
    im.fillEllipseAA(px, py + 1, 74, 30, Rgb(240, 242, 246));
    // Rice mound on the left, curry pool on the right.
    im.fillEllipseAA(px - 22, py, 43, 23, Rgb(206, 204, 196));
    im.fillEllipseAA(px - 23, py - 2, 42, 22, Rgb(252, 252, 248));
    for (int k = 0; k < 90; ++k) {
        double a = k * 2.399, r = std::sqrt(k / 90.0);
        int x = static_cast<int>(px - 22 + std::cos(a) * r * 38), y = static_cast<int>(py - 2 + std::sin(a) * r * 19);
        im.set(x, y, Rgb(228, 226, 214));
        im.set(x + 1, y, Rgb(255, 255, 255));
    }
    std::vector<Pt> curry;
    for (int k = 0; k < 40; ++k) {
        double a = k * 2 * kPi / 40;
        double r = 1 + 0.06 * std::sin(a * 5) + 0.04 * std::cos(a * 3);
        curry.push_back({px + 22 + std::cos(a) * 48 * r, py + 6 + std::sin(a) * 22 * r});
    }
    {
        std::vector<Pt> rim;
        for (const Pt& q : curry) rim.push_back({px + 22 + (q.x - px - 22) * 1.04, py + 6 + (q.y - py - 6) * 1.07});
        im.fillPolygonAA(rim, Rgb(120, 70, 24));
    }
    im.fillPolygonAA(curry, Rgb(176, 110, 36));
    im.fillEllipseAA(px + 18, py + 2, 34, 14, Rgb(196, 128, 44));
    // Chunks: carrot, potato, meat.
    Rng rng(1117);
    for (int k = 0; k < 14; ++k) {
        double a = rng.unit() * 2 * kPi, r = std::sqrt(rng.unit()) * 0.8;
        double x = px + 22 + std::cos(a) * 44 * r, y = py + 6 + std::sin(a) * 19 * r;
        int kind = k % 3;
        Rgb c = kind == 0 ? Rgb(240, 120, 40) : kind == 1 ? Rgb(236, 206, 120) : Rgb(120, 70, 44);
        im.fillEllipseAA(x, y, 5, 3.5, shade(c, 0.7));
        im.fillEllipseAA(x - 0.6, y - 0.6, 4, 2.8, c);
        im.blend(static_cast<int>(x - 2), static_cast<int>(y - 2), Rgb(255, 255, 255), 0.6);
    }
    // Gloss on the curry.
    im.lineAA(px + 4, py - 6, px + 28, py - 10, 2, Rgb(255, 220, 160), 0.6);
    // Steam wisps.
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 26; ++j) {
            double y = py - 28 - j * 1.4, x = px - 20 + k * 22 + std::sin(j * 0.35 + k) * 4;
            im.fillEllipseAA(x, y, 1.6, 1.2, Rgb(255, 255, 255), 0.45 * (1 - j / 26.0));
        }
    // Spoon to the right, glass of water to the left.
    im.lineAA(258, 176, 282, 120, 3.5, Rgb(190, 194, 204));
    im.lineAA(258, 176, 282, 120, 1.2, Rgb(240, 242, 248));
    im.fillEllipseAA(256, 180, 7, 10, Rgb(190, 194, 204));
    im.fillEllipseAA(255, 179, 4, 6, Rgb(230, 234, 240));
    im.fillPolygonAA({{22, 110}, {48, 110}, {45, 160}, {25, 160}}, Rgb(200, 226, 240), 0.8);
    im.fillPolygonAA({{24, 124}, {46, 124}, {45, 158}, {26, 158}}, Rgb(150, 200, 232), 0.8);
    im.fillEllipseAA(35, 110, 13, 3, Rgb(230, 244, 250));
    im.lineAA(27, 114, 29, 154, 1.5, Rgb(255, 255, 255), 0.8);
    im.rect(0, 0, W, H, kInk);
    return im;
}

namespace {
// The fly's shape: 'k' body, 'w' wing, 'r' eye, 'g' green sheen, '.' none.
const char* kFly[10] = {
    "..........",
    "...rkkr...",
    "..k.kk.k..",
    "wwwkggkwww",
    "wwwwkkwwww",
    ".wwkkkkww.",
    "..kkkkkk..",
    "...kkkk...",
    "..k.kk.k..",
    "....kk....",
};
}  // namespace

// Drawn over the stage by OR-ing the mask and then AND-ing the sprite, so the
// sprite is white where nothing is drawn and the fly's colours elsewhere.
Image drawFlySprite() {
    Image im(10, 10, Rgb(255, 255, 255));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            switch (kFly[y][x]) {
                case 'k': im.set(x, y, Rgb(24, 22, 28)); break;
                case 'w': im.set(x, y, (x + y) % 3 == 0 ? Rgb(200, 210, 224) : Rgb(150, 160, 176)); break;
                case 'r': im.set(x, y, Rgb(200, 30, 30)); break;
                case 'g': im.set(x, y, Rgb(40, 90, 60)); break;
                default: break;
            }
        }
    return im;
}

// White on the fly, black around it: OR-ing it whitens just the fly's
// pixels so the AND with the sprite leaves exactly the fly's colours.
Image drawFlyMask() {
    Image im(10, 10, Rgb(0, 0, 0));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (kFly[y][x] != '.') im.set(x, y, Rgb(255, 255, 255));
    return im;
}

// A tank heading right on a white ground, so it moves cleanly across a white
// race track; the leftmost columns are left blank to wipe its trail.
Image drawUnit() {
    const int W = 52, H = 42;
    Image s(W, H, kKey);
    const Rgb olive(110, 128, 62), dark(70, 86, 42), light(150, 168, 90), steel(74, 74, 72);
    // Tracks.
    s.fillRect(6, 30, 42, 9, steel);
    s.fillEllipse(8, 34.5, 3, 4.5, steel);
    s.fillEllipse(46, 34.5, 3, 4.5, steel);
    for (int x = 8; x < 48; x += 7) {
        s.fillEllipse(x + 1.5, 34.5, 3, 3, Rgb(130, 128, 120));
        s.set(x + 1, 34, Rgb(60, 58, 54));
    }
    for (int x = 6; x < 48; x += 2) s.set(x, 38, Rgb(100, 100, 96)), s.set(x + 1, 30, Rgb(100, 100, 96));
    // Hull with sloped front.
    s.fillPolygon({{5, 22}, {44, 22}, {50, 27}, {48, 31}, {5, 31}}, olive);
    s.hline(5, 44, 22, light);
    s.fillRect(5, 29, 44, 2, dark);
    // Turret and barrel pointing forward.
    s.fillPolygon({{14, 21}, {17, 13}, {33, 13}, {37, 21}}, olive);
    s.hline(17, 33, 13, light);
    s.fillRect(35, 15, 15, 3, dark);
    s.fillRect(48, 14, 3, 5, steel);
    s.hline(35, 47, 15, olive);
    s.fillRect(20, 10, 7, 3, dark);  // hatch
    s.vline(29, 4, 12, steel);       // antenna
    // Camouflage blotches and a white star.
    s.fillRect(8, 25, 5, 2, dark);
    s.fillRect(26, 24, 6, 3, Rgb(120, 100, 60));
    s.fillRect(38, 26, 4, 2, dark);
    s.fillRect(18, 16, 4, 2, Rgb(120, 100, 60));
    s.set(31, 16, Rgb(250, 250, 240));
    s.hline(30, 32, 17, Rgb(250, 250, 240));
    s.set(30, 18, Rgb(250, 250, 240));
    s.set(32, 18, Rgb(250, 250, 240));
    autoOutline(s);
    Image im(W, H, Rgb(255, 255, 255));
    // Soft ground shadow under the tracks.
    for (int x = 6; x < 50; ++x) im.set(x, 40, Rgb(214, 214, 214)), im.set(x + 1, 41, Rgb(232, 232, 232));
    im.blitKeyed(s, 0, 0, kKey);
    // Exhaust puffs behind.
    im.fillEllipseAA(4.5, 26, 1.5, 1.5, Rgb(190, 190, 196), 0.7);
    return im;
}

}  // namespace art
