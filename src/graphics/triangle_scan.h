// Scan conversion shared by the filled triangles. Positions, steps and interpolated values
// are kept in 64 bits so that no vertex coordinate can overflow an edge walk.
#pragma once
#include <algorithm>
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vertex.h"
#include "graphics/vornblit.h"
#include "graphics/video_state.h"

struct vrx_triangle_edges {
    VRX_Vertex a; // where the long edge and the first short edge start
    VRX_Vertex m; // the other top-half vertex: the short edges meet here
    VRX_Vertex b; // bottom
    int64_t top, mid, bottom;
    int64_t htb, htm, hmb;
    int64_t stb, stm, smb; // 16.16 x steps per row
};

// Sorts by row and picks a and m; fills heights and x steps.
void vrx_triangle_setup(VRX_Vertex v0, VRX_Vertex v1, VRX_Vertex v2, vrx_triangle_edges *e);
// delta / height when the height is positive, else delta itself.
int64_t vrx_edge_step(int64_t delta, int64_t height);
// A value that starts at start, steps by step0 for the first rows1 rows and by step1 after.
inline int64_t vrx_edge_at(int64_t start, int64_t k, int64_t rows1, int64_t step0, int64_t step1) {
    return k <= rows1 ? start + k * step0 : start + rows1 * step0 + (k - rows1) * step1;
}
// The target holds width x height pixels of the current depth.
bool vrx_triangle_target(VRX_Bitmap bitmap);

// For the shaded and textured triangles, whose sides both start on the top row: a flat top
// has the long edge on the left whenever m lies right of a.
inline bool vrx_long_left(const vrx_triangle_edges &e) {
    return e.stb < e.stm || (e.htm == 0 && e.m.x > e.a.x);
}
// The span's width at the middle row (1 for 0): a value's change across it gives the value's
// one step across every span.
inline int64_t vrx_mid_width(const vrx_triangle_edges &e) {
    int64_t w = e.m.x - (((e.stb * e.htm) >> 16) + e.a.x);
    return w == 0 ? 1 : w;
}
// Calls span(y, k, xl, xr) for each bitmap row y from the top row to the one above the bottom
// vertex, k rows below the top, whose edges xl and xr (whole pixels) reach into the bitmap.
template <class Span>
inline void vrx_triangle_rows(const vrx_triangle_edges &e, bool longleft, VRX_Bitmap bitmap,
                              Span span) {
    const int64_t ax = static_cast<int64_t>(e.a.x) * 65536;
    const int64_t short0 = e.htm == 0 ? static_cast<int64_t>(e.m.x) * 65536 : ax;
    const int64_t first = std::max<int64_t>(e.top, 0);
    const int64_t last = std::min<int64_t>(e.bottom - 1, bitmap.height - 1);
    for (int64_t y = first; y <= last; ++y) {
        const int64_t k = y - e.top;
        const int64_t lng = ax + k * e.stb;
        const int64_t shrt = vrx_edge_at(short0, k, e.htm, e.stm, e.smb);
        const int64_t xl = (longleft ? lng : shrt) >> 16;
        const int64_t xr = (longleft ? shrt : lng) >> 16;
        if (xl >= bitmap.width || xr < 0) continue;
        span(y, k, xl, xr);
    }
}

// Spans in the current depth; x and n already clipped to the row. The kernels step 32-bit
// values, and edge clipping or huge vertices can hand over values far outside that range.
// Only the low bits reach a pixel (bits 16-23 of a shade, bits 8-23 of u, bits 8-15 of v),
// so values and steps are cut to those bits first; a span whose steps would still overflow
// on the way goes out in pieces.
const int64_t VRX_SHADE_RANGE = 1 << 24, VRX_U_RANGE = 1 << 24, VRX_V_RANGE = 1 << 16;
inline int64_t vrx_wrap_unsigned(int64_t value, int64_t range) {
    return value & (range - 1);
}
inline int64_t vrx_wrap_signed(int64_t value, int64_t range) {
    int64_t w = value & (range - 1);
    return w >= range / 2 ? w - range : w;
}
// True when n steps from a start in [0, range) stay inside 32 bits.
inline bool vrx_span_fits(int64_t step, int64_t range, int32_t n) {
    return (step < 0 ? -step : step) * n <= INT32_MAX - range;
}
void vrx_span_shade_pieces(VRX_Bitmap bitmap, int32_t y, int32_t x, int32_t n, int64_t shade,
                           int64_t step);
void vrx_span_texture_pieces(VRX_Bitmap bitmap, const void *texture, int32_t y, int32_t x,
                             int32_t n, int64_t u, int64_t v, int64_t du, int64_t dv);

// The depth's kernel for a span whose values already fit 32 bits all the way.
inline void vrx_kernel_shade(VRX_Bitmap bitmap, int32_t y, int32_t x, int32_t n, int64_t shade,
                             int64_t step) {
    if (vrx_mode16())
        VornBlit_BlitFillShade16(vrx_row16(bitmap, y) + x, n, static_cast<int32_t>(shade),
                                 static_cast<int32_t>(step));
    else
        VornBlit_BlitFillShade32(vrx_row32(bitmap, y) + x, n, static_cast<int32_t>(shade),
                                 static_cast<int32_t>(step));
}
inline void vrx_kernel_texture(VRX_Bitmap bitmap, const void *texture, int32_t y, int32_t x,
                               int32_t n, int64_t u, int64_t v, int64_t du, int64_t dv) {
    if (vrx_mode16())
        VornBlit_BlitFillTexture16(vrx_row16(bitmap, y) + x, static_cast<const uint16_t *>(texture),
                                   n, static_cast<int32_t>(u), static_cast<int32_t>(v),
                                   static_cast<int32_t>(du), static_cast<int32_t>(dv));
    else
        VornBlit_BlitFillTexture32(vrx_row32(bitmap, y) + x, static_cast<const uint32_t *>(texture),
                                   n, static_cast<int32_t>(u), static_cast<int32_t>(v),
                                   static_cast<int32_t>(du), static_cast<int32_t>(dv));
}

inline void vrx_span_shade(VRX_Bitmap bitmap, int32_t y, int32_t x, int32_t n, int64_t shade,
                           int64_t step) {
    int64_t s = vrx_wrap_unsigned(shade, VRX_SHADE_RANGE);
    int64_t ds = vrx_wrap_signed(step, VRX_SHADE_RANGE);
    if (vrx_span_fits(ds, VRX_SHADE_RANGE, n))
        vrx_kernel_shade(bitmap, y, x, n, s, ds);
    else
        vrx_span_shade_pieces(bitmap, y, x, n, s, ds);
}

inline void vrx_span_texture(VRX_Bitmap bitmap, const void *texture, int32_t y, int32_t x,
                             int32_t n, int64_t u, int64_t v, int64_t du, int64_t dv) {
    u = vrx_wrap_unsigned(u, VRX_U_RANGE);
    v = vrx_wrap_unsigned(v, VRX_V_RANGE);
    du = vrx_wrap_signed(du, VRX_U_RANGE);
    dv = vrx_wrap_signed(dv, VRX_V_RANGE);
    if (vrx_span_fits(du, VRX_U_RANGE, n) && vrx_span_fits(dv, VRX_V_RANGE, n))
        vrx_kernel_texture(bitmap, texture, y, x, n, u, v, du, dv);
    else
        vrx_span_texture_pieces(bitmap, texture, y, x, n, u, v, du, dv);
}
