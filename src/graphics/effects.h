// Whole-bitmap effects: one span kernel over every pixel of equally sized bitmaps.
// The destination may be one of the sources.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/draw_bitmap.h" // VRX_BlendMode

// Modes of VRX_FadeBitmap; any other mode does nothing.
enum VRX_FadeMode : uint8_t {
    VRX_FADE_BLACK = 0,     // the source faded toward black by the level (255 = unchanged)
    VRX_FADE_WHITE = 1,     // the source faded toward white
    VRX_FADE_CROSS = 2,     // the destination dissolved toward the source
    VRX_FADE_ALPHAWIPE = 3, // the source wiped in with itself as the mask
};

// Opaque grey from each source pixel (32-bit mode only), g = (77 r + 150 g + 29 b) >> 8.
void VRX_GreyBitmap(VRX_Bitmap src, VRX_Bitmap dst);
// 0 A, 1 mean, 2 saturating sum, 3 product, 4 3/4 A + 1/4 B, 5 1/4 A + 3/4 B,
// 6 A darkened, 7 A brightened; other modes do nothing.
void VRX_BlendBitmap(VRX_Bitmap a, VRX_Bitmap b, VRX_Bitmap dst, uint8_t mode);
// 0 toward black, 1 toward white, 2 cross-fade from the destination to the source,
// 3 wipe the source in where its own blue channel is at most the level.
void VRX_FadeBitmap(VRX_Bitmap src, VRX_Bitmap dst, uint8_t level, uint8_t mode);
// A * (255 - level) + B * level, over 256, per channel.
void VRX_CrossfadeBitmap(VRX_Bitmap a, VRX_Bitmap b, VRX_Bitmap dst, uint8_t level);
// Copies the source pixels whose mask pixel has a blue channel of at most the level.
void VRX_AlphawipeBitmap(VRX_Bitmap src, VRX_Bitmap mask, VRX_Bitmap dst, uint8_t level);
