// Drawing a bitmap at twice its size: pixel doubling, smoothing and two edge-directed rules.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// Modes: 1 (or lower) doubling, 2 smoothing, 3 edge-directed, 4 edge-directed keeping
// checkerboard dithers; other modes draw nothing. 32-bit pixels only.
void VRX_ScaleBitmap2x(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode);
void VRX_ScaleBitmap2x32(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode);
