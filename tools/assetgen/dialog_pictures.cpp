// The small pictures at the top of the dialogs: one emblem per dialog on a
// tinted, vignetted panel, drawn in a 100-unit box at four times the final
// size and filtered down.
#include <cmath>
#include <string>

#include "art.h"
#include "pen.h"
#include "picture_sizes.h"

namespace art {

namespace {

constexpr int kSuper = 4;
constexpr double kPi = 3.14159265358979323846;

const Rgb kWhite(252, 252, 248), kGold(244, 196, 60), kGoldDark(186, 132, 30), kGoldLight(255, 234, 150);
const Rgb kRed(214, 52, 52), kBlue(56, 96, 184), kGreen(60, 160, 84);

// Panel: radial glow from `inner` at the upper left to `outer`, framed.
void panel(Image& im, Rgb inner, Rgb outer) {
    const double w = im.width(), h = im.height();
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            double dx = (x - w * 0.38) / w, dy = (y - h * 0.32) / h;
            double t = std::min(1.0, std::sqrt(dx * dx + dy * dy) * 1.5);
            im.set(x, y, mix(inner, outer, t));
        }
}

void frame(Image& im, double inkPx) {
    int f = static_cast<int>(inkPx + 0.5);
    for (int i = 0; i < f; ++i) im.rect(i, i, im.width() - 2 * i, im.height() - 2 * i, kInk);
}

void star(Pen& d, double cx, double cy, double r, Rgb c, bool outline = true, double inner = 0.42) {
    std::vector<Pt> pts;
    for (int i = 0; i < 10; ++i) {
        double a = -kPi / 2 + i * kPi / 5;
        double rr = i % 2 == 0 ? r : r * inner;
        pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    if (outline) d.opoly(pts, c);
    else d.poly(pts, c);
}

// 150: police and courts. A gold police badge over a pair of handcuffs.
void police(Pen& d) {
    panel(d.im, Rgb(120, 150, 210), Rgb(30, 44, 96));
    // Handcuffs behind the badge.
    for (int s : {-1, 1}) {
        double cx = 50 + s * 28, cy = 74;
        d.ring(cx, cy, 13, 5.5 + 2 * d.ink / d.k, kInk);
        d.ring(cx, cy, 13, 5.5, Rgb(196, 200, 210));
        d.ring(cx - 1, cy - 1, 13, 1.6, Rgb(240, 242, 248));
    }
    d.oline(36, 70, 64, 70, 3.5, Rgb(170, 174, 186));
    // Badge: a shield with a star.
    std::vector<Pt> shield = {{50, 8}, {76, 18}, {74, 48}, {50, 70}, {26, 48}, {24, 18}};
    d.opoly(shield, kGold);
    d.poly({{50, 14}, {70, 22}, {68, 46}, {50, 63}, {32, 46}, {30, 22}}, kGoldDark);
    d.poly({{50, 16}, {68, 23}, {66, 45}, {50, 60}, {34, 45}, {32, 23}}, Rgb(230, 178, 50));
    star(d, 50, 37, 17, kGoldLight);
    d.ell(50, 38, 6, 6, Rgb(40, 70, 150));
    d.ell(48.5, 36.5, 2, 2, Rgb(180, 200, 250));
    d.poly({{30, 20}, {50, 12}, {50, 16}, {32, 23}}, Rgb(255, 244, 200), 0.8);  // glint
}

// 151: shareholders' meeting. A lectern with microphones before rows of heads.
void meeting(Pen& d) {
    panel(d.im, Rgb(250, 226, 180), Rgb(160, 96, 60));
    d.rect(0, 0, 100, 46, Rgb(120, 40, 48), 0.9);  // curtain
    for (int x = 6; x < 100; x += 12) d.line(x, 0, x, 46, 2.5, Rgb(90, 24, 34));
    d.rect(0, 44, 100, 4, kGold);
    // Banner.
    d.orect(22, 8, 56, 12, kWhite);
    d.text(26, 11, "AGM 2024", Rgb(120, 40, 48), 1);
    // Lectern and microphones.
    d.opoly({{36, 40}, {64, 40}, {60, 74}, {40, 74}}, Rgb(140, 90, 56));
    d.rect(40, 46, 20, 4, kGold);
    d.ell(50, 58, 5, 5, kGold);
    d.line(46, 40, 42, 28, -1, kInk);
    d.line(54, 40, 58, 28, -1, kInk);
    d.oell(42, 27, 2.5, 3, Rgb(60, 60, 70));
    d.oell(58, 27, 2.5, 3, Rgb(60, 60, 70));
    // Audience.
    const Rgb suits[] = {Rgb(50, 56, 80), Rgb(70, 70, 76), Rgb(40, 46, 64), Rgb(90, 80, 70)};
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 6; ++k) {
            double x = 8 + k * 17 + row * 8, y = 80 + row * 12;
            if (row == 1 && k == 5) continue;
            d.oell(x, y + 12, 8, 8, suits[(k + row) % 4]);
            d.oell(x, y, 5, 5.5, Rgb(60, 44, 36));
        }
}

// 152: founding a company. A certificate with a red seal and a fountain pen.
void founding(Pen& d) {
    panel(d.im, Rgb(210, 240, 220), Rgb(60, 130, 100));
    d.opoly({{18, 10}, {78, 6}, {84, 88}, {24, 92}}, Rgb(252, 248, 232));
    d.edges({{23, 15}, {74, 11}, {79, 83}, {28, 87}}, kGoldDark, d.ink * 0.7);
    for (int k = 0; k < 6; ++k) d.line(30, 26 + k * 8 - k * 0.5, 68, 24 + k * 8 - k * 0.5, 1.6, Rgb(150, 150, 160));
    d.oell(64, 72, 10, 10, Rgb(210, 40, 40));
    d.ring(64, 72, 7, 1.4, Rgb(250, 200, 200));
    d.text(60, 69, "+", Rgb(250, 220, 220), 1);
    // Pen.
    d.oline(90, 30, 56, 64, 7, Rgb(30, 30, 40));
    d.oline(90, 30, 78, 42, 7, kGold);
    d.opoly({{56, 64}, {52, 72}, {60, 68}}, kGoldLight);
}

// 153: media. A television showing a newsreader and a "NEWS" strap.
void media(Pen& d) {
    panel(d.im, Rgb(255, 214, 190), Rgb(170, 60, 60));
    d.line(42, 22, 28, 4, -1, kInk);
    d.line(58, 22, 76, 6, -1, kInk);
    d.line(42, 22, 28, 4, 1.5, Rgb(150, 150, 160));
    d.line(58, 22, 76, 6, 1.5, Rgb(150, 150, 160));
    d.oell(28, 4, 3, 3, kRed);
    d.oell(76, 6, 3, 3, kRed);
    auto body = d.roundRect(8, 20, 84, 64, 9);
    d.opoly(body, Rgb(90, 70, 64));
    d.poly(d.roundRect(11, 23, 78, 58, 7), Rgb(130, 104, 92));
    auto screen = d.roundRect(15, 27, 58, 48, 6);
    d.opoly(screen, Rgb(80, 140, 200));
    d.rect(15, 27, 58, 20, Rgb(110, 170, 220), 0.8);
    // Newsreader.
    d.oell(44, 74, 16, 14, Rgb(40, 50, 90));
    d.poly({{40, 60}, {48, 60}, {44, 70}}, kWhite);
    d.poly({{43, 62}, {45, 62}, {44, 69}}, kRed);
    d.oell(44, 48, 8, 9, Rgb(240, 200, 166));
    d.poly({{35, 46}, {36, 38}, {44, 36}, {53, 39}, {53, 45}, {46, 42}}, Rgb(50, 36, 30));
    d.rect(15, 64, 58, 11, kRed);
    d.text(17, 66.5, "NEWS", kWhite, 2);
    d.poly({{18, 30}, {34, 30}, {20, 44}}, Rgb(255, 255, 255), 0.35);
    // Knobs and speaker.
    d.oell(82, 36, 4, 4, kGold);
    d.oell(82, 50, 4, 4, kGold);
    for (int k = 0; k < 4; ++k) d.line(78, 60 + k * 4, 86, 60 + k * 4, 1.4, Rgb(60, 46, 40));
    d.rect(18, 84, 10, 6, Rgb(70, 54, 50));
    d.rect(72, 84, 10, 6, Rgb(70, 54, 50));
}

// 154: bank. A vault door standing open on stacks of gold coins.
void bank(Pen& d) {
    panel(d.im, Rgb(230, 236, 244), Rgb(96, 110, 132));
    d.oell(44, 50, 38, 40, Rgb(150, 156, 170));
    d.oell(44, 50, 30, 32, Rgb(40, 44, 56));
    // Coins in the vault.
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 4 - s; ++k) {
            double x = 30 + s * 12, y = 72 - k * 6;
            d.oell(x, y, 8, 3.5, kGoldDark);
            d.ell(x, y - 1, 7, 2.6, kGold);
        }
    // Door swung open to the right.
    d.opoly({{68, 12}, {94, 20}, {94, 82}, {68, 90}}, Rgb(176, 182, 196));
    d.poly({{86, 18}, {94, 20}, {94, 82}, {86, 84}}, Rgb(130, 136, 150));
    d.oell(80, 51, 6, 12, Rgb(200, 206, 220));
    for (int k = 0; k < 6; ++k) {
        double a = k * kPi / 3;
        d.line(80, 51, 80 + 5 * std::cos(a), 51 + 10 * std::sin(a), 2, Rgb(110, 116, 130));
    }
    d.oell(80, 51, 2.4, 4, kGold);
    // A big yen coin in front.
    d.oell(26, 30, 16, 16, kGold);
    d.ring(26, 30, 12.5, 2, kGoldDark);
    d.line(20, 22, 26, 30, 3, kGoldDark);
    d.line(32, 22, 26, 30, 3, kGoldDark);
    d.line(26, 30, 26, 40, 3, kGoldDark);
    d.line(20, 31, 32, 31, 2.5, kGoldDark);
    d.line(20, 35, 32, 35, 2.5, kGoldDark);
    d.ell(20, 23, 3, 2, kGoldLight, 0.8);
}

