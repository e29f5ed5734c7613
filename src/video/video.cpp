// Video output: set-up, the back buffer, presentation and the palette table.
#include "video/video.h"

#include <cstring>

#include "base/dbg.h"
#include "graphics/bitmap.h"
#include "graphics/scale2x.h"
#include "hw_common/timer.h"
#include "video/input.h"
#include "video/platform_internal.h"

uint32_t VRX_colortab[256];

// 1 while the back buffer's pixels are the surface's own (direct mode): not ours to free.
static int32_t backbuffer_is_surface = 0;

static void release_screen_bitmaps() {
    if (backbuffer_is_surface)
        VRX_screenbitmap = VRX_Bitmap{};
    else
        VRX_DeleteBitmap(&VRX_screenbitmap);
    backbuffer_is_surface = 0;
    VRX_DeleteBitmap(&VRX_screenbitmap2);
}

static void set_pixel_format(bool mode16) {
    VRX_video.pitch = VRX_video.width;
    if (mode16) {
        VRX_video.bpp = 16;
        VRX_video.bytesperpixel = 2;
        VRX_video.redmask = 0x7C00;
        VRX_video.greenmask = 0x03E0;
        VRX_video.bluemask = 0x001F;
        VRX_video.redshift = 10;
        VRX_video.greenshift = 5;
        VRX_video.redbits = VRX_video.greenbits = VRX_video.bluebits = 5;
    } else {
        VRX_video.bpp = 32;
        VRX_video.bytesperpixel = 4;
        VRX_video.redmask = 0xFF0000;
        VRX_video.greenmask = 0x00FF00;
        VRX_video.bluemask = 0x0000FF;
        VRX_video.redshift = 16;
        VRX_video.greenshift = 8;
        VRX_video.redbits = VRX_video.greenbits = VRX_video.bluebits = 8;
    }
    VRX_video.blueshift = 0;
}

// Sizes past what a bitmap can hold become -1, which every creation refuses.
static int32_t bitmap_side(uint64_t side) {
    return side <= 0x7FFFFFFF ? static_cast<int32_t>(side) : -1;
}

int32_t VRX_InitVideo(uint32_t width, uint32_t height, int32_t bpp, int32_t flags) {
    VRX_video.width = width;
    VRX_video.height = height;
    bool mode16 = (flags & VRX_MODE16) && bpp != 32;
    VRX_video.flags = mode16 ? uint32_t{VRX_VIDEO_16BIT} : 0u;
    if (flags & VRX_DOUBLE4)
        VRX_video.zoom = 4;
    else if ((flags & VRX_DOUBLE1) && (flags & VRX_DOUBLE2))
        VRX_video.zoom = 3;
    else if (flags & VRX_DOUBLE2)
        VRX_video.zoom = 2;
    else if (flags & VRX_DOUBLE1)
        VRX_video.zoom = 1;
    else
        VRX_video.zoom = 0;
    set_pixel_format(mode16);

    // Drawing straight into the surface only works when nothing is doubled in between, and
    // when the surface's rows follow each other with no gap (a row is whole 4-byte words).
    uint64_t row = uint64_t{width} * VRX_video.bytesperpixel;
    bool wanted_direct = (flags & VRX_DIRECT) != 0;
    bool direct = wanted_direct && VRX_video.zoom == 0 && row % 4 == 0;
    release_screen_bitmaps();
    int32_t topdown = direct ? 1 : 0;
    int32_t fullscreen = (flags & VRX_FULLSCREEN) ? 1 : 0;
    uint8_t bits = static_cast<uint8_t>(VRX_video.bpp);
    if (VRX_video.zoom > 0) {
        uint64_t w2 = uint64_t{width} * 2, h2 = uint64_t{height} * 2;
        VRX_ll_video_open(w2 <= 0xFFFFFFFF ? static_cast<uint32_t>(w2) : 0,
                          h2 <= 0xFFFFFFFF ? static_cast<uint32_t>(h2) : 0, bits, fullscreen,
                          topdown);
        VRX_CreateBitmap(bitmap_side(w2), bitmap_side(h2), &VRX_screenbitmap2);
        VRX_ClearBitmap(VRX_screenbitmap2);
    } else {
        VRX_ll_video_open(width, height, bits, fullscreen, topdown);
    }
    VornBlit_Initialise(VRX_video.redbits, VRX_video.greenbits, VRX_video.bluebits,
                        VRX_video.redshift, VRX_video.greenshift, VRX_video.blueshift);

    void *surface = VRX_ll_video_surface();
    if (direct && surface) {
        VRX_screenbitmap.width = bitmap_side(width);
        VRX_screenbitmap.height = bitmap_side(height);
        VRX_screenbitmap.pixels = static_cast<int32_t>(uint64_t{width} * height);
        VRX_screenbitmap.size = static_cast<uint32_t>(row * height);
        VRX_screenbitmap.data = surface;
        backbuffer_is_surface = 1;
        VRX_video.flags |= VRX_VIDEO_DIRECT;
    } else {
        if (wanted_direct)
            _dbg_printf("direct mode not available for this size; using a back buffer\n");
        VRX_CreateBitmap(bitmap_side(width), bitmap_side(height), &VRX_screenbitmap);
    }
    VRX_ClearBitmap(VRX_screenbitmap);
    VRX_SwapBuffers();

    VRX_video_time = VRX_timer_getmillis();
    VRX_video_updatespeed = 20;
    VRX_video_numframes = 0;
    VRX_ll_input_get_mouse_area(&VRX_input_mousewidth, &VRX_input_mouseheight);
    return 1;
}

