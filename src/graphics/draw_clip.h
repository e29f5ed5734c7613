// Record checks and rectangle clipping shared by the bitmap drawing routines.
#pragma once
#include <algorithm>
#include <cstdint>

#include "graphics/bitmap.h"

// The depth-specific drawing routines name the bitmap module in their assertion.
inline constexpr const char *VRX_BITMAP_FILE = "graphics/bitmap.cpp";

// 1 when both records have data; else 0 after the diagnostic line every public drawing call
// gives for a record without data.
int32_t vrx_bitmaps_have_data(const VRX_Bitmap &src, const VRX_Bitmap &dst);

// A w x h area placed at (x, y), cut to a dw x dh destination: cols x rows pixels from area
// position (srcx, srcy) to destination position (dstx, dsty).
struct vrx_clip {
    int32_t srcx, srcy;
    int32_t dstx, dsty;
    int32_t cols, rows;
};

// 0 when nothing of the area lies inside the destination.
int32_t vrx_clip_area(int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh,
                      vrx_clip *clip);

// 1 when the record has data holding width x height elements of `bytes` each. Records can be
// built by hand, so width and height are not trusted beyond what the size covers.
int32_t vrx_bitmap_drawable(const VRX_Bitmap &bitmap, uint32_t bytes);

// Elements of `bytes` each that the record's data holds (0 without data).
int64_t vrx_bitmap_capacity(const VRX_Bitmap &bitmap, uint32_t bytes);

// The clipping of the plain, blended and filtered draws: the source placed at (x, y) cut to the
// destination. 0 when nothing is drawn (also for unusable records).
int32_t vrx_clip_bitmap(int32_t x, int32_t y, const VRX_Bitmap &src, const VRX_Bitmap &dst,
                        uint32_t bytes, vrx_clip *clip);

// floor(n / s) for s > 0 while n moves by a fixed amount per step, without dividing again.
struct vrx_floor_walk {
    int64_t q, r, s, dq, dr; // n = q * s + r with 0 <= r < s; the move is dq * s + dr
};

// The run of a rotated row whose source coordinate stays inside the source: the steps i at
// which v + i * step lies in [lo, hi), for one row after another, the value moving by dv per
// row. Two divisions per constraint at the start instead of in every row.
struct vrx_run_walk {
    int64_t v, dv, lo, hi; // a step of 0 tests the value itself
    bool flat;
    vrx_floor_walk first, last;
};
void vrx_run_walk_start(vrx_run_walk *walk, int64_t v, int64_t step, int64_t dv, int64_t lo,
                        int64_t hi);

inline void vrx_floor_step(vrx_floor_walk *f) {
    f->q += f->dq;
    f->r += f->dr;
    if (f->r >= f->s) {
        f->r -= f->s;
        f->q++;
    }
}

// Narrows [*first, *last) for the current row, then moves to the next.
inline void vrx_run_walk_row(vrx_run_walk *walk, int64_t *first, int64_t *last) {
    if (walk->flat) {
        if (walk->v < walk->lo || walk->v >= walk->hi) *last = *first;
        walk->v += walk->dv;
        return;
    }
    *first = std::max(*first, walk->first.q);
    *last = std::min(*last, walk->last.q + 1);
    vrx_floor_step(&walk->first);
    vrx_floor_step(&walk->last);
}
