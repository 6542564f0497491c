// The town map behind the nine building icons: streets, the paved or
// planted lots the icons stand on, houses, trees, a park with a pond and a
// lake in the south-east. Seen from above like a board game, with the small
// buildings drawn front-on like the icons and the same upper-left light.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art.h"

namespace art {

namespace {

constexpr int kW = 589, kH = 376;

struct Box {
    int x, y, w, h;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// Streets, as asphalt rectangles. Chosen to run through the gaps between the
// nine fixed building sites.
const Box kRoads[] = {
    {0, 82, 318, 14},    // west boulevard
    {304, 0, 14, kH},    // central avenue
    {318, 124, kW - 318, 14},  // east boulevard
    {76, 0, 14, kH},     // west avenue
    {0, 222, 304, 14},   // south street
    {174, 0, 14, 222},   // college lane
    {400, 138, 14, kH - 138},  // harbour road
    {532, 0, 14, 124},   // north-east lane
};

// Lots around each building site: the site plus a margin, paved like the icon.
Box lotFor(int n) {
    const Site& s = kSites[n];
    int m = 6;
    if (s.ground == Ground::Lawn) m = 9;
    Box b{s.x - m, s.y - m, kIconW + 2 * m, kIconH + 2 * m};
    if (n == 8) b = Box{100, 288, 106, kH - 288};  // the army base has a large fenced yard
    return b;
}

bool onRoad(int x, int y, int pad) {
    for (const Box& r : kRoads)
        if (x >= r.x - pad && y >= r.y - pad && x < r.x + r.w + pad && y < r.y + r.h + pad) return true;
    return false;
}

// Grass with gentle mottling and the odd darker tuft.
Rgb grassAt(int x, int y) {
    double n = valueNoise(x, y, 18, 3) * 0.7 + valueNoise(x, y, 5, 9) * 0.3;
    Rgb c = mix(Rgb(96, 160, 74), Rgb(124, 184, 88), n);
    double h = hash01(x, y, 41);
    if (h > 0.96) c = shade(c, 0.84);
    else if (h < 0.03) c = shade(c, 1.1);
    return c;
}

// Lake and pond shapes as signed fields: inside when the value is below 1.
double lakeField(double x, double y) {
    double dx = (x - 520) / 96.0, dy = (y - 352) / 62.0;
    double wob = 0.08 * std::sin(x * 0.09) + 0.06 * std::cos(y * 0.13);
    return dx * dx + dy * dy + wob;
}
double pondField(double x, double y) {
    double dx = (x - 252) / 34.0, dy = (y - 318) / 22.0;
    return dx * dx + dy * dy + 0.05 * std::sin(x * 0.3);
}

void drawWater(Image& im) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            double f = std::min(lakeField(x, y), pondField(x, y));
            if (f > 1.18) continue;
            if (onRoad(x, y, 0)) continue;
            if (f > 1.0) {
                im.set(x, y, mix(Rgb(214, 200, 150), Rgb(196, 182, 132), hash01(x, y, 5)));  // sandy shore
                continue;
            }
            double depth = std::min(1.0, (1.0 - f) * 2.2);
            Rgb c = mix(Rgb(112, 178, 220), Rgb(54, 112, 178), depth);
            // Short horizontal ripple highlights.
            double r = valueNoise(x * 0.35, y * 2.0, 3, 17);
            if (r > 0.74 && f < 0.9) c = mix(c, Rgb(220, 240, 252), 0.55);
            im.set(x, y, c);
        }
    // Outline of the water edge.
    Image src = im;
    for (int y = 1; y < kH - 1; ++y)
        for (int x = 1; x < kW - 1; ++x) {
            double f = std::min(lakeField(x, y), pondField(x, y));
            if (f > 1.0 || onRoad(x, y, 0)) continue;
            bool edge = false;
            for (int d = 0; d < 4; ++d) {
                int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
                if (std::min(lakeField(nx, ny), pondField(nx, ny)) > 1.0) edge = true;
            }
            if (edge) im.set(x, y, Rgb(40, 82, 132));
        }
}

void drawRoads(Image& im) {
    const Rgb walk(198, 194, 184), curb(150, 146, 140), asphalt(88, 90, 100);
    // Pavements first so every road gets kerbs, then asphalt over them.
    for (const Box& r : kRoads) im.fillRect(r.x - 4, r.y - 4, r.w + 8, r.h + 8, walk);
    for (const Box& r : kRoads) {
        // Paving joints on the pavement.
        for (int y = r.y - 4; y < r.y + r.h + 4; ++y)
            for (int x = r.x - 4; x < r.x + r.w + 4; ++x)
                if (im.inside(x, y) && !onRoad(x, y, 0) && ((x % 6 == 0 && r.w > r.h) || (y % 6 == 0 && r.h > r.w)))
                    im.set(x, y, shade(walk, 0.92));
    }
    for (const Box& r : kRoads) im.fillRect(r.x - 1, r.y - 1, r.w + 2, r.h + 2, curb);
    for (const Box& r : kRoads)
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) {
                double h = hash01(x, y, 71);
                im.set(x, y, h > 0.9 ? shade(asphalt, 1.08) : h < 0.08 ? shade(asphalt, 0.93) : asphalt);
            }
    // Centre lines, left out at crossings.
    auto crossing = [&](int x, int y, const Box* self) {
        for (const Box& r : kRoads)
            if (&r != self && x >= r.x - 4 && y >= r.y - 4 && x < r.x + r.w + 4 && y < r.y + r.h + 4) return true;
        return false;
    };
    const Rgb paint(236, 226, 150);
    for (const Box& r : kRoads) {
        bool horiz = r.w > r.h;
        if (horiz) {
            int y = r.y + r.h / 2 - 1;
            for (int x = r.x; x < r.x + r.w; ++x)
                if (x % 10 < 5 && !crossing(x, y, &r)) im.fillRect(x, y, 1, 2, paint);
        } else {
            int x = r.x + r.w / 2 - 1;
            for (int y = r.y; y < r.y + r.h; ++y)
                if (y % 10 < 5 && !crossing(x, y, &r)) im.fillRect(x, y, 2, 1, paint);
        }
    }
    // Zebra crossings on the approaches to the busiest junctions.
    auto zebraH = [&](int x, int y, int len) {  // stripes across a vertical road
        for (int i = 0; i < len; i += 3) im.fillRect(x + i, y, 2, 4, Rgb(238, 238, 232));
    };
    auto zebraV = [&](int x, int y, int len) {  // stripes across a horizontal road
        for (int j = 0; j < len; j += 3) im.fillRect(x, y + j, 4, 2, Rgb(238, 238, 232));
    };
    zebraH(305, 100, 13);
    zebraH(305, 74, 13);
    zebraV(296, 83, 13);
    zebraV(322, 125, 13);
    zebraH(305, 142, 13);
    zebraV(392, 125, 13);
    zebraH(401, 142, 13);
    zebraH(77, 100, 13);
    zebraH(77, 240, 13);
}

