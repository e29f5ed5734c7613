// Plain, blended and filtered drawing: one clipped rectangle, one kernel call per row.
#include "graphics/draw_bitmap.h"

#include "base/dbg.h"
#include "graphics/draw_clip.h"
#include "graphics/draw_depth.h"
#include "graphics/video_state.h"

namespace {

template <class D> void draw_plain(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst) {
    vrx_clip c;
    if (!vrx_clip_bitmap(x, y, src, dst, D::bytes, &c)) return;
    const typename D::pixel *s = D::at(src, c.srcx, c.srcy);
    typename D::pixel *d = D::at(dst, c.dstx, c.dsty);
    for (int32_t row = 0; row < c.rows; row++, s += src.width, d += dst.width) {
        D::copy(d, s, c.cols);
    }
}

template <class D>
void draw_blend(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode) {
    vrx_clip c;
    if (!vrx_clip_bitmap(x, y, src, dst, D::bytes, &c)) return;
    const typename D::pixel *s = D::at(src, c.srcx, c.srcy);
    typename D::pixel *d = D::at(dst, c.dstx, c.dsty);
    // Unknown modes copy the source, as mode 0 does.
    const uint8_t m = mode <= 7 ? mode : 0;
    for (int32_t row = 0; row < c.rows; row++, s += src.width, d += dst.width) {
        vrx_blend_span<D>(d, d, s, s, c.cols, m);
    }
}

template <class D>
void filter_run(typename D::pixel *d, const typename D::pixel *s, int32_t up, int32_t down,
                int32_t n, uint8_t filter) {
    if (filter == 2) {
        D::blur(d, s, up, down, n);
    } else {
        D::antialias(d, s, up, down, n);
    }
}

// A pixel on the source's left or right edge: its missing horizontal neighbour repeats the
// pixel itself. The kernel gets a five-pixel cross (up, left, centre, right, down).
template <class D>
void filter_edge_pixel(typename D::pixel *d, const typename D::pixel *s, int32_t up, int32_t down,
                       int32_t has_left, int32_t has_right, uint8_t filter) {
    typename D::pixel cross[5] = {s[up], has_left ? s[-1] : s[0], s[0], has_right ? s[1] : s[0],
                                  s[down]};
    filter_run<D>(d, cross + 2, -2, 2, 1, filter);
}

template <class D>
void draw_filtered(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter) {
    if (filter != 2 && filter != 3) {
        draw_plain<D>(x, y, src, dst);
        return;
    }
    vrx_clip c;
    if (!vrx_clip_bitmap(x, y, src, dst, D::bytes, &c)) return;
    const int32_t w = src.width;
    const typename D::pixel *s = D::at(src, c.srcx, c.srcy);
    typename D::pixel *d = D::at(dst, c.dstx, c.dsty);
    // The kernel runs over the columns whose both horizontal neighbours lie in the source.
    const int32_t first = c.srcx == 0 ? 1 : 0;
    const int32_t last = c.srcx + c.cols == w ? c.cols - 1 : c.cols;
    for (int32_t row = 0; row < c.rows; row++, s += w, d += dst.width) {
        // The drawn rows stand in for their missing neighbours above and below.
        int32_t up = row == 0 ? 0 : -w;
        int32_t down = row == c.rows - 1 ? 0 : w;
        if (last > first) filter_run<D>(d + first, s + first, up, down, last - first, filter);
        if (first == 1) {
            filter_edge_pixel<D>(d, s, up, down, 0, c.srcx + 1 < w, filter);
        }
        if (last < c.cols && last >= first) {
            filter_edge_pixel<D>(d + last, s + last, up, down, 1, 0, filter);
        }
    }
}

} // namespace

void DrawBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_plain<vrx_depth16>(x, y, src, dst);
}

void DrawBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_plain<vrx_depth32>(x, y, src, dst);
}

void DrawBlendBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_blend<vrx_depth16>(x, y, src, dst, mode);
}

void DrawBlendBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_blend<vrx_depth32>(x, y, src, dst, mode);
}

void DrawFilteredBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_filtered<vrx_depth16>(x, y, src, dst, filter);
}

void DrawFilteredBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_filtered<vrx_depth32>(x, y, src, dst, filter);
}

void VRX_DrawBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) {
        DrawBitmap16(x, y, src, dst);
    } else {
        DrawBitmap32(x, y, src, dst);
    }
}

void VRX_DrawBlendBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) {
        DrawBlendBitmap16(x, y, src, dst, mode);
    } else {
        DrawBlendBitmap32(x, y, src, dst, mode);
    }
}

void VRX_DrawFilteredBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) {
        DrawFilteredBitmap16(x, y, src, dst, filter);
    } else {
        DrawFilteredBitmap32(x, y, src, dst, filter);
    }
}

void VRX_DrawAntiAliasedBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst) {
    VRX_DrawFilteredBitmap(x, y, src, dst, 3);
}
