// Rotated drawing: every pixel of a square around the bitmap's centre looks up its source pixel.
#include "graphics/draw_bitmap.h"

#include <algorithm>

#include "base/dbg.h"
#include "graphics/draw_clip.h"
#include "graphics/draw_depth.h"
#include "graphics/video_state.h"

const int32_t bitmaprotate_sincos[450] = {
    0,      -571,   -1143,  -1714,  -2285,  -2855,  -3425,  -3993,  -4560,  -5125,  -5689,  -6252,
    -6812,  -7370,  -7927,  -8480,  -9031,  -9580,  -10125, -10667, -11206, -11742, -12274, -12803,
    -13327, -13847, -14364, -14875, -15383, -15885, -16383, -16876, -17363, -17846, -18323, -18794,
    -19259, -19719, -20173, -20620, -21062, -21497, -21925, -22347, -22761, -23169, -23570, -23964,
    -24350, -24729, -25100, -25464, -25820, -26168, -26509, -26841, -27165, -27480, -27787, -28086,
    -28377, -28658, -28931, -29195, -29450, -29696, -29934, -30162, -30381, -30590, -30790, -30981,
    -31163, -31335, -31497, -31650, -31793, -31927, -32050, -32164, -32269, -32363, -32448, -32522,
    -32587, -32642, -32687, -32722, -32747, -32762, -32767, -32762, -32747, -32722, -32687, -32642,
    -32587, -32522, -32448, -32363, -32269, -32164, -32050, -31927, -31793, -31650, -31497, -31335,
    -31163, -30981, -30790, -30590, -30381, -30162, -29934, -29696, -29450, -29195, -28931, -28658,
    -28377, -28086, -27787, -27480, -27165, -26841, -26509, -26168, -25820, -25464, -25100, -24729,
    -24350, -23964, -23570, -23169, -22761, -22347, -21925, -21497, -21062, -20620, -20173, -19719,
    -19259, -18794, -18323, -17846, -17363, -16876, -16383, -15885, -15383, -14875, -14364, -13847,
    -13327, -12803, -12274, -11742, -11206, -10667, -10125, -9580,  -9031,  -8480,  -7927,  -7370,
    -6812,  -6252,  -5689,  -5125,  -4560,  -3993,  -3425,  -2855,  -2285,  -1714,  -1143,  -571,
    0,      571,    1143,   1714,   2285,   2855,   3425,   3993,   4560,   5125,   5689,   6252,
    6812,   7370,   7927,   8480,   9031,   9580,   10125,  10667,  11206,  11742,  12274,  12803,
    13327,  13847,  14364,  14875,  15383,  15885,  16383,  16876,  17363,  17846,  18323,  18794,
    19259,  19719,  20173,  20620,  21062,  21497,  21925,  22347,  22761,  23169,  23570,  23964,
    24350,  24729,  25100,  25464,  25820,  26168,  26509,  26841,  27165,  27480,  27787,  28086,
    28377,  28658,  28931,  29195,  29450,  29696,  29934,  30162,  30381,  30590,  30790,  30981,
    31163,  31335,  31497,  31650,  31793,  31927,  32050,  32164,  32269,  32363,  32448,  32522,
    32587,  32642,  32687,  32722,  32747,  32762,  32767,  32762,  32747,  32722,  32687,  32642,
    32587,  32522,  32448,  32363,  32269,  32164,  32050,  31927,  31793,  31650,  31497,  31335,
    31163,  30981,  30790,  30590,  30381,  30162,  29934,  29696,  29450,  29195,  28931,  28658,
    28377,  28086,  27787,  27480,  27165,  26841,  26509,  26168,  25820,  25464,  25100,  24729,
    24350,  23964,  23570,  23169,  22761,  22347,  21925,  21497,  21062,  20620,  20173,  19719,
    19259,  18794,  18323,  17846,  17363,  16876,  16383,  15885,  15383,  14875,  14364,  13847,
    13327,  12803,  12274,  11742,  11206,  10667,  10125,  9580,   9031,   8480,   7927,   7370,
    6812,   6252,   5689,   5125,   4560,   3993,   3425,   2855,   2285,   1714,   1143,   571,
    0,      -571,   -1143,  -1714,  -2285,  -2855,  -3425,  -3993,  -4560,  -5125,  -5689,  -6252,
    -6812,  -7370,  -7927,  -8480,  -9031,  -9580,  -10125, -10667, -11206, -11742, -12274, -12803,
    -13327, -13847, -14364, -14875, -15383, -15885, -16383, -16876, -17363, -17846, -18323, -18794,
    -19259, -19719, -20173, -20620, -21062, -21497, -21925, -22347, -22761, -23169, -23570, -23964,
    -24350, -24729, -25100, -25464, -25820, -26168, -26509, -26841, -27165, -27480, -27787, -28086,
    -28377, -28658, -28931, -29195, -29450, -29696, -29934, -30162, -30381, -30590, -30790, -30981,
    -31163, -31335, -31497, -31650, -31793, -31927, -32050, -32164, -32269, -32363, -32448, -32522,
    -32587, -32642, -32687, -32722, -32747, -32762,
};

