#include "graphics/primitives.h"
#include "graphics/primitives_plot.h"

// Bresenham along a major axis a with minor axis b (da >= db, da > 0). Only the steps whose
// major coordinate lies inside the bitmap are walked; the decision value and minor offset at the
// first such step come from the closed form of the recurrence: after i steps the minor offset is
// k = floor((2 db i + da) / (2 da)) and d = ((2 db i + da) mod 2 da) + 2 db - 2 da.
static void walk_line(int64_t a, int64_t b, int64_t da, int64_t db, int64_t sa, int64_t sb,
                      bool xmajor, uint32_t colour, const VRX_Bitmap &bitmap) {
    int64_t limit = xmajor ? bitmap.width : bitmap.height;
    int64_t lo, hi;
    if (sa > 0) {
        lo = a < 0 ? -a : 0;
        hi = limit - 1 - a;
    } else {
        lo = a > limit - 1 ? a - (limit - 1) : 0;
        hi = a;
    }
    if (hi > da) hi = da;
    if (lo > hi) return;

    // db * lo < 2^64 since both are below 2^32.
    uint64_t p = static_cast<uint64_t>(db) * static_cast<uint64_t>(lo);
    uint64_t uda = static_cast<uint64_t>(da);
    uint64_t rem = 2 * (p % uda) + uda;
    int64_t k = static_cast<int64_t>(p / uda + rem / (2 * uda));
    int64_t d = static_cast<int64_t>(rem % (2 * uda)) + 2 * db - 2 * da;

    for (int64_t i = lo; i <= hi; ++i) {
        int64_t pa = a + sa * i, pb = b + sb * k;
        if (xmajor)
            vrx_plot(pa, pb, colour, bitmap);
        else
            vrx_plot(pb, pa, colour, bitmap);
        if (d < 0) {
            d += 2 * db;
        } else {
            d += 2 * (db - da);
            ++k;
        }
    }
}

void VRX_DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                  VRX_Bitmap bitmap) {
    if (!bitmap.data) return;
    int64_t dx = static_cast<int64_t>(x2) - x1, dy = static_cast<int64_t>(y2) - y1;
    int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    if (dx < 0) dx = -dx;
    if (dy < 0) dy = -dy;
    if (dx == 0 && dy == 0) {
        vrx_plot(x1, y1, colour, bitmap);
        return;
    }
    if (dx >= dy)
        walk_line(x1, y1, dx, dy, sx, sy, true, colour, bitmap);
    else
        walk_line(y1, x1, dy, dx, sy, sx, false, colour, bitmap);
}

void vrx_axis_line(int64_t a, int64_t b, int64_t fixed, bool horizontal, uint32_t colour,
                   const VRX_Bitmap &bitmap) {
    if (!bitmap.data) return;
    if (a > b) {
        int64_t t = a;
        a = b;
        b = t;
    }
    int64_t limit = horizontal ? bitmap.width : bitmap.height;
    int64_t other = horizontal ? bitmap.height : bitmap.width;
    if (fixed < 0 || fixed >= other) return;
    if (a < 0) a = 0;
    if (b > limit - 1) b = limit - 1;
    if (a > b) return;
    if (horizontal) {
        vrx_fill_span(static_cast<int32_t>(a), static_cast<int32_t>(fixed),
                      static_cast<int32_t>(b - a + 1), colour, bitmap);
    } else {
        for (int64_t y = a; y <= b; ++y) vrx_plot(fixed, y, colour, bitmap);
    }
}

// One axis of the cubic in 8-bit fixed point. The sums are 64-bit, which matches 32-bit
// arithmetic wherever that does not overflow; the point stays near the control points' hull,
// so saturating it to 32 bits only touches curves at the very ends of the coordinate range.
static int32_t bezier_axis(int64_t p0, int64_t p1, int64_t p2, int64_t p3, int64_t t) {
    int64_t k3 = p3 - 3 * p2 + 3 * p1 - p0;
    int64_t k2 = 3 * p0 - 6 * p1 + 3 * p2;
    int64_t k1 = 3 * (p1 - p0);
    int64_t v = ((((((k3 * t) >> 8) + k2) * t) >> 8) + k1) * t >> 8;
    v += p0;
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

void VRX_DrawBezier(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    int32_t x3, int32_t y3, int32_t detail, uint32_t colour, VRX_Bitmap bitmap) {
    if (detail < 1) detail = 1;
    if (detail > 64) detail = 64;
    int32_t step = 64 / detail;
    int32_t lastx = x0, lasty = y0;
    for (int32_t t = step; t <= 256; t += step) {
        int32_t nx = bezier_axis(x0, x1, x2, x3, t);
        int32_t ny = bezier_axis(y0, y1, y2, y3, t);
        VRX_DrawLine(lastx, lasty, nx, ny, colour, bitmap);
        lastx = nx;
        lasty = ny;
    }
}

void VRX_DrawTriangleWireframe(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, uint32_t colour,
                               VRX_Bitmap bitmap) {
    VRX_DrawLine(v0.x, v0.y, v1.x, v1.y, colour, bitmap);
    VRX_DrawLine(v1.x, v1.y, v2.x, v2.y, colour, bitmap);
    VRX_DrawLine(v2.x, v2.y, v0.x, v0.y, colour, bitmap);
}