void drawLots(Image& im) {
    for (int n = 0; n < 9; ++n) {
        Box b = lotFor(n);
        Ground g = kSites[n].ground;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x)
                if (im.inside(x, y)) im.set(x, y, groundColour(g, x, y));
        // A kerb or hedge frames each lot so it reads as a property.
        Rgb edge = g == Ground::Lawn ? Rgb(58, 112, 52) : g == Ground::Dirt ? Rgb(130, 110, 74) : Rgb(160, 154, 142);
        im.rect(b.x, b.y, b.w, b.h, edge);
        if (g == Ground::Lawn) {
            im.rect(b.x + 1, b.y + 1, b.w - 2, b.h - 2, Rgb(74, 134, 62));
            for (int x = b.x; x < b.x + b.w; x += 2) im.set(x, b.y, Rgb(92, 150, 70));
        } else {
            im.hline(b.x + 1, b.x + b.w - 2, b.y + 1, shade(edge, 1.12));
        }
    }
    // Barbed-wire fence round the army yard, with a gate facing the street.
    Box a = lotFor(8);
    const Rgb post(96, 86, 70), wire(150, 150, 150);
    for (int x = a.x; x < a.x + a.w; ++x) {
        im.set(x, a.y, wire);
        im.set(x, a.y + 2, wire);
        if ((x - a.x) % 6 == 0) im.vline(x, a.y - 1, a.y + 3, post);
    }
    for (int y = a.y; y < kH; ++y)
        for (int x : {a.x, a.x + a.w - 1}) {
            im.set(x, y, wire);
            if ((y - a.y) % 6 == 0) im.fillRect(x - 1, y, 3, 1, post);
        }
    im.fillRect(150, a.y - 1, 18, 5, groundColour(Ground::Dirt, 150, a.y));
    im.fillRect(148, a.y - 2, 2, 7, Rgb(200, 60, 50));
    im.fillRect(168, a.y - 2, 2, 7, Rgb(200, 60, 50));
    // A dirt track from the gate to the south street.
    for (int y = 240; y < a.y - 1; ++y)
        for (int x = 152; x < 166; ++x) im.set(x, y, groundColour(Ground::Dirt, x, y));
}