// 155: takeover bid. A pie chart with a growing red slice and an arrow
// pulling it in.
void takeover(Pen& d) {
    panel(d.im, Rgb(232, 240, 255), Rgb(100, 120, 180));
    const double cx = 44, cy = 56, r = 34;
    auto wedge = [&](double a0, double a1, double ox, double oy, Rgb c) {
        std::vector<Pt> pts = {{cx + ox, cy + oy}};
        for (int i = 0; i <= 24; ++i) {
            double a = a0 + (a1 - a0) * i / 24;
            pts.push_back({cx + ox + r * std::cos(a), cy + oy + r * std::sin(a)});
        }
        d.opoly(pts, c);
    };
    wedge(-kPi / 2, 0.9, 0, 0, kBlue);
    wedge(0.9, 2.2, 0, 0, kGreen);
    wedge(2.2, 3 * kPi / 2, -5, -4, kRed);
    d.ell(cx - 14, cy - 14, 8, 5, Rgb(255, 255, 255), 0.3);
    // Arrow curving towards the red slice.
    d.oline(90, 14, 68, 24, 6, kGold);
    d.opoly({{60, 16}, {72, 36}, {56, 30}}, kGold);
    d.opoly({{56, 22}, {72, 30}, {54, 36}}, kGold);
}