void VRX_CloseVideo() {
    release_screen_bitmaps();
    VRX_ll_video_close();
}

void *VRX_GetVideoBuffer() {
    return VRX_screenbitmap.data;
}

void VRX_SetColors(const uint8_t *palette, uint32_t count, uint32_t first) {
    if (!palette || first >= 256) return;
    uint32_t end = count > 256 - first ? 256 : first + count; // the table has 256 entries
    for (uint32_t i = first; i < end; i++) {
        uint32_t rgb = (uint32_t{palette[3 * i]} << 16) | (uint32_t{palette[3 * i + 1]} << 8) |
                       palette[3 * i + 2];
        VRX_colortab[i] = vrx_mode16() ? VornBlit_color24to16(rgb) : rgb;
    }
}

// Copies the back buffer (or its doubled copy) into a bottom-up surface: source row 0 becomes
// the surface's last row, so the picture shows upright.
static void page_copy(void *destination, int32_t doubled, uint32_t bytesperpixel) {
    const VRX_Bitmap &src = doubled ? VRX_screenbitmap2 : VRX_screenbitmap;
    uint64_t w = uint64_t{VRX_video.width} << (doubled ? 1 : 0);
    uint64_t h = uint64_t{VRX_video.height} << (doubled ? 1 : 0);
    if (!destination || !src.data || VRX_video.bytesperpixel != bytesperpixel || h == 0 ||
        static_cast<uint64_t>(src.width) != w || static_cast<uint64_t>(src.height) != h)
        return;
    uint64_t row = w * bytesperpixel;
    if (src.size < row * h) return;
    uint64_t stride = (row + 3) & ~uint64_t{3};
    // Source row y lands on surface row h - 1 - y; walking the surface upwards in memory
    // keeps the writes, the costlier stream, in ascending order.
    const auto *s = static_cast<const uint8_t *>(src.data) + (h - 1) * row;
    auto *d = static_cast<uint8_t *>(destination);
    for (uint64_t y = 0; y < h; y++) {
        std::memcpy(d, s, row);
        s -= row;
        d += stride;
    }
}

void VRX_video_drawvpage32(void *destination, int32_t doubled) {
    page_copy(destination, doubled, 4);
}

void VRX_video_drawvpage16(void *destination, int32_t doubled) {
    page_copy(destination, doubled, 2);
}

// Brings the surface up to date with the back buffer.
static void fill_surface() {
    if (VRX_video.flags & VRX_VIDEO_DIRECT) {
        VRX_screenbitmap.data = VRX_ll_video_surface();
        return;
    }
    int32_t doubled = 0;
    if (VRX_video.zoom > 0) {
        VRX_ScaleBitmap2x(VRX_screenbitmap, VRX_screenbitmap2, VRX_video.zoom);
        doubled = 1;
    }
    if (vrx_mode16())
        VRX_video_drawvpage16(VRX_ll_video_surface(), doubled);
    else
        VRX_video_drawvpage32(VRX_ll_video_surface(), doubled);
}

void VRX_SwapBufferHWND(HWND__ *window) {
    fill_surface();
    // The doubled page already has the surface's size: no stretching.
    VRX_ll_video_present(window, !(VRX_video.flags & VRX_VIDEO_DIRECT) && VRX_video.zoom > 0);
    VRX_video_numframes++;
}

int32_t VRX_SwapBufferHDC(HDC__ *context) {
    fill_surface();
    VRX_video_numframes++;
    return VRX_ll_video_present_dc(context);
}

void VRX_SwapBuffers() {
    VRX_SwapBufferHWND(VRX_ll_video_window());
}
