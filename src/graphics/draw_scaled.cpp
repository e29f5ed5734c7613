// Scaled drawing: 16.16 steps through the source, nearest pixel or bilinear per row.
#include "graphics/draw_bitmap.h"

#include "base/dbg.h"
#include "graphics/draw_clip.h"
#include "graphics/draw_depth.h"
#include "graphics/video_state.h"

namespace {

// Source widths from here on no longer fit a 16.16 position.
constexpr int32_t SCALE_MAX_WIDTH = 32767;

// The samples of a row before the one that first reaches the last source column; the same
// for every row of a call.
int32_t bilinear_inner(int32_t w, int32_t n, int32_t xpos, int32_t xstep) {
    const int64_t edge = int64_t{w - 1} << 16;
    if (xpos >= edge) return 0;
    if (xstep <= 0) return n;
    const int64_t inner = (edge - xpos + xstep - 1) / xstep;
    return inner < n ? static_cast<int32_t>(inner) : n;
}

// One bilinear row. Samples on the last source column would read their right neighbours past
// the row; they repeat the edge column instead, through a 2 x 2 block of edge pixels (with both
// columns equal the horizontal fraction drops out, so one call serves all of them).
template <class D>
void bilinear_row(typename D::pixel *d, const typename D::pixel *s, int32_t w, int32_t n,
                  int32_t inner, int32_t pitch, int32_t xpos, int32_t y, int32_t xstep) {
    if (inner > 0) D::bilinear(d, s, inner, pitch, xpos, y, xstep);
    if (inner < n) {
        typename D::pixel block[4] = {s[w - 1], s[w - 1], s[w - 1 + pitch], s[w - 1 + pitch]};
        D::bilinear(d + inner, block, n - inner, 2, 0, y, 0);
    }
}

template <class D>
void draw_scaled(int32_t x, int32_t y, int32_t w, int32_t h, VRX_Bitmap src, VRX_Bitmap dst,
                 int32_t filter) {
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    if (!vrx_bitmap_drawable(src, D::bytes) || !vrx_bitmap_drawable(dst, D::bytes)) return;
    if (src.width > SCALE_MAX_WIDTH) return;
    vrx_clip c;
    if (!vrx_clip_area(x, y, w, h, dst.width, dst.height, &c)) return;
    const int32_t xstep = static_cast<int32_t>((int64_t{src.width} << 16) / w);
    // Rows are stepped in 64 bits; the kernel only sees the fraction.
    const int64_t ystep = (int64_t{src.height} << 16) / h;
    const int32_t xpos = static_cast<int32_t>(int64_t{c.srcx} * xstep);
    int64_t ypos = int64_t{c.srcy} * ystep;
    const int32_t inner = bilinear_inner(src.width, c.cols, xpos, xstep);
    typename D::pixel *d = D::at(dst, c.dstx, c.dsty);
    for (int32_t row = 0; row < c.rows; row++, ypos += ystep, d += dst.width) {
        const int64_t sy = ypos >> 16;
        const typename D::pixel *s = D::at(src, 0, sy);
        if (filter > 0) {
            // The last drawn row, and the last source row, blend with themselves.
            int32_t pitch = row < c.rows - 1 && sy + 1 < src.height ? src.width : 0;
            bilinear_row<D>(d, s, src.width, c.cols, inner, pitch, xpos,
                            static_cast<int32_t>(ypos & 0xFFFF), xstep);
        } else {
            D::stretch(d, s, c.cols, xpos, xstep);
        }
    }
}

} // namespace

void DrawScaledBitmap16(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap src,
                        VRX_Bitmap dst, int32_t filter) {
    draw_scaled<vrx_depth16>(x, y, width, height, src, dst, filter);
}

void DrawScaledBitmap32(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap src,
                        VRX_Bitmap dst, int32_t filter) {
    draw_scaled<vrx_depth32>(x, y, width, height, src, dst, filter);
}

void VRX_DrawScaledBitmap(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap src,
                          VRX_Bitmap dst, int32_t filter) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) {
        DrawScaledBitmap16(x, y, width, height, src, dst, filter);
    } else {
        DrawScaledBitmap32(x, y, width, height, src, dst, filter);
    }
}
