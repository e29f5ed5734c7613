// Drawing one bitmap into another: plain, blended, filtered, scaled, zoomed and rotated.
// (x, y) is where the source's top-left pixel lands when drawn unscaled and unrotated.
// Every entry point prints "bitmap has no data\n" and draws nothing when either bitmap lacks
// data, then takes the routine of the current depth.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// Modes of VRX_DrawBlendBitmap and VRX_BlendBitmap: how the second picture meets the first.
// VRX_DrawBlendBitmap draws any other mode as VRX_BLEND_COPY; VRX_BlendBitmap does nothing.
enum VRX_BlendMode : uint8_t {
    VRX_BLEND_COPY = 0,
    VRX_BLEND_MIX = 1,      // mean of both
    VRX_BLEND_ADD = 2,      // saturating sum
    VRX_BLEND_MUL = 3,      // product
    VRX_BLEND_QMIX = 4,     // three quarters first, one quarter second
    VRX_BLEND_Q3MIX = 5,    // one quarter first, three quarters second
    VRX_BLEND_DARKEN = 6,   // the second at half brightness
    VRX_BLEND_BRIGHTEN = 7, // the second half-way to white
};

// Filters of VRX_DrawFilteredBitmap; any other value copies plainly.
enum VRX_Filter : uint8_t {
    VRX_FILTER_NONE = 0,
    VRX_FILTER_BLUR = 2,
    VRX_FILTER_ANTIALIAS = 3,
};

// Filters of VRX_DrawScaledBitmap: nearest pixel, or bilinear for any positive value.
enum VRX_ScaleFilter : int32_t {
    VRX_SCALE_NEAREST = 0,
    VRX_SCALE_BILINEAR = 1,
};

// -32767 * sin(i degrees), truncated; entry a + 90 is -32767 * cos(a).
extern const int32_t bitmaprotate_sincos[450];

void VRX_DrawBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst);
void VRX_DrawBlendBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode);
void VRX_DrawFilteredBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter);
void VRX_DrawAntiAliasedBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst);
void VRX_DrawScaledBitmap(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap src,
                          VRX_Bitmap dst, int32_t filter);
void VRX_DrawZoomedBitmap(int32_t x, int32_t y, int32_t zoom, VRX_Bitmap src, VRX_Bitmap dst);
void VRX_DrawRotatedBitmap(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle);
void VRX_DrawRotatedBitmapZoom(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                               int32_t zoom);
void VRX_DrawRotatedBitmapXY(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                             int32_t zoom, int32_t px, int32_t py);

// Depth-specific routines. They stop the program when the source has no data and draw nothing
// into records whose width and height claim more pixels than their data holds.
void DrawBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst);
void DrawBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst);
void DrawBlendBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode);
void DrawBlendBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t mode);
void DrawFilteredBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter);
void DrawFilteredBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, uint8_t filter);
// The scaled pair does not assert: it draws nothing without data.
void DrawScaledBitmap16(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap src,
                        VRX_Bitmap dst, int32_t filter);
void DrawScaledBitmap32(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap src,
                        VRX_Bitmap dst, int32_t filter);
void DrawRotatedBitmap16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                         int32_t zoom);
void DrawRotatedBitmap32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                         int32_t zoom);
void DrawRotatedBitmapXY16(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                           int32_t zoom, int32_t px, int32_t py);
void DrawRotatedBitmapXY32(int32_t x, int32_t y, VRX_Bitmap src, VRX_Bitmap dst, int32_t angle,
                           int32_t zoom, int32_t px, int32_t py);
