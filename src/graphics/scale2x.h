// Drawing a bitmap at twice its size: pixel doubling, smoothing and two edge-directed rules.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// Modes of VRX_ScaleBitmap2x.
enum VRX_ScaleMode : int32_t {
    VRX_SCALE2X_DOUBLE = 1, // plain pixel doubling (also any mode below 1)
    VRX_SCALE2X_SMOOTH = 2,
    VRX_SCALE2X_EDGES = 3,  // edge-directed
    VRX_SCALE2X_EDGES2 = 4, // edge-directed, second rule
};

// Modes: 1 (or lower) doubling, 2 smoothing, 3 edge-directed, 4 edge-directed keeping
// checkerboard dithers; other modes draw nothing. The pixels are those of the screen's depth;
// the smoothing mean of 16-bit pixels follows the 16-bit channel layout.
void VRX_ScaleBitmap2x(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode);
void VRX_ScaleBitmap2x32(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode);
void VRX_ScaleBitmap2x16(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode);