// 156: casino. Two dice, a fan of cards and a stack of chips.
void casino(Pen& d) {
    panel(d.im, Rgb(90, 190, 120), Rgb(10, 70, 40));
    // Cards.
    for (int k = 0; k < 3; ++k) {
        double a = (k - 1) * 0.32;
        double ox = 60, oy = 70;
        std::vector<Pt> c;
        const double cs[4][2] = {{-11, -34}, {11, -34}, {11, 0}, {-11, 0}};
        for (auto& q : cs)
            c.push_back({ox + q[0] * std::cos(a) - q[1] * std::sin(a), oy + q[0] * std::sin(a) + q[1] * std::cos(a)});
        d.opoly(c, kWhite);
        double mx = ox + (-22) * -std::sin(a) * 0.6, my = oy - 22 * std::cos(a) * 0.6;
        if (k == 2) {
            d.ell(mx - 2.5, my - 1.5, 3.2, 3.2, kRed);
            d.ell(mx + 2.5, my - 1.5, 3.2, 3.2, kRed);
            d.poly({{mx - 5.6, my - 0.5}, {mx + 5.6, my - 0.5}, {mx, my + 6}}, kRed);
        } else if (k == 1) {
            d.poly({{mx, my - 6}, {mx + 5, my}, {mx, my + 6}, {mx - 5, my}}, kRed);
        } else {
            d.ell(mx, my - 3, 3, 3, kInk);
            d.ell(mx - 3, my + 1, 3, 3, kInk);
            d.ell(mx + 3, my + 1, 3, 3, kInk);
            d.rect(mx - 0.8, my, 1.6, 6, kInk);
        }
    }
    // Chips.
    for (int k = 0; k < 5; ++k) {
        double y = 86 - k * 5;
        d.oell(80, y, 13, 5, k % 2 ? kRed : kBlue);
        d.ell(80, y - 1, 8, 2.8, k % 2 ? Rgb(240, 120, 120) : Rgb(130, 160, 230));
    }
    // Dice.
    auto die = [&](double x, double y, double s, const std::vector<Pt>& pips) {
        d.opoly(d.roundRect(x, y, s, s, s * 0.18), kWhite);
        d.rect(x + s * 0.1, y + s * 0.86, s * 0.8, s * 0.08, Rgb(200, 200, 210));
        for (const Pt& p : pips) d.ell(x + p.x * s, y + p.y * s, s * 0.09, s * 0.09, p.x == 0.5 && pips.size() == 1 ? kRed : kInk);
    };
    die(8, 58, 30, {{0.25, 0.25}, {0.75, 0.25}, {0.5, 0.5}, {0.25, 0.75}, {0.75, 0.75}});
    die(14, 20, 26, {{0.5, 0.5}});
}