Image layer(int w, int h) { return Image(w, h, kKey); }

// A small house: walls, pitched roof seen from the front, door and windows.
Image house(Rgb roof, Rgb wall, int w, int h, Rng& rng) {
    Image s = layer(w, h);
    int roofH = h / 2;
    s.fillRect(1, roofH, w - 2, h - roofH, wall);
    s.fillRect(w - 4, roofH, 3, h - roofH, shade(wall, 0.82));
    s.fillPolygon({{0, static_cast<double>(roofH + 1)}, {static_cast<double>(w), static_cast<double>(roofH + 1)},
                   {w - 3.0, 1}, {3.0, 1}},
                  roof);
    s.hline(3, w - 4, 1, shade(roof, 1.3));
    for (int y = 3; y < roofH; y += 2) s.hline(2, w - 3, y, shade(roof, 0.86));
    int door = rng.range(2, w - 6);
    s.fillRect(door, h - 4, 2, 4, Rgb(110, 70, 46));
    for (int x = 2; x < w - 3; x += 4)
        if (x < door - 2 || x > door + 2) s.fillRect(x, roofH + 2, 2, 2, Rgb(90, 130, 180));
    return s;
}

// A mid-rise apartment block: flat roof and a grid of lit windows.
Image apartments(int w, int h, Rgb wall) {
    Image s = layer(w, h);
    s.fillRect(0, 2, w, h - 2, wall);
    s.fillRect(0, 0, w, 3, shade(wall, 0.75));
    s.fillRect(w - 3, 2, 3, h - 2, shade(wall, 0.8));
    for (int y = 5; y < h - 4; y += 4)
        for (int x = 2; x < w - 4; x += 3) s.set(x, y, (x * 7 + y * 3) % 5 == 0 ? Rgb(250, 230, 140) : Rgb(80, 110, 160)), s.set(x, y + 1, Rgb(80, 110, 160));
    s.fillRect(w / 2 - 2, h - 4, 3, 4, Rgb(60, 70, 90));
    return s;
}

Image tree(int r, Rgb leaf) {
    Image s = layer(2 * r + 2, 2 * r + 5);
    double c = r + 1;
    s.fillRect(r, 2 * r, 2, 4, Rgb(120, 84, 50));
    s.fillEllipse(c, c, r, r, shade(leaf, 0.8));
    s.fillEllipse(c - 0.6, c - 0.8, r - 1, r - 1.2, leaf);
    s.fillEllipse(c - r * 0.35, c - r * 0.4, r * 0.45, r * 0.4, shade(leaf, 1.22));
    return s;
}

Image pine(int h) {
    Image s = layer(h, h + 3);
    const Rgb g(50, 118, 70);
    for (int t = 0; t < 3; ++t) {
        double top = t * h * 0.25, bot = top + h * 0.5;
        double half = (t + 2) * h / 9.0;
        s.fillPolygon({{h / 2.0, top}, {h / 2.0 + half, bot}, {h / 2.0 - half, bot}}, shade(g, 1.0 + 0.06 * t));
        s.fillPolygon({{h / 2.0, top}, {h / 2.0 + half, bot}, {h / 2.0 + 0.5, bot}}, shade(g, 0.78));
    }
    s.fillRect(h / 2 - 1, static_cast<int>(h * 1.0), 2, 3, Rgb(110, 76, 46));
    return s;
}

