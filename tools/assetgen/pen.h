// Resolution-independent drawing for the emblem-style pictures: shapes are
// given in a 100-unit box and rendered onto a canvas several times larger
// than the target, which is then box-filtered down. Outlines keep a fixed
// width in final pixels so small pictures stay as crisp as big ones.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "art.h"

namespace art {

struct Pen {
    Image& im;
    double k;    // canvas pixels per unit
    double ink;  // outline width in canvas pixels
    int px = 1;  // canvas pixels per final pixel, for the pixel fonts

    Pt p(double x, double y) const { return {x * k, y * k}; }
    std::vector<Pt> scaled(const std::vector<Pt>& pts) const {
        std::vector<Pt> out;
        out.reserve(pts.size());
        for (const Pt& q : pts) out.push_back(p(q.x, q.y));
        return out;
    }
    void ell(double cx, double cy, double rx, double ry, Rgb c, double a = 1.0) {
        im.fillEllipseAA(cx * k, cy * k, rx * k, ry * k, c, a);
    }
    // Ellipse with an outline of `ink` canvas pixels around it.
    void oell(double cx, double cy, double rx, double ry, Rgb c, Rgb o = kInk) {
        im.fillEllipseAA(cx * k, cy * k, rx * k + ink, ry * k + ink, o);
        im.fillEllipseAA(cx * k, cy * k, rx * k, ry * k, c);
    }
    void poly(const std::vector<Pt>& pts, Rgb c, double a = 1.0) { im.fillPolygonAA(scaled(pts), c, a); }
    void edges(const std::vector<Pt>& pts, Rgb o = kInk, double w = -1) {
        if (w < 0) w = ink;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Pt& a = pts[i];
            const Pt& b = pts[(i + 1) % pts.size()];
            im.lineAA(a.x * k, a.y * k, b.x * k, b.y * k, w, o);
        }
    }
    // Filled polygon with outline.
    void opoly(const std::vector<Pt>& pts, Rgb c, Rgb o = kInk) {
        poly(pts, c);
        edges(pts, o);
    }
    void rect(double x, double y, double w, double h, Rgb c, double a = 1.0) {
        poly({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, c, a);
    }
    void orect(double x, double y, double w, double h, Rgb c, Rgb o = kInk) {
        opoly({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, c, o);
    }
    // Line whose width is given in units (wu) or, with wu < 0, the ink width.
    void line(double x0, double y0, double x1, double y1, double wu, Rgb c, double a = 1.0) {
        im.lineAA(x0 * k, y0 * k, x1 * k, y1 * k, wu < 0 ? ink : wu * k, c, a);
    }
    // Thick line with an ink outline.
    void oline(double x0, double y0, double x1, double y1, double wu, Rgb c, Rgb o = kInk) {
        im.lineAA(x0 * k, y0 * k, x1 * k, y1 * k, wu * k + 2 * ink, o);
        im.lineAA(x0 * k, y0 * k, x1 * k, y1 * k, wu * k, c);
    }
    void ring(double cx, double cy, double r, double wu, Rgb c, double a = 1.0) {
        im.ringAA(cx * k, cy * k, r * k, wu < 0 ? ink : wu * k, c, a);
    }
    // Rounded rectangle (corner radius r units).
    std::vector<Pt> roundRect(double x, double y, double w, double h, double r) const {
        std::vector<Pt> pts;
        const double cs[4][2] = {{x + w - r, y + r}, {x + w - r, y + h - r}, {x + r, y + h - r}, {x + r, y + r}};
        for (int c = 0; c < 4; ++c)
            for (int i = 0; i <= 6; ++i) {
                double a = (c - 1) * 1.5707963267948966 + i * 1.5707963267948966 / 6;
                pts.push_back({cs[c][0] + r * std::cos(a), cs[c][1] + r * std::sin(a)});
            }
        return pts;
    }
    // Pixel-font text scaled to canvas pixels; x, y in units.
    void text(double x, double y, const std::string& s, Rgb c, int scale) {
        // Snap to whole final pixels so the glyphs stay sharp after filtering.
        int cx = static_cast<int>(x * k / px + 0.5) * px, cy = static_cast<int>(y * k / px + 0.5) * px;
        im.text5(cx, cy, s, c, scale * px);
    }
};

}  // namespace art