// 157: missile. A rocket lifting off its pad in smoke.
void missile(Pen& d) {
    panel(d.im, Rgb(255, 214, 150), Rgb(120, 40, 40));
    for (int k = 0; k < 7; ++k) d.oell(20 + k * 10, 88 - (k % 3) * 3, 12, 9, Rgb(226, 222, 214));
    d.opoly({{44, 70}, {36, 84}, {64, 84}, {56, 70}}, Rgb(255, 170, 40));
    d.poly({{46, 70}, {42, 80}, {58, 80}, {54, 70}}, Rgb(255, 240, 130));
    d.opoly({{40, 56}, {30, 72}, {42, 70}}, kRed);
    d.opoly({{60, 56}, {70, 72}, {58, 70}}, kRed);
    d.opoly({{42, 24}, {50, 6}, {58, 24}, {58, 70}, {42, 70}}, Rgb(236, 236, 240));
    d.poly({{52, 14}, {58, 24}, {58, 70}, {53, 70}}, Rgb(190, 192, 200));
    d.poly({{45, 17}, {50, 6}, {55, 17}}, kRed);
    d.oell(50, 34, 4, 4, Rgb(90, 150, 220));
    d.rect(42, 48, 16, 4, kRed);
}

// 158: university research. A mortarboard on books beside a flask.
void university(Pen& d) {
    panel(d.im, Rgb(220, 232, 255), Rgb(70, 80, 150));
    d.orect(14, 70, 60, 12, Rgb(170, 60, 50));
    d.rect(14, 78, 58, 2, kWhite);
    d.orect(18, 58, 52, 12, Rgb(60, 110, 170));
    d.rect(18, 66, 50, 2, kWhite);
    d.orect(12, 46, 56, 12, Rgb(80, 140, 80));
    d.rect(12, 54, 54, 2, kWhite);
    // Mortarboard.
    d.opoly({{26, 34}, {54, 34}, {54, 46}, {26, 46}}, Rgb(40, 40, 52));
    d.opoly({{8, 30}, {40, 18}, {72, 30}, {40, 42}}, Rgb(50, 50, 64));
    d.poly({{12, 30}, {40, 20}, {44, 22}, {18, 32}}, Rgb(90, 90, 110));
    d.line(40, 30, 64, 36, 1.6, kGold);
    d.line(64, 36, 64, 50, 1.6, kGold);
    d.oell(64, 52, 2.5, 4, kGold);
    d.oell(40, 30, 2, 2, kGold);
    // Flask.
    d.opoly({{80, 40}, {86, 40}, {86, 56}, {96, 84}, {70, 84}, {80, 56}}, Rgb(220, 240, 250));
    d.poly({{76, 68}, {90, 68}, {95, 83}, {71, 83}}, Rgb(120, 220, 140));
    d.ell(80, 76, 2, 2, Rgb(220, 255, 230));
    d.ell(86, 72, 1.5, 1.5, Rgb(220, 255, 230));
    d.ell(84, 34, 2, 2, Rgb(200, 255, 210), 0.9);
    d.ell(88, 26, 3, 3, Rgb(200, 255, 210), 0.7);
}

