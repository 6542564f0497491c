// The points of a line as both drawing surfaces rasterise it, so that the
// window and the headless tests agree pixel for pixel: from the start up to,
// not including, the end point, the minor coordinate rounded half up. Only
// the points that a pen reaching `reach` pixels could put on a width x height
// surface are visited, so far-off coordinates cost nothing.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace line_walk {

constexpr int64_t LINE_LIMIT = int64_t{1} << 24;

// Cuts the segment (x0, y0)-(x1, y1) to the square of LINE_LIMIT; false when
// nothing of it lies inside.
inline bool CutToLimit(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
    const double lim = static_cast<double>(LINE_LIMIT);
    double t0 = 0.0, t1 = 1.0;
    const double dx = static_cast<double>(x1 - x0), dy = static_cast<double>(y1 - y0);
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(x0) + lim, lim - static_cast<double>(x0),
                         static_cast<double>(y0) + lim, lim - static_cast<double>(y0)};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return false;
            continue;
        }
        double t = q[k] / p[k];
        if (p[k] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const double ox = static_cast<double>(x0), oy = static_cast<double>(y0);
    x0 = std::llround(ox + t0 * dx);
    y0 = std::llround(oy + t0 * dy);
    x1 = std::llround(ox + t1 * dx);
    y1 = std::llround(oy + t1 * dy);
    return true;
}

template <class Plot>
void Walk(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t reach, int64_t width, int64_t height, Plot plot) {
    if (std::llabs(x0) > LINE_LIMIT || std::llabs(y0) > LINE_LIMIT || std::llabs(x1) > LINE_LIMIT ||
        std::llabs(y1) > LINE_LIMIT) {
        if (!CutToLimit(x0, y0, x1, y1)) return;
    }
    const int64_t adx = std::llabs(x1 - x0), ady = std::llabs(y1 - y0);
    const int64_t sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    const bool steep = ady > adx;
    const int64_t n = steep ? ady : adx;
    if (n == 0) return;
    const int64_t minor = steep ? adx : ady;
    const int64_t start = steep ? y0 : x0;
    const int64_t step = steep ? sy : sx;
    const int64_t lowEdge = -reach, highEdge = (steep ? height : width) - 1 + reach;
    int64_t first, last;
    if (step > 0) {
        first = lowEdge - start;
        last = highEdge - start;
    } else {
        first = start - highEdge;
        last = start - lowEdge;
    }
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, n - 1);
    for (int64_t i = first; i <= last; ++i) {
        const int64_t along = start + step * i;
        const int64_t across = (2 * i * minor + n) / (2 * n);
        if (steep) {
            plot(x0 + sx * across, along);
        } else {
            plot(along, y0 + sy * across);
        }
    }
}

}  // namespace line_walk
