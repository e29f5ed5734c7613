#include "graphics/draw_clip.h"

#include <algorithm>

#include "base/dbg.h"

int32_t vrx_bitmaps_have_data(const VRX_Bitmap &src, const VRX_Bitmap &dst) {
    if (src.data && dst.data) return 1;
    _dbg_printf("bitmap has no data\n");
    return 0;
}

int32_t vrx_clip_area(int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                      vrx_clip *clip) {
    // 64-bit edges: x + w must not wrap for areas near the ends of the coordinate range.
    int64_t left = std::max<int64_t>(x, 0), right = std::min<int64_t>(int64_t{x} + w, dw);
    int64_t top = std::max<int64_t>(y, 0), bottom = std::min<int64_t>(int64_t{y} + h, dh);
    if (right <= left || bottom <= top) return 0;
    clip->srcx = static_cast<int32_t>(left - x);
    clip->srcy = static_cast<int32_t>(top - y);
    clip->dstx = static_cast<int32_t>(left);
    clip->dsty = static_cast<int32_t>(top);
    clip->cols = static_cast<int32_t>(right - left);
    clip->rows = static_cast<int32_t>(bottom - top);
    return 1;
}

int64_t vrx_bitmap_capacity(const VRX_Bitmap &bitmap, uint32_t bytes) {
    return bitmap.data ? bitmap.size / bytes : 0;
}

int32_t vrx_bitmap_drawable(const VRX_Bitmap &bitmap, uint32_t bytes) {
    if (!bitmap.data || bitmap.width <= 0 || bitmap.height <= 0) return 0;
    return int64_t{bitmap.width} * bitmap.height <= vrx_bitmap_capacity(bitmap, bytes);
}

int32_t vrx_clip_bitmap(int32_t x, int32_t y, const VRX_Bitmap &src, const VRX_Bitmap &dst,
                        uint32_t bytes, vrx_clip *clip) {
    if (!vrx_bitmap_drawable(src, bytes) || !vrx_bitmap_drawable(dst, bytes)) return 0;
    return vrx_clip_area(x, y, src.width, src.height, dst.width, dst.height, clip);
}

static int64_t floor_div(int64_t a, int64_t b) {
    int64_t q = a / b;
    return q - ((a % b != 0) && ((a < 0) != (b < 0)));
}

static vrx_floor_walk floor_walk(int64_t n, int64_t dn, int64_t s) {
    const int64_t q = floor_div(n, s), dq = floor_div(dn, s);
    return {q, n - q * s, s, dq, dn - dq * s};
}

void vrx_run_walk_start(vrx_run_walk *walk, int64_t v, int64_t step, int64_t dv, int64_t lo,
                        int64_t hi) {
    *walk = {v, dv, lo, hi, step == 0, {}, {}};
    if (step == 0) return;
    if (step < 0) {
        // Mirror: -v walks upward through (-hi, -lo].
        v = -v, step = -step, dv = -dv;
        std::swap(lo, hi);
        lo = 1 - lo, hi = 1 - hi;
    }
    walk->first = floor_walk(lo - v + step - 1, -dv, step);
    walk->last = floor_walk(hi - 1 - v, -dv, step);
}
