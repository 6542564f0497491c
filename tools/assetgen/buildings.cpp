// The nine buildings of the town map, 50 x 51 each, drawn front-on with the
// light from the upper left. Each sits on the same paving/lawn/dirt as the
// lot the map draws around it.
#include <cmath>

#include "art.h"

namespace art {

namespace {

Image newLayer() { return Image(kIconW, kIconH, kKey); }

// A window pane with a glint in the corner and a darker sill.
void pane(Image& im, int x, int y, int w, int h, Rgb glass) {
    im.fillRect(x, y, w, h, glass);
    if (h > 2) im.hline(x, x + w - 1, y + h - 1, shade(glass, 0.72));
    im.set(x, y, mix(glass, Rgb(255, 255, 255), 0.6));
}

// A three-pixel column: lit left edge, shaded right edge, capital and base.
void column(Image& im, int x, int y0, int y1, Rgb c) {
    im.vline(x, y0, y1, shade(c, 1.06));
    im.vline(x + 1, y0, y1, c);
    im.vline(x + 2, y0, y1, shade(c, 0.76));
    im.hline(x - 1, x + 3, y0, shade(c, 0.92));
    im.hline(x - 1, x + 3, y1, shade(c, 0.85));
}

// Shades the right-hand `w` columns of a box to suggest its side face.
void sideShade(Image& im, int x, int y, int w, int h, double f = 0.8) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (im.get(i, j) != kKey) im.set(i, j, shade(im.get(i, j), f));
}

Image finish(Image& sprite, int n) {
    autoOutline(sprite);
    const Site& s = kSites[n - 1];
    Image out(kIconW, kIconH);
    for (int y = 0; y < kIconH; ++y)
        for (int x = 0; x < kIconW; ++x) out.set(x, y, groundColour(s.ground, s.x + x, s.y + y));
    stampWithShadow(out, sprite, 0, 0, 3, 2);
    return out;
}

// 1: TV station. A studio block with a red-and-white lattice mast and a
// satellite dish on the annex roof.
Image tvStation() {
    Image im = newLayer();
    const Rgb wall(176, 190, 212), glass(58, 88, 150), red(214, 52, 48), white(244, 244, 240);
    // Mast: two legs converging to the top, striped red/white, with bracing.
    for (int y = 3; y <= 22; ++y) {
        double t = (y - 3) / 19.0;
        int l = static_cast<int>(std::lround(19 - 3.5 * t));
        int r = static_cast<int>(std::lround(20 + 3.5 * t));
        Rgb c = ((y - 3) / 4) % 2 == 0 ? red : white;
        im.set(l, y, c);
        im.set(r, y, c);
        if (y % 4 == 1) im.hline(l, r, y, c);
        if (y % 4 == 3)
            for (int x = l + 1; x < r; ++x)
                if ((x + y) % 2 == 0) im.set(x, y, shade(c, 0.85));
    }
    im.fillRect(19, 1, 2, 2, Rgb(255, 70, 60));  // warning light
    // Studio block.
    im.fillRect(6, 22, 27, 26, wall);
    im.hline(6, 32, 22, shade(wall, 1.1));
    im.fillRect(5, 21, 29, 2, shade(wall, 0.9));  // parapet
    sideShade(im, 29, 21, 5, 27, 0.82);
    // Red sign with the letters.
    im.fillRect(9, 25, 21, 10, red);
    im.hline(9, 29, 25, shade(red, 1.2));
    im.hline(9, 29, 34, shade(red, 0.7));
    im.text5(13, 27, "TV", white);
    im.set(28, 27, Rgb(255, 220, 80));
    // Ribbon windows and the glass entrance.
    for (int k = 0; k < 2; ++k) {
        pane(im, 8, 37 + k * 4, 8, 3, glass);
        pane(im, 23, 37 + k * 4, 8, 3, glass);
    }
    im.fillRect(17, 38, 5, 10, Rgb(90, 140, 200));
    im.vline(19, 38, 47, Rgb(60, 100, 160));
    im.hline(16, 22, 37, shade(wall, 0.7));
    // Annex with the dish.
    im.fillRect(34, 34, 11, 14, Rgb(196, 196, 200));
    sideShade(im, 42, 34, 3, 14, 0.8);
    pane(im, 36, 38, 3, 3, glass);
    pane(im, 40, 38, 2, 3, glass);
    pane(im, 36, 43, 3, 3, glass);
    pane(im, 40, 43, 2, 3, glass);
    im.vline(39, 29, 33, Rgb(120, 120, 130));               // stand
    im.fillEllipse(39.5, 25.5, 6.5, 4.2, Rgb(236, 238, 242));  // bowl
    im.fillEllipse(40.5, 26.2, 4.5, 2.6, Rgb(196, 202, 214));
    im.line(39, 25, 34, 19, Rgb(120, 120, 130));  // feed arm
    im.fillRect(33, 18, 2, 2, Rgb(90, 90, 100));
    return finish(im, 1);
}

// 2: Stock exchange. A white temple front with six columns, a gilded
// rising chart in the pediment and a green-and-red price ticker frieze.
Image stockExchange() {
    Image im = newLayer();
    const Rgb marble(234, 230, 218), marbleDark(200, 196, 184), gold(232, 184, 56);
    // Pediment.
    im.fillPolygon({{3, 17}, {46, 17}, {24.5, 5}}, marble);
    im.fillPolygon({{9, 15.5}, {40, 15.5}, {24.5, 8}}, marbleDark);
    // Gilded rising line with arrowhead inside the tympanum.
    im.line(15, 14, 20, 12, gold);
    im.line(20, 12, 24, 13, gold);
    im.line(24, 13, 31, 10, gold);
    im.set(30, 9, gold);
    im.set(31, 9, gold);
    im.set(31, 11, gold);
    // Ticker board across the entablature.
    im.fillRect(4, 17, 42, 8, Rgb(24, 28, 36));
    im.text3(6, 18, "^12", Rgb(80, 230, 90));
    im.text3(19, 18, "_8", Rgb(240, 70, 60));
    im.text3(29, 18, "^35", Rgb(80, 230, 90));
    im.hline(4, 45, 25, marbleDark);
    // Recessed wall and door behind the columns.
    im.fillRect(6, 26, 38, 15, Rgb(132, 130, 146));
    im.fillRect(21, 30, 8, 11, Rgb(84, 66, 58));
    im.vline(24, 30, 40, Rgb(60, 46, 40));
    im.fillRect(10, 29, 3, 5, Rgb(96, 110, 150));
    im.fillRect(37, 29, 3, 5, Rgb(96, 110, 150));
    for (int k = 0; k < 6; ++k) {
        int x = 5 + k * 7;
        if (k >= 3) x += 2;
        column(im, x, 26, 41, marble);
    }
    // Stylobate and steps.
    im.fillRect(3, 42, 44, 2, marbleDark);
    im.fillRect(2, 44, 46, 2, marble);
    im.fillRect(1, 46, 48, 2, marbleDark);
    im.hline(2, 47, 44, Rgb(246, 244, 236));
    im.hline(1, 48, 46, Rgb(226, 222, 210));
    return finish(im, 2);
}

// 3: Bank. A sandstone hall under a big gold yen coin, arched windows with
// bars and a heavy vault-style door between two pillars.
Image bank() {
    Image im = newLayer();
    const Rgb stone(216, 190, 146), stoneDark(176, 150, 112), gold(240, 196, 64), goldDark(170, 118, 30);
    im.fillRect(5, 18, 39, 30, stone);
    sideShade(im, 39, 18, 5, 30, 0.84);
    im.fillRect(3, 15, 43, 4, stoneDark);  // cornice
    for (int x = 4; x < 45; x += 3) im.set(x, 18, shade(stoneDark, 0.8));
    im.hline(3, 45, 15, shade(stone, 1.08));
    im.fillRect(4, 42, 41, 6, stoneDark);  // plinth
    im.hline(4, 44, 42, shade(stoneDark, 1.15));
    // Arched windows with bars, two per side.
    const int wx[4] = {8, 15, 30, 37};
    for (int x : wx) {
        im.fillRect(x, 24, 5, 12, Rgb(70, 92, 132));
        im.set(x, 24, stone);
        im.set(x + 4, 24, stone);
        im.vline(x + 2, 24, 35, Rgb(150, 150, 160));
        im.hline(x, x + 4, 30, Rgb(150, 150, 160));
        im.hline(x - 1, x + 5, 36, shade(stone, 1.1));
    }
    // Pillars and vault door.
    column(im, 21, 21, 41, Rgb(232, 216, 184));
    column(im, 26, 21, 41, Rgb(232, 216, 184));
    im.fillRect(21, 42, 8, 6, Rgb(110, 84, 60));
    im.fillRect(22, 43, 6, 5, Rgb(86, 66, 48));
    im.set(25, 45, gold);
    // Name plate.
    im.fillRect(18, 20, 14, 1, stoneDark);
    // The coin, its rim, shine and yen sign.
    im.fillEllipse(24.5, 10.5, 9.5, 9.5, goldDark);
    im.fillEllipse(24.5, 10.5, 8.5, 8.5, gold);
    im.ellipseOutline(24.5, 10.5, 7, 7, Rgb(214, 160, 40));
    im.text5(22, 7, "\x01", goldDark);
    im.set(19, 5, Rgb(255, 240, 170));
    im.set(18, 6, Rgb(255, 240, 170));
    im.set(18, 7, Rgb(255, 236, 150));
    return finish(im, 3);
}

// 4: Office tower of the listed companies: a blue glass skyscraper with a
// window grid, a roof crown with an antenna, and low wings either side.
Image officeTower() {
    Image im = newLayer();
    const Rgb glass(82, 128, 196), mullion(150, 178, 214), concrete(196, 194, 188);
    // Low wings.
    im.fillRect(3, 31, 12, 17, concrete);
    im.fillRect(35, 36, 10, 12, concrete);
    for (int y = 33; y < 46; y += 4)
        for (int x = 5; x < 14; x += 4) pane(im, x, y, 2, 2, Rgb(70, 90, 120));
    for (int y = 38; y < 46; y += 4)
        for (int x = 37; x < 44; x += 3) pane(im, x, y, 2, 2, Rgb(70, 90, 120));
    sideShade(im, 42, 36, 3, 12, 0.82);
    // Tower: front face and darker side face.
    im.fillRect(14, 6, 17, 42, glass);
    im.fillRect(31, 8, 5, 40, shade(glass, 0.68));
    for (int y = 6; y < 48; ++y)
        for (int x = 14; x < 31; ++x) {
            if ((y - 6) % 4 == 0) im.set(x, y, mullion);
            else if ((x - 14) % 4 == 0) im.set(x, y, shade(glass, 0.8));
        }
    for (int y = 8; y < 48; y += 4) im.hline(31, 35, y, shade(mullion, 0.7));
    // Diagonal sky reflection across the glass.
    for (int y = 6; y < 48; ++y)
        for (int x = 14; x < 31; ++x) {
            int d = x + (y - 6) / 2;
            if ((d >= 17 && d <= 19) || d == 23) im.set(x, y, mix(im.get(x, y), Rgb(230, 244, 255), 0.45));
        }
    // Roof crown, logo and antenna.
    im.fillRect(15, 3, 15, 3, Rgb(70, 78, 96));
    im.fillRect(31, 5, 4, 3, Rgb(52, 58, 74));
    im.fillRect(20, 3, 5, 3, Rgb(226, 60, 56));
    im.set(22, 4, Rgb(255, 220, 200));
    im.vline(27, 0, 2, Rgb(120, 120, 132));
    im.set(27, 0, Rgb(255, 80, 70));
    // Entrance canopy.
    im.fillRect(18, 42, 9, 6, Rgb(40, 56, 86));
    im.hline(16, 28, 41, Rgb(230, 230, 232));
    im.vline(22, 42, 47, Rgb(120, 150, 190));
    return finish(im, 4);
}

// 5: University. Red-brick wings with arched windows and a central clock
// tower under a copper-green spire.
Image university() {
    Image im = newLayer();
    const Rgb brick(178, 84, 64), trim(236, 224, 196), slate(84, 96, 108), copper(84, 162, 138);
    const Rgb glass(60, 76, 112);
    // Wings with sloped slate roofs.
    im.fillPolygon({{2, 26}, {17, 26}, {17, 20}, {6, 20}}, slate);
    im.fillPolygon({{32, 26}, {47, 26}, {43, 20}, {32, 20}}, slate);
    im.hline(6, 17, 20, shade(slate, 1.25));
    im.hline(32, 43, 20, shade(slate, 1.25));
    im.fillRect(3, 26, 15, 22, brick);
    im.fillRect(32, 26, 15, 22, brick);
    im.hline(3, 17, 26, trim);
    im.hline(32, 46, 26, trim);
    // Tower.
    im.fillRect(18, 10, 14, 38, shade(brick, 1.06));
    sideShade(im, 29, 10, 3, 38, 0.82);
    im.fillPolygon({{17, 10.5}, {33, 10.5}, {25, -0.5}}, copper);
    im.fillPolygon({{25, 0}, {33, 10.5}, {28, 10.5}}, shade(copper, 0.75));
    im.hline(17, 32, 10, trim);
    // Clock face with hands at ten past ten.
    im.fillEllipse(25, 16, 4.6, 4.6, trim);
    im.fillEllipse(25, 16, 3.7, 3.7, Rgb(252, 250, 240));
    im.set(24, 13, kInk);
    im.set(24, 14, kInk);
    im.set(24, 15, kInk);
    im.set(25, 15, kInk);
    im.set(26, 15, kInk);
    im.set(27, 15, kInk);
    // Brick courses.
    for (int y = 28; y < 47; y += 3)
        for (int x = 3; x < 47; ++x)
            if (im.get(x, y) == brick && (x + y) % 7 == 0) im.set(x, y, shade(brick, 0.85));
    // Arched windows, two rows on each wing and one at the tower.
    auto arch = [&](int x, int y) {
        im.fillRect(x, y, 4, 6, glass);
        im.set(x, y, brick);
        im.set(x + 3, y, brick);
        im.set(x + 1, y + 1, Rgb(150, 170, 210));
        im.hline(x - 1, x + 4, y + 6, trim);
    };
    for (int k = 0; k < 3; ++k) {
        arch(4 + k * 5, 29);
        arch(4 + k * 5, 38);
        arch(33 + k * 5, 29);
        arch(33 + k * 5, 38);
    }
    arch(23, 24);
    // Arched doorway with steps.
    im.fillRect(22, 38, 7, 10, Rgb(96, 62, 44));
    im.set(22, 38, shade(brick, 1.06));
    im.set(28, 38, shade(brick, 1.06));
    im.vline(25, 39, 47, Rgb(70, 44, 30));
    im.hline(21, 29, 37, trim);
    im.fillRect(20, 47, 11, 1, trim);
    return finish(im, 5);
}

// 6: Casino. A purple hall under a bulb-lit marquee, a big die and a heart
// card on the facade, gold doors and a red carpet.
Image casino() {
    Image im = newLayer();
    const Rgb purple(104, 44, 132), gold(244, 196, 64), red(200, 34, 52), bulb(255, 246, 170);
    // Star on top.
    im.fillPolygon({{24.5, 0}, {26.3, 3.6}, {30, 3.8}, {27.2, 6.2}, {28.2, 9.5}, {24.5, 7.5}, {20.8, 9.5},
                    {21.8, 6.2}, {19, 3.8}, {22.7, 3.6}},
                   gold);
    // Hall.
    im.fillRect(4, 19, 41, 29, purple);
    sideShade(im, 40, 19, 5, 29, 0.8);
    for (int x = 6; x < 44; x += 6) im.vline(x, 28, 47, shade(purple, 0.86));
    // Marquee with chasing bulbs around the sign.
    im.fillRect(3, 8, 43, 12, gold);
    im.fillRect(5, 10, 39, 8, red);
    for (int x = 4; x < 46; x += 2) {
        im.set(x, 8, (x / 2) % 2 ? bulb : Rgb(255, 150, 60));
        im.set(x, 19, (x / 2) % 2 ? Rgb(255, 150, 60) : bulb);
    }
    im.set(3, 11, bulb), im.set(3, 15, bulb), im.set(45, 11, bulb), im.set(45, 15, bulb);
    im.text5(7, 11, "CASINO", Rgb(255, 236, 120));
    im.hline(5, 43, 17, shade(red, 0.75));
    // Die, showing five.
    im.fillRect(7, 23, 9, 9, Rgb(248, 248, 244));
    im.vline(15, 23, 31, Rgb(200, 200, 206));
    im.hline(7, 15, 31, Rgb(200, 200, 206));
    const int pips[5][2] = {{9, 25}, {13, 25}, {11, 27}, {9, 29}, {13, 29}};
    for (auto& p : pips) im.set(p[0], p[1], kInk);
    // Playing card with a heart.
    im.fillRect(34, 22, 8, 11, Rgb(248, 248, 244));
    im.fillRect(35, 26, 2, 2, red);
    im.fillRect(38, 26, 2, 2, red);
    im.hline(35, 39, 28, red);
    im.hline(36, 38, 29, red);
    im.set(37, 30, red);
    im.set(35, 23, red);
    // Gold-framed glass doors and the red carpet.
    im.fillRect(18, 32, 13, 16, gold);
    im.fillRect(20, 34, 9, 14, Rgb(60, 30, 70));
    im.vline(24, 34, 47, gold);
    im.fillRect(21, 35, 3, 4, Rgb(150, 110, 170));
    im.fillRect(25, 35, 3, 4, Rgb(150, 110, 170));
    im.fillRect(17, 48, 15, 3, red);
    im.hline(17, 31, 48, shade(red, 1.2));
    // Pot plants.
    for (int x : {7, 38}) {
        im.fillRect(x, 44, 4, 4, Rgb(170, 100, 60));
        im.fillEllipse(x + 2, 41.5, 3.2, 3.4, Rgb(60, 150, 70));
        im.set(x + 1, 40, Rgb(110, 200, 110));
    }
    return finish(im, 6);
}

// 7: Government hall. A white domed capitol with a portico, colonnaded
// wings and a flag on the lantern.
Image governmentHall() {
    Image im = newLayer();
    const Rgb white(238, 236, 228), shadeW(204, 202, 194), roof(150, 156, 168);
    // Flag.
    im.vline(24, 0, 7, Rgb(110, 110, 120));
    for (int y = 0; y < 5; ++y)
        for (int x = 25; x < 33; ++x) im.set(x, y, y % 2 == 0 ? Rgb(214, 50, 56) : Rgb(250, 250, 250));
    im.fillRect(25, 0, 3, 3, Rgb(44, 70, 150));
    im.set(26, 1, Rgb(250, 250, 250));
    // Dome and lantern.
    im.fillRect(22, 5, 5, 4, white);
    im.fillEllipse(24.5, 17, 9.5, 9, white);
    im.fillEllipse(27.5, 17, 5.5, 8, shadeW);
    im.fillEllipse(23.5, 15, 5, 6.5, white);
    for (int x : {18, 21, 24, 27, 30}) im.vline(x, 11, 16, mix(white, roof, 0.5));
    // Drum with its colonnade.
    im.fillRect(14, 17, 21, 6, white);
    for (int x = 15; x < 35; x += 2) im.vline(x, 18, 22, shadeW);
    im.hline(13, 35, 17, roof);
    // Wings.
    im.fillRect(2, 30, 46, 18, white);
    im.fillRect(1, 28, 48, 2, roof);
    for (int x = 3; x < 47; x += 4) {
        if (x > 14 && x < 34) continue;
        im.fillRect(x + 1, 32, 2, 4, Rgb(96, 112, 150));
        im.fillRect(x + 1, 39, 2, 4, Rgb(96, 112, 150));
        im.vline(x, 31, 46, shadeW);
    }
    sideShade(im, 44, 28, 5, 20, 0.86);
    // Portico with pediment and columns.
    im.fillPolygon({{13, 27}, {36, 27}, {24.5, 21}}, white);
    im.fillPolygon({{17, 26}, {32, 26}, {24.5, 22.5}}, shadeW);
    im.fillRect(13, 27, 23, 2, roof);
    im.fillRect(15, 29, 19, 16, Rgb(170, 168, 176));
    for (int k = 0; k < 4; ++k) column(im, 15 + k * 5 + (k > 1 ? 1 : 0), 29, 44, white);
    im.fillRect(22, 36, 5, 9, Rgb(92, 70, 56));
    // Steps.
    im.fillRect(12, 45, 25, 1, shadeW);
    im.fillRect(11, 46, 27, 2, white);
    im.hline(11, 37, 47, shadeW);
    return finish(im, 7);
}

// 8: Shop. A cream corner store with a green sign, a red-and-white striped
// awning, window displays and a sandwich board.
Image shop() {
    Image im = newLayer();
    const Rgb wall(240, 226, 186), green(52, 140, 82), red(218, 54, 54), white(250, 250, 246);
    im.fillRect(5, 12, 40, 36, wall);
    sideShade(im, 40, 12, 5, 36, 0.85);
    im.fillRect(4, 10, 42, 3, shade(wall, 0.82));  // parapet
    // Sign board.
    im.fillRect(8, 4, 34, 11, green);
    im.hline(8, 41, 4, shade(green, 1.3));
    im.text5(13, 6, "SHOP", white);
    // Awning with scalloped edge.
    for (int y = 20; y <= 26; ++y)
        for (int x = 4; x <= 45; ++x) im.set(x, y, ((x - 4) / 3) % 2 == 0 ? red : white);
    for (int x = 4; x <= 45; ++x)
        if ((x - 4) % 3 == 1) im.set(x, 27, ((x - 4) / 3) % 2 == 0 ? red : white);
    im.hline(4, 45, 20, shade(red, 0.7));
    // Window displays with goods on shelves.
    const Rgb goods[6] = {Rgb(230, 90, 80), Rgb(250, 200, 60), Rgb(90, 160, 230),
                          Rgb(120, 200, 100), Rgb(240, 140, 200), Rgb(255, 255, 255)};
    for (int side = 0; side < 2; ++side) {
        int x0 = side == 0 ? 7 : 30;
        im.fillRect(x0, 30, 13, 12, Rgb(120, 170, 196));
        im.hline(x0, x0 + 12, 35, Rgb(160, 120, 80));
        im.hline(x0, x0 + 12, 41, Rgb(160, 120, 80));
        for (int k = 0; k < 4; ++k) {
            im.fillRect(x0 + 1 + k * 3, 32, 2, 3, goods[(k + side) % 6]);
            im.fillRect(x0 + 1 + k * 3, 38, 2, 3, goods[(k + 2 + side * 3) % 6]);
        }
        im.set(x0 + 1, 30, Rgb(220, 240, 250));
        im.set(x0 + 2, 31, Rgb(220, 240, 250));
        im.hline(x0 - 1, x0 + 13, 42, shade(wall, 0.8));
    }
    // Door.
    im.fillRect(21, 29, 8, 19, Rgb(150, 98, 60));
    im.fillRect(22, 31, 6, 8, Rgb(140, 190, 214));
    im.set(27, 41, Rgb(250, 210, 80));
    // Sandwich board out front.
    im.fillRect(37, 44, 5, 5, Rgb(60, 60, 70));
    im.hline(38, 40, 46, white);
    return finish(im, 8);
}

// 9: Army base. A camouflaged hangar, a watchtower and a tank parked in
// front on a dirt yard.
Image armyBase() {
    Image im = newLayer();
    const Rgb olive(104, 120, 60), darkG(62, 82, 44), brown(124, 98, 58), sand(176, 166, 110);
    // Quonset hangar, front half-disc with a camouflage pattern.
    for (int y = 4; y <= 28; ++y)
        for (int x = 2; x <= 36; ++x) {
            double dx = (x + 0.5 - 19.5) / 17.0, dy = (y + 0.5 - 28.5) / 24.0;
            if (dx * dx + dy * dy > 1.0) continue;
            double n = valueNoise(x, y, 4.0, 77);
            Rgb c = n < 0.35 ? darkG : n < 0.6 ? olive : n < 0.8 ? brown : sand;
            im.set(x, y, c);
        }
    for (int x = 6; x < 34; x += 5)
        for (int y = 4; y <= 28; ++y)
            if (im.get(x, y) != kKey) im.set(x, y, shade(im.get(x, y), 0.82));
    im.fillRect(12, 16, 15, 13, Rgb(46, 44, 40));  // open door
    im.hline(12, 26, 16, Rgb(80, 76, 64));
    // Star emblem above the door.
    im.set(19, 10, Rgb(240, 240, 230));
    im.hline(18, 20, 11, Rgb(240, 240, 230));
    im.set(18, 12, Rgb(240, 240, 230));
    im.set(20, 12, Rgb(240, 240, 230));
    // Watchtower.
    im.line(39, 30, 41, 12, brown);
    im.line(47, 30, 45, 12, brown);
    im.line(40, 22, 46, 16, shade(brown, 0.8));
    im.line(40, 16, 46, 22, shade(brown, 0.8));
    im.fillRect(38, 8, 11, 5, Rgb(150, 124, 78));
    im.fillRect(39, 9, 9, 2, Rgb(50, 46, 40));
    im.fillPolygon({{37, 8}, {49, 8}, {43, 3}}, darkG);
    // Tank: tracks, hull, turret and barrel pointing left.
    im.fillRect(7, 40, 32, 7, Rgb(64, 64, 62));
    for (int x = 9; x < 38; x += 5) {
        im.fillRect(x, 42, 3, 3, Rgb(120, 118, 110));
        im.set(x + 1, 43, Rgb(60, 58, 54));
    }
    for (int x = 7; x < 39; x += 2) im.set(x, 46, Rgb(90, 90, 86));
    im.fillRect(6, 36, 34, 4, olive);
    im.hline(6, 39, 36, shade(olive, 1.25));
    im.fillRect(15, 31, 16, 5, olive);
    im.hline(15, 30, 31, shade(olive, 1.25));
    im.fillRect(2, 32, 13, 2, darkG);  // barrel
    im.set(2, 32, Rgb(40, 40, 40));
    im.set(2, 33, Rgb(40, 40, 40));
    im.fillRect(24, 29, 4, 2, darkG);  // hatch
    for (int k = 0; k < 6; ++k) {
        int x = 8 + (k * 13) % 30, y = 36 + (k * 7) % 8;
        if (y < 40) im.set(x, y, darkG), im.set(x + 1, y, darkG);
    }
    im.set(18, 33, darkG), im.set(19, 33, darkG), im.set(27, 34, brown), im.set(28, 34, brown);
    // Sandbags by the hangar.
    for (int k = 0; k < 3; ++k) im.fillEllipse(40.5 + k * 3, 34.5, 1.8, 1.3, sand);
    return finish(im, 9);
}

}  // namespace

Image drawBuildingIcon(int n) {
    switch (n) {
        case 1: return tvStation();
        case 2: return stockExchange();
        case 3: return bank();
        case 4: return officeTower();
        case 5: return university();
        case 6: return casino();
        case 7: return governmentHall();
        case 8: return shop();
        case 9: return armyBase();
        default: return Image(kIconW, kIconH);
    }
}

}  // namespace art
