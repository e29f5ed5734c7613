// Record checks and rectangle clipping shared by the bitmap drawing routines.
#pragma once
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

// Narrows the steps [*first, *last) to those i at which v + i * step lies in [lo, hi): the run
// of a rotated row whose source coordinate stays inside the source.
void vrx_narrow_run(int64_t v, int64_t step, int64_t lo, int64_t hi, int64_t *first, int64_t *last);
