// Stereo pictures from a left and a right view of the same size (32-bit pixels).
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// Counts the calls of VRX_DrawBitmap3D; its alternating modes read the phase from it.
extern int32_t VRX_stereoframe;

// 0-3 channel masks, 4 timed cross-fade, 5 row interlace, 6 side by side; others draw nothing.
void VRX_DrawBitmap3D(VRX_Bitmap left, VRX_Bitmap right, VRX_Bitmap dst, int32_t mode);