namespace {

// (cx, cy) is the source point that lands on the centre of the square.
template <class D>
void draw_rotated(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle, int32_t zoom,
                  int64_t cx, int64_t cy) {
    if (!vrx_bitmap_drawable(src, D::bytes) || !vrx_bitmap_drawable(dst, D::bytes)) return;
    const int32_t z = zoom == 0 ? 1 : zoom;
    int32_t a = angle % 360;
    if (a < 0) a += 360;
    const int64_t sn = bitmaprotate_sincos[a] / z;
    const int64_t cs = -bitmaprotate_sincos[a + 90] / z;

    const int64_t w = src.width, h = src.height;
    const int64_t edge = (3 * (w > h ? w : h)) >> 1;
    const int64_t r = edge >> 1;
    const int64_t left = x - ((edge - w) >> 1), top = y - ((edge - h) >> 1);
    const int64_t i0 = std::max<int64_t>(0, -left), i1 = std::min<int64_t>(edge, dst.width - left);
    const int64_t j0 = std::max<int64_t>(0, -top), j1 = std::min<int64_t>(edge, dst.height - top);
    if (i1 <= i0 || j1 <= j0) return;

    // Source position times 256 relative to the centre, walked by additions: a column step
    // adds (C, S), a row step (-S, C).
    int64_t sx_row = (i0 - r) * cs - (j0 - r) * sn;
    int64_t sy_row = (i0 - r) * sn + (j0 - r) * cs;
    const typename D::pixel *s = static_cast<const typename D::pixel *>(src.data);
    const int64_t cols = i1 - i0;
    // The columns that land inside the source form one run per row (both coordinates move
    // linearly), so the row is cut to it once and the run needs no per-pixel test:
    // 0 <= (v >> 8) + c < n exactly when -c * 256 <= v < (n - c) * 256.
    vrx_run_walk xrun, yrun;
    vrx_run_walk_start(&xrun, sx_row, cs, -sn, -cx * 256, (w - cx) * 256);
    vrx_run_walk_start(&yrun, sy_row, sn, cs, -cy * 256, (h - cy) * 256);
    for (int64_t j = j0; j < j1; j++, sx_row -= sn, sy_row += cs) {
        int64_t first = 0, last = cols;
        vrx_run_walk_row(&xrun, &first, &last);
        vrx_run_walk_row(&yrun, &first, &last);
        if (first >= last) continue;
        typename D::pixel *d = D::at(dst, left + i0, top + j);
        int64_t sxa = sx_row + first * cs, sya = sy_row + first * sn;
        for (int64_t i = first; i < last; i++, sxa += cs, sya += sn) {
            d[i] = s[((sya >> 8) + cy) * w + (sxa >> 8) + cx];
        }
    }
}

} // namespace

void DrawRotatedBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                         int32_t zoom) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_rotated<vrx_depth16>(x, y, src, dst, angle, zoom, src.width >> 1, src.height >> 1);
}

void DrawRotatedBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                         int32_t zoom) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_rotated<vrx_depth32>(x, y, src, dst, angle, zoom, src.width >> 1, src.height >> 1);
}

void DrawRotatedBitmapXY16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                           int32_t zoom, int32_t px, int32_t py) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_rotated<vrx_depth16>(x, y, src, dst, angle, zoom, px, py);
}

void DrawRotatedBitmapXY32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                           int32_t zoom, int32_t px, int32_t py) {
    if (!src.data) _dbg_assert(VRX_BITMAP_FILE, __LINE__, "src.data");
    draw_rotated<vrx_depth32>(x, y, src, dst, angle, zoom, px, py);
}

void VRX_DrawRotatedBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle) {
    VRX_DrawRotatedBitmapZoom(x, y, src, dst, angle, 128);
}

void VRX_DrawRotatedBitmapZoom(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                               int32_t zoom) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) {
        DrawRotatedBitmap16(x, y, src, dst, angle, zoom);
    } else {
        DrawRotatedBitmap32(x, y, src, dst, angle, zoom);
    }
}

void VRX_DrawRotatedBitmapXY(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                             int32_t zoom, int32_t px, int32_t py) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) {
        DrawRotatedBitmapXY16(x, y, src, dst, angle, zoom, px, py);
    } else {
        DrawRotatedBitmapXY32(x, y, src, dst, angle, zoom, px, py);
    }
}
