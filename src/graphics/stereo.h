// Stereo pictures from a left and a right view of the same size (32-bit pixels).
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// Modes of VRX_DrawBitmap3D; any other mode draws nothing.
enum VRX_StereoMode : int32_t {
    VRX_STEREO_RED_RIGHT = 0,   // red from the right view, green and blue from the left
    VRX_STEREO_GREEN_RIGHT = 1, // green from the right, red and blue from the left
    VRX_STEREO_RED_LEFT = 2,    // red from the left, green and blue from the right
    VRX_STEREO_BLUE_LEFT = 3,   // blue from the left, red and green from the right
    VRX_STEREO_CROSSFADE = 4,   // a timed cross-fade between the views
    VRX_STEREO_INTERLACE = 5,   // alternate rows, swapping each call
    VRX_STEREO_SIDE_BY_SIDE = 6,
};

// Counts the calls of VRX_DrawBitmap3D; its alternating modes read the phase from it.
extern int32_t VRX_stereoframe;

// 0-3 channel masks, 4 timed cross-fade, 5 row interlace, 6 side by side; others draw nothing.
void VRX_DrawBitmap3D(VRX_Bitmap left, VRX_Bitmap right, VRX_Bitmap dst, int32_t mode);