// 159: trial. A judge's gavel striking its block.
void gavel(Pen& d) {
    panel(d.im, Rgb(240, 220, 190), Rgb(110, 70, 40));
    d.oell(50, 82, 30, 8, Rgb(110, 66, 36));
    d.opoly({{22, 74}, {78, 74}, {78, 82}, {22, 82}}, Rgb(140, 88, 50));
    d.oell(50, 74, 28, 7, Rgb(170, 110, 64));
    // Handle up to the right, head across its end, just striking the block.
    d.oline(40, 50, 86, 16, 6, Rgb(150, 96, 56));
    double cx = 36, cy = 53, a = -0.675 + kPi / 2;
    auto rot = [&](double u, double v) { return Pt{cx + u * std::cos(a) - v * std::sin(a), cy + u * std::sin(a) + v * std::cos(a)}; };
    std::vector<Pt> head = {rot(-17, -9), rot(17, -9), rot(17, 9), rot(-17, 9)};
    d.opoly(head, Rgb(130, 76, 40));
    d.opoly({rot(-19, -10), rot(-13, -10), rot(-13, 10), rot(-19, 10)}, kGold);
    d.opoly({rot(13, -10), rot(19, -10), rot(19, 10), rot(13, 10)}, kGold);
    d.line(rot(-11, -6).x, rot(-11, -6).y, rot(11, -6).x, rot(11, -6).y, 2, Rgb(190, 130, 80));
    for (int k = 0; k < 3; ++k) d.line(14 + k * 6, 72 - k * 2, 8 + k * 5, 66 - k * 3, 1.8, kGold);
}

// 160: presidential election. A ballot box with a ballot going in under
// star-spangled bunting.
void election(Pen& d) {
    panel(d.im, Rgb(230, 236, 255), Rgb(60, 70, 140));
    // Bunting.
    for (int k = 0; k < 5; ++k) {
        double x = k * 22 - 4;
        d.opoly({{x, 2}, {x + 22, 2}, {x + 11, 16}}, k % 2 ? kRed : kBlue);
        if (k % 2 == 0) star(d, x + 11, 7, 3.5, kWhite, false);
    }
    // Box.
    d.opoly({{18, 48}, {30, 38}, {86, 38}, {74, 48}}, Rgb(230, 232, 240));
    d.opoly({{74, 48}, {86, 38}, {86, 82}, {74, 92}}, Rgb(170, 176, 196));
    d.orect(18, 48, 56, 44, Rgb(220, 224, 236));
    d.poly({{38, 44}, {44, 41}, {66, 41}, {60, 44}}, kInk);
    star(d, 46, 66, 13, kRed);
    d.rect(18, 84, 56, 4, kBlue);
    // Ballot.
    d.opoly({{44, 42}, {46, 14}, {66, 16}, {62, 42}}, kWhite);
    d.line(50, 22, 60, 23, 1.5, Rgb(150, 150, 170));
    d.line(50, 28, 60, 29, 1.5, Rgb(150, 150, 170));
    d.line(50, 34, 53, 37, 2, kRed);
    d.line(53, 37, 58, 30, 2, kRed);
}

