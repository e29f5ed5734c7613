#include "graphics/primitives.h"
#include "graphics/primitives_plot.h"

uint8_t VRX_opacity = 0;
VRX_Bitmap VRX_texture1 = {};

void VRX_SetPrimitiveOpacity(uint8_t opacity) {
    VRX_opacity = opacity;
}

void VRX_SetPrimitiveTexture(VRX_Bitmap texture) {
    VRX_texture1 = texture;
}

// Only one texture slot exists: the second bitmap is the one the triangle fillers use.
void VRX_SetPrimitiveDualTexture(VRX_Bitmap first, VRX_Bitmap second) {
    (void)first;
    VRX_texture1 = second;
}

static bool pixel_exists(int32_t x, int32_t y, const VRX_Bitmap &b) {
    return b.data && x >= 0 && x < b.width && y >= 0 && y < b.height;
}

uint32_t VRX_GetPixel(int32_t x, int32_t y, VRX_Bitmap bitmap) {
    if (!pixel_exists(x, y, bitmap)) return 0;
    if (vrx_mode16()) return VornBlit_color16to24(vrx_row16(bitmap, y)[x]);
    return vrx_row32(bitmap, y)[x];
}

void VRX_DrawPixel(int32_t x, int32_t y, uint32_t colour, VRX_Bitmap bitmap) {
    vrx_plot(x, y, colour, bitmap);
}

// Per-channel sum clamped to the channel's own mask.
static uint32_t add_channel(uint32_t a, uint32_t b, uint32_t mask) {
    uint32_t s = (a & mask) + (b & mask);
    return s > mask ? mask : s;
}

void VRX_DrawBlendPixel(int32_t x, int32_t y, uint32_t colour, VRX_Bitmap bitmap, int32_t mode) {
    if (!pixel_exists(x, y, bitmap)) return;
    if (mode == VRX_PIXEL_REPLACE) {
        vrx_plot(x, y, colour, bitmap);
        return;
    }
    if (mode != VRX_PIXEL_AVERAGE && mode != VRX_PIXEL_ADD) return;
    if (vrx_mode16()) {
        uint16_t *p = vrx_row16(bitmap, y) + x;
        uint32_t old = *p, c = VornBlit_color24to16(colour);
        uint32_t r = vornblit_redmask, g = vornblit_greenmask, bl = vornblit_bluemask;
        uint32_t result;
        if (mode == VRX_PIXEL_AVERAGE) {
            // Drop each channel's low bit so the halves cannot carry into the next channel.
            uint32_t half = (r & (r - 1)) | (g & (g - 1)) | (bl & (bl - 1));
            result = ((old & half) + (c & half)) >> 1;
        } else {
            result = add_channel(old, c, r) | add_channel(old, c, g) | add_channel(old, c, bl);
        }
        *p = static_cast<uint16_t>(result);
    } else {
        uint32_t *p = vrx_row32(bitmap, y) + x;
        uint32_t old = *p;
        if (mode == VRX_PIXEL_AVERAGE)
            *p = ((old & 0xFEFEFEFEu) + (colour & 0xFEFEFEFEu)) >> 1;
        else
            *p = add_channel(old, colour, 0xFF0000) | add_channel(old, colour, 0x00FF00) |
                 add_channel(old, colour, 0x0000FF);
    }
}

void VRX_DrawHLine(int32_t x1, int32_t x2, int32_t y, uint32_t colour, VRX_Bitmap bitmap) {
    vrx_hline(x1, x2, y, colour, bitmap);
}

void VRX_DrawVLine(int32_t x, int32_t y1, int32_t y2, uint32_t colour, VRX_Bitmap bitmap) {
    if (!bitmap.data || x < 0 || x >= bitmap.width) return;
    if (static_cast<int64_t>(y2) - y1 <= 0) return;
    // Only the rows inside the bitmap can change, so walk just those.
    int32_t top = y1 < 0 ? 0 : y1;
    int32_t bottom = y2 >= bitmap.height ? bitmap.height - 1 : y2;
    for (int32_t y = top; y <= bottom; ++y) vrx_plot(x, y, colour, bitmap);
}