bool blocked(const std::vector<Box>& taken, Box b) {
    for (const Box& t : taken)
        if (b.x < t.x + t.w && t.x < b.x + b.w && b.y < t.y + t.h && t.y < b.y + b.h) return true;
    return false;
}

bool clearGround(Box b) {
    for (int y = b.y - 1; y <= b.y + b.h; ++y)
        for (int x = b.x - 1; x <= b.x + b.w; ++x) {
            if (x < 0 || y < 0 || x >= kW || y >= kH) return false;
            if (onRoad(x, y, 4)) return false;
            if (std::min(lakeField(x, y), pondField(x, y)) < 1.25) return false;
        }
    return true;
}

void place(Image& im, std::vector<Box>& taken, const Image& s, int x, int y, bool outline = true) {
    Image sp = s;
    if (outline) autoOutline(sp);
    stampWithShadow(im, sp, x, y, 2, 1, 0.7);
    taken.push_back({x - 1, y - 1, sp.width() + 3, sp.height() + 2});
}

}  // namespace

Image drawFieldMap() {
    Image im(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) im.set(x, y, grassAt(x, y));

    drawWater(im);
    drawRoads(im);
    drawLots(im);

    std::vector<Box> taken;
    // Footpaths joining each lot to the street it faces.
    const Box paths[] = {{66, 30, 7, 10},   {66, 170, 7, 10},  {130, 99, 10, 6},  {230, 69, 10, 10},
                         {260, 99, 10, 13}, {360, 116, 10, 5}, {480, 86, 10, 35}, {417, 245, 8, 10}};
    for (const Box& b : paths) {
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x)
                if (!onRoad(x, y, 0)) im.set(x, y, groundColour(Ground::Plaza, x, y));
        bool vertical = b.h > b.w;
        if (vertical) {
            im.vline(b.x - 1, b.y, b.y + b.h - 1, Rgb(160, 154, 142));
            im.vline(b.x + b.w, b.y, b.y + b.h - 1, Rgb(160, 154, 142));
        } else {
            im.hline(b.x, b.x + b.w - 1, b.y - 1, Rgb(160, 154, 142));
            im.hline(b.x, b.x + b.w - 1, b.y + b.h, Rgb(160, 154, 142));
        }
        taken.push_back({b.x - 2, b.y - 2, b.w + 4, b.h + 4});
    }
    for (int n = 0; n < 9; ++n) {
        Box b = lotFor(n);
        taken.push_back({b.x - 2, b.y - 2, b.w + 4, b.h + 4});
    }

    // A timber jetty running out from the west shore of the lake.
    for (int x = 430; x < 466; ++x) im.vline(x, 319, 325, (x % 3 == 0) ? Rgb(120, 86, 54) : Rgb(164, 122, 78));
    im.hline(430, 465, 318, Rgb(80, 56, 36));
    im.hline(430, 465, 326, Rgb(80, 56, 36));
    im.vline(465, 318, 326, Rgb(80, 56, 36));
    for (int x : {440, 452, 464}) im.set(x, 327, Rgb(60, 44, 30));
    taken.push_back({420, 312, 50, 18});
    // A little boat on the lake.
    {
        Image boat = layer(16, 8);
        boat.fillPolygon({{0, 4}, {16, 4}, {13, 8}, {3, 8}}, Rgb(236, 232, 222));
        boat.hline(1, 14, 4, Rgb(200, 60, 50));
        boat.fillPolygon({{8, 0}, {8, 4}, {12, 4}}, Rgb(250, 250, 250));
        boat.vline(8, 0, 4, Rgb(120, 90, 60));
        autoOutline(boat);
        im.blitKeyed(boat, 530, 340, kKey);
        taken.push_back({528, 338, 20, 12});
    }

    // Park round the pond: paths, a bench and a fountain.
    for (int y = 270; y < 372; ++y)
        for (int x = 210; x < 300; ++x) {
            double d = std::fabs(pondField(x, y) - 1.6);
            if (d < 0.12 && !onRoad(x, y, 4)) im.set(x, y, mix(Rgb(222, 206, 162), Rgb(206, 190, 146), hash01(x, y, 8)));
        }
    im.fillRect(240, 254, 10, 3, Rgb(150, 100, 60));
    im.fillRect(241, 257, 1, 2, Rgb(70, 50, 30));
    im.fillRect(248, 257, 1, 2, Rgb(70, 50, 30));
    taken.push_back({238, 252, 14, 8});
    // Fountain plaza between the bank and the exchange.
    {
        int cx = 428, cy = 66;
        for (int y = cy - 17; y <= cy + 17; ++y)
            for (int x = cx - 17; x <= cx + 17; ++x) {
                double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (d < 17) im.set(x, y, groundColour(Ground::Plaza, x, y));
            }
        im.fillEllipse(cx, cy, 10, 10, Rgb(170, 164, 152));
        im.fillEllipse(cx, cy, 8.5, 8.5, Rgb(90, 156, 210));
        im.ellipseOutline(cx, cy, 10, 10, kInk);
        im.fillEllipse(cx, cy, 2.5, 2.5, Rgb(200, 196, 186));
        im.set(cx - 1, cy - 4, Rgb(230, 244, 255));
        im.set(cx, cy - 5, Rgb(230, 244, 255));
        im.set(cx - 4, cy - 2, Rgb(230, 244, 255));
        im.set(cx + 3, cy + 3, Rgb(200, 228, 250));
        taken.push_back({cx - 18, cy - 18, 36, 36});
    }
    // Car park beside the TV station.
    {
        Box p{494, 150, 60, 44};
        im.fillRect(p.x, p.y, p.w, p.h, Rgb(120, 122, 130));
        im.rect(p.x, p.y, p.w, p.h, Rgb(170, 166, 158));
        for (int x = p.x + 4; x < p.x + p.w - 4; x += 9) {
            im.vline(x, p.y + 2, p.y + 14, Rgb(230, 230, 230));
            im.vline(x, p.y + p.h - 15, p.y + p.h - 3, Rgb(230, 230, 230));
        }
        const Rgb cars[] = {Rgb(214, 56, 52), Rgb(240, 240, 236), Rgb(60, 100, 180), Rgb(250, 200, 60),
                            Rgb(60, 60, 66), Rgb(80, 160, 90)};
        int k = 0;
        for (int x = p.x + 6; x < p.x + p.w - 8; x += 9, ++k) {
            if (k % 3 == 1) continue;
            Image car = layer(6, 10);
            car.fillRect(0, 0, 6, 10, cars[k % 6]);
            car.fillRect(1, 2, 4, 2, Rgb(140, 190, 220));
            car.fillRect(1, 7, 4, 1, Rgb(140, 190, 220));
            autoOutline(car);
            im.blitKeyed(car, x, p.y + 3, kKey);
            Image car2 = car;
            im.blitKeyed(car2, x, p.y + p.h - 14, kKey);
        }
        taken.push_back({p.x - 2, p.y - 2, p.w + 4, p.h + 4});
    }
    // Cars on the streets.
    {
        const Rgb cars[] = {Rgb(214, 56, 52), Rgb(60, 100, 180), Rgb(250, 200, 60), Rgb(240, 240, 236)};
        struct Car { int x, y; bool horiz; };
        const Car cs[] = {{40, 84, true}, {230, 90, true}, {370, 126, true}, {500, 132, true},
                          {306, 40, false}, {312, 300, false}, {78, 160, false}, {406, 250, false},
                          {140, 230, true}, {176, 40, false}};
        int k = 0;
        for (const Car& c : cs) {
            Image car = c.horiz ? layer(10, 5) : layer(5, 10);
            car.fill(cars[k % 4]);
            if (c.horiz) car.fillRect(6, 1, 2, 3, Rgb(140, 190, 220)), car.fillRect(1, 1, 1, 3, Rgb(140, 190, 220));
            else car.fillRect(1, 2, 3, 2, Rgb(140, 190, 220)), car.fillRect(1, 8, 3, 1, Rgb(140, 190, 220));
            Image framed = c.horiz ? layer(12, 7) : layer(7, 12);
            framed.blit(car, 1, 1);
            autoOutline(framed);
            stampWithShadow(im, framed, c.x, c.y, 1, 1, 0.75);
            ++k;
        }
    }

    Rng rng(20240601);
    const Rgb roofs[] = {Rgb(196, 72, 58), Rgb(70, 96, 150), Rgb(120, 84, 60), Rgb(88, 130, 96), Rgb(170, 120, 60)};
    const Rgb walls[] = {Rgb(240, 232, 210), Rgb(232, 220, 196), Rgb(250, 246, 236), Rgb(226, 214, 200)};
    // Hand-picked housing blocks so the town has neighbourhoods, not noise.
    struct Spot { int x, y, kind; };
    const Spot homes[] = {
        {8, 102, 0}, {30, 104, 0}, {52, 100, 0}, {96, 8, 0}, {120, 6, 1}, {146, 10, 0}, {96, 44, 0},
        {150, 52, 0}, {8, 244, 0}, {34, 246, 0}, {8, 286, 0}, {36, 300, 1}, {8, 330, 0}, {50, 340, 0},
        {330, 150, 1}, {362, 152, 0}, {332, 200, 0}, {360, 196, 1}, {330, 250, 0}, {360, 258, 0},
        {332, 300, 1}, {366, 318, 0}, {330, 350, 0}, {420, 150, 0}, {446, 152, 0}, {420, 190, 0},
        {556, 14, 0}, {556, 60, 1}, {480, 94, 0}, {510, 96, 0}, {334, 10, 0}, {366, 8, 0}, {560, 150, 0},
        {560, 200, 1}, {500, 210, 0}, {530, 250, 0}, {500, 290, 0}, {196, 100, 0}, {196, 190, 0},
    };
    for (const Spot& s : homes) {
        Image sp = s.kind == 1 ? apartments(rng.range(16, 20), rng.range(20, 26), walls[rng.range(0, 3)])
                               : house(roofs[rng.range(0, 4)], walls[rng.range(0, 3)], rng.range(15, 19), rng.range(14, 16), rng);
        Box b{s.x, s.y, sp.width() + 3, sp.height() + 2};
        if (!clearGround(b) || blocked(taken, b)) continue;
        place(im, taken, sp, s.x, s.y);
    }
    // Avenue trees along the pavements, then woodland to fill the gaps.
    const Rgb leaves[] = {Rgb(64, 142, 64), Rgb(78, 156, 70), Rgb(58, 130, 74)};
    for (int attempt = 0; attempt < 2600; ++attempt) {
        int r = rng.range(4, 7);
        int x = rng.range(-2, kW - 2 * r), y = rng.range(-2, kH - 2 * r - 2);
        Image t = rng.chance(0.25) ? pine(2 * r + 3) : tree(r, leaves[rng.range(0, 2)]);
        Box b{x, y, t.width() + 2, t.height() + 1};
        if (!clearGround(b) || blocked(taken, b)) continue;
        place(im, taken, t, x, y);
    }
    // Flower beds on the university and government lawns' corners.
    for (int n : {4, 6}) {
        Box b = lotFor(n);
        for (int k = 0; k < 10; ++k) {
            int x = b.x + 3 + (k % 2) * (b.w - 7) , y = b.y + 3 + (k / 2) * ((b.h - 6) / 5);
            Rgb c = k % 3 == 0 ? Rgb(240, 90, 120) : k % 3 == 1 ? Rgb(250, 220, 80) : Rgb(250, 250, 250);
            im.set(x, y, c);
            im.set(x + 1, y + 1, c);
        }
    }
    // Street lamps along the central avenue.
    for (int y = 20; y < kH; y += 44) {
        if (onRoad(299, y, 0) || onRoad(299, y + 4, 0)) continue;
        im.vline(299, y, y + 5, Rgb(60, 60, 70));
        im.set(299, y - 1, Rgb(255, 240, 160));
        im.set(298, y, Rgb(60, 60, 70));
    }
    return im;
}

}  // namespace art