// 161: shop. A shopping bag full of goods with a price tag.
void shop(Pen& d) {
    panel(d.im, Rgb(255, 236, 200), Rgb(200, 110, 60));
    d.ring(50, 40, 16, 3.5 + 2 * d.ink / d.k, kInk);  // handle, behind the goods
    d.ring(50, 40, 16, 3.5, Rgb(200, 130, 60));
    d.oell(30, 30, 6, 15, Rgb(236, 190, 90));  // loaf
    d.line(27, 22, 33, 20, 1.5, Rgb(200, 150, 60));
    d.line(27, 30, 33, 28, 1.5, Rgb(200, 150, 60));
    d.opoly({{40, 24}, {52, 24}, {52, 42}, {40, 42}}, Rgb(250, 250, 252));  // milk carton
    d.opoly({{40, 24}, {46, 16}, {52, 24}}, Rgb(220, 224, 236));
    d.rect(40, 30, 12, 6, Rgb(70, 130, 220));
    d.oell(64, 32, 10, 10, Rgb(220, 60, 50));  // apple
    d.ell(61, 28, 3, 2.5, Rgb(255, 170, 160));
    d.line(64, 22, 66, 16, 2, Rgb(110, 70, 40));
    d.oell(70, 18, 4, 2, kGreen);
    d.opoly({{18, 40}, {82, 40}, {88, 92}, {12, 92}}, Rgb(236, 200, 140));
    d.poly({{74, 40}, {82, 40}, {88, 92}, {78, 92}}, Rgb(210, 170, 110));
    d.rect(18, 40, 64, 5, Rgb(200, 160, 100));
    star(d, 46, 66, 10, kRed);
    // Price tag.
    d.opoly({{66, 60}, {86, 54}, {92, 72}, {72, 78}}, kWhite);
    d.oell(70, 64, 1.8, 1.8, Rgb(200, 200, 200));
    d.text(74, 63, "\x01", kRed, 1);
}

// 162: military. A steel helmet with a star over crossed rifles.
void military(Pen& d) {
    panel(d.im, Rgb(200, 210, 150), Rgb(60, 70, 40));
    d.oline(16, 88, 84, 28, 5, Rgb(110, 80, 50));
    d.oline(84, 88, 16, 28, 5, Rgb(110, 80, 50));
    d.oline(70, 40, 84, 28, 3, Rgb(70, 70, 74));
    d.oline(30, 40, 16, 28, 3, Rgb(70, 70, 74));
    std::vector<Pt> helmet;
    for (int i = 0; i <= 24; ++i) {
        double a = kPi + i * kPi / 24;
        helmet.push_back({50 + 32 * std::cos(a), 64 + 34 * std::sin(a)});
    }
    d.opoly(helmet, Rgb(100, 120, 60));
    d.poly({{24, 46}, {34, 36}, {44, 33}, {38, 46}}, Rgb(140, 160, 90), 0.8);
    d.oline(12, 66, 88, 66, 6, Rgb(80, 96, 46));
    d.line(16, 72, 84, 72, 2, Rgb(60, 60, 60));
    star(d, 50, 48, 11, kWhite);
}

