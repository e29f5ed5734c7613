// The bitmap record, the 16-bit channel layout and colour conversions.
#pragma once
#include <cstdint>

struct VRX_Bitmap {
    int32_t width;
    int32_t height;
    uint32_t size;  // bytes of pixel data
    int32_t pixels; // width * height
    void *data;     // null: the bitmap has no data
};

extern uint32_t vornblit_redbits, vornblit_greenbits, vornblit_bluebits;
extern uint32_t vornblit_redshift, vornblit_greenshift, vornblit_blueshift;
extern uint32_t vornblit_redmask, vornblit_greenmask, vornblit_bluemask;

void VornBlit_Initialise(uint32_t redbits, uint32_t greenbits, uint32_t bluebits, uint32_t redshift,
                         uint32_t greenshift, uint32_t blueshift);
uint32_t VornBlit_color24to16(uint32_t colour);
uint32_t VornBlit_color16to24(uint16_t pixel);
void VornBlit_BlitPixel16(uint16_t *dst, uint32_t colour);
uint32_t VornBlit_GetPixel16(const uint16_t *src);
void VornBlit_BlitPixel32(uint32_t *dst, uint32_t pixel);
uint32_t VornBlit_GetPixel32(const uint32_t *src);
int32_t abscolor(int32_t v);

void VRX_CreateBitmap(int32_t width, int32_t height, VRX_Bitmap *bitmap);
void VRX_DeleteBitmap(VRX_Bitmap *bitmap);
void VRX_CopyBitmap(VRX_Bitmap src, VRX_Bitmap dst);
void VRX_ClearBitmap(VRX_Bitmap bitmap);
void VRX_ClearColorBitmap(VRX_Bitmap bitmap, uint32_t colour);

// Row access in the current depth, for the raster code.
inline uint32_t *vrx_row32(const VRX_Bitmap &b, int32_t y) {
    return static_cast<uint32_t *>(b.data) + static_cast<intptr_t>(y) * b.width;
}
inline uint16_t *vrx_row16(const VRX_Bitmap &b, int32_t y) {
    return static_cast<uint16_t *>(b.data) + static_cast<intptr_t>(y) * b.width;
}
