#include "graphics/bitmap.h"
#include "graphics/vornblit.h"

#include "base/block.h"
#include "base/dbg.h"
#include "base/memory.h"
#include "graphics/video_state.h"

#include <algorithm>

uint32_t vornblit_redbits = 0, vornblit_greenbits = 0, vornblit_bluebits = 0;
uint32_t vornblit_redshift = 0, vornblit_greenshift = 0, vornblit_blueshift = 0;
uint32_t vornblit_redmask = 0, vornblit_greenmask = 0, vornblit_bluemask = 0;

static const char *const BITMAP_FILE = "graphics/bitmap.cpp";

static uint32_t channel_mask(uint32_t bits, uint32_t shift) {
    return static_cast<uint32_t>(((1ull << bits) - 1) << shift);
}

void VornBlit_Initialise(uint32_t redbits, uint32_t greenbits, uint32_t bluebits, uint32_t redshift,
                         uint32_t greenshift, uint32_t blueshift) {
    vornblit_redbits = redbits;
    vornblit_greenbits = greenbits;
    vornblit_bluebits = bluebits;
    vornblit_redshift = redshift;
    vornblit_greenshift = greenshift;
    vornblit_blueshift = blueshift;
    vornblit_redmask = channel_mask(redbits, redshift);
    vornblit_greenmask = channel_mask(greenbits, greenshift);
    vornblit_bluemask = channel_mask(bluebits, blueshift);
}

uint32_t VornBlit_color24to16(uint32_t colour) {
    uint32_t r = (colour & 0xFF0000) >> (24 - vornblit_redbits);
    uint32_t g = (colour & 0x00FF00) >> (16 - vornblit_greenbits);
    uint32_t b = (colour & 0x0000FF) >> (8 - vornblit_bluebits);
    return ((r << vornblit_redshift) | (g << vornblit_greenshift) | (b << vornblit_blueshift)) &
           0xFFFF;
}

uint32_t VornBlit_color16to24(uint16_t pixel) {
    uint32_t r = (pixel & vornblit_redmask) >> vornblit_redshift;
    uint32_t g = (pixel & vornblit_greenmask) >> vornblit_greenshift;
    uint32_t b = (pixel & vornblit_bluemask) >> vornblit_blueshift;
    return (r << (24 - vornblit_redbits)) | (g << (16 - vornblit_greenbits)) |
           (b << (8 - vornblit_bluebits)) | 0xFF000000u;
}

void VornBlit_BlitPixel16(uint16_t *dst, uint32_t colour) {
    *dst = static_cast<uint16_t>(VornBlit_color24to16(colour));
}
uint32_t VornBlit_GetPixel16(const uint16_t *src) {
    return VornBlit_color16to24(*src);
}
void VornBlit_BlitPixel32(uint32_t *dst, uint32_t pixel) {
    *dst = pixel;
}
uint32_t VornBlit_GetPixel32(const uint32_t *src) {
    return *src;
}

int32_t abscolor(int32_t v) {
    return v >= 0 ? v : -v;
}

void VRX_CreateBitmap(int32_t width, int32_t height, VRX_Bitmap *bitmap) {
    if (!bitmap) return;
    int64_t count = static_cast<int64_t>(width) * height;
    int64_t bytes = count * (vrx_mode16() ? 2 : 4);
    bitmap->height = height;
    bitmap->width = width;
    bitmap->pixels = static_cast<int32_t>(count);
    bitmap->size = static_cast<uint32_t>(bytes);
    // A negative or unrepresentable size is an allocation that cannot succeed; it is
    // reported the same way, so no caller ever sees data smaller than its fields claim.
    if (width < 0 || height < 0 || bytes > INT32_MAX) {
        _dbg_printf("%s(%d): wrap_malloc(%u) failed!\n", BITMAP_FILE, __LINE__, bitmap->size);
        bitmap->data = nullptr;
        return;
    }
    bitmap->data = _wrap_malloc_dbg(bitmap->size, BITMAP_FILE, __LINE__);
}

void VRX_DeleteBitmap(VRX_Bitmap *bitmap) {
    if (!bitmap || !bitmap->data) return;
    _dbg_printf("deleting bitmap\n");
    _wrap_free_dbg(bitmap->data, BITMAP_FILE, __LINE__);
    bitmap->data = nullptr;
}

void VRX_CopyBitmap(VRX_Bitmap src, VRX_Bitmap dst) {
    if (!src.data || !dst.data) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    if (src.size != dst.size) return;
    wrap_memcpy(dst.data, src.data, static_cast<int32_t>(src.size));
}

void VRX_ClearBitmap(VRX_Bitmap bitmap) {
    if (bitmap.data) wrap_memclr(bitmap.data, static_cast<int32_t>(bitmap.size));
}

void VRX_ClearColorBitmap(VRX_Bitmap bitmap, uint32_t colour) {
    if (!bitmap.data || bitmap.pixels <= 0) return;
    if (vrx_mode16())
        VornBlit_BlitFill16(static_cast<uint16_t *>(bitmap.data),
                            std::min<int32_t>(bitmap.pixels, static_cast<int32_t>(bitmap.size / 2)),
                            colour);
    else
        VornBlit_BlitFill32(static_cast<uint32_t *>(bitmap.data),
                            std::min<int32_t>(bitmap.pixels, static_cast<int32_t>(bitmap.size / 4)),
                            colour);
}