// 163: headquarters. An office tower with the company flag.
void headquarters(Pen& d) {
    panel(d.im, Rgb(220, 236, 255), Rgb(60, 90, 150));
    d.opoly({{26, 20}, {66, 20}, {66, 96}, {26, 96}}, Rgb(90, 136, 200));
    d.poly({{56, 20}, {66, 20}, {66, 96}, {56, 96}}, Rgb(60, 96, 160));
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c) d.rect(31 + c * 8, 28 + r * 10, 5, 6, (r + c) % 4 == 0 ? Rgb(255, 236, 140) : Rgb(200, 230, 255));
    d.orect(38, 84, 14, 12, Rgb(50, 60, 80));
    d.line(46, 20, 46, 4, -1, kInk);
    d.opoly({{47, 4}, {66, 8}, {47, 13}}, kRed);
    d.opoly({{6, 60}, {26, 60}, {26, 96}, {6, 96}}, Rgb(200, 196, 186));
    d.opoly({{66, 50}, {94, 50}, {94, 96}, {66, 96}}, Rgb(180, 176, 168));
    for (int r = 0; r < 3; ++r) d.rect(72, 56 + r * 12, 16, 5, Rgb(200, 230, 255));
}

// 164: rich list. A golden trophy marked 1 with a laurel.
void ranking(Pen& d) {
    panel(d.im, Rgb(255, 246, 210), Rgb(170, 110, 30));
    for (int s : {-1, 1})
        for (int k = 0; k < 6; ++k) {
            double a = kPi / 2 + s * (0.5 + k * 0.36);
            double x = 50 + 40 * std::cos(a) * -1 * -1, y = 52 + 36 * std::sin(a) * -1;
            x = 50 - s * 38 * std::sin(0.5 + k * 0.36);
            y = 58 - 36 * std::cos(0.5 + k * 0.36) + 8;
            d.oell(x, y, 4, 7, kGreen);
        }
    d.ring(26, 34, 10, 4 + 2 * d.ink / d.k, kInk);
    d.ring(74, 34, 10, 4 + 2 * d.ink / d.k, kInk);
    d.ring(26, 34, 10, 4, kGoldDark);
    d.ring(74, 34, 10, 4, kGoldDark);
    std::vector<Pt> cup = {{24, 16}, {76, 16}};
    for (int i = 0; i <= 16; ++i) {
        double a = i * kPi / 16;
        cup.push_back({50 + 26 * std::cos(a), 32 + 26 * std::sin(a) * 0.9});
    }
    d.opoly(cup, kGold);
    d.poly({{30, 20}, {40, 20}, {40, 50}, {34, 44}}, kGoldLight, 0.7);
    d.orect(45, 55, 10, 14, kGoldDark);
    d.opoly({{32, 68}, {68, 68}, {72, 80}, {28, 80}}, kGold);
    d.orect(24, 80, 52, 10, Rgb(110, 70, 40));
    d.rect(38, 83, 24, 4, kGoldLight);
    d.text(44, 22, "1", Rgb(150, 90, 10), 4);
}

}  // namespace

Image drawDialogPicture(int id) {
    PictureSize sz = dialogPictureSize(id);
    Image big(sz.w * kSuper, sz.h * kSuper);
    // Outlines about 1.3 final pixels thick on the big panels, one on the
    // small badges so their detail is not swallowed.
    double inkPx = sz.w >= 100 ? 1.3 : 1.0;
    Pen d{big, big.width() / 100.0, inkPx * kSuper, kSuper};
    switch (id) {
        case 150: police(d); break;
        case 151: meeting(d); break;
        case 152: founding(d); break;
        case 153: media(d); break;
        case 154: bank(d); break;
        case 155: takeover(d); break;
        case 156: casino(d); break;
        case 157: missile(d); break;
        case 158: university(d); break;
        case 159: gavel(d); break;
        case 160: election(d); break;
        case 161: shop(d); break;
        case 162: military(d); break;
        case 163: headquarters(d); break;
        case 164: ranking(d); break;
        default: panel(big, Rgb(220, 220, 220), Rgb(120, 120, 120)); break;
    }
    Image out = big.downscale(kSuper);
    frame(out, 1);
    return out;
}

}  // namespace art
