// The video state record and the screen bitmaps: the depth and pixel layout every raster
// operation reads, written by video set-up.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

enum : uint32_t {
    VRX_VIDEO_16BIT = 0x10,  // 16-bit mode: every raster operation takes its 16-bit path
    VRX_VIDEO_DIRECT = 0x100 // draw straight into the presentation surface
};

struct VRX_VideoState {
    uint32_t width;
    uint32_t height;
    uint32_t pitch;
    uint32_t bpp;
    uint32_t bytesperpixel;
    uint32_t redmask;
    uint32_t greenmask;
    uint32_t bluemask;
    uint32_t redshift;
    uint32_t greenshift;
    uint32_t blueshift;
    uint32_t redbits;
    uint32_t greenbits;
    uint32_t bluebits;
    uint32_t flags;
    int32_t zoom;
};

extern VRX_VideoState VRX_video;
extern VRX_Bitmap VRX_screenbitmap;
extern VRX_Bitmap VRX_screenbitmap2;

// The depth every raster operation reads at the moment it runs.
inline bool vrx_mode16() {
    return (VRX_video.flags & VRX_VIDEO_16BIT) != 0;
}
