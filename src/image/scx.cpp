#include "base/dbg.h"
#include "image/image.h"
#include "image/image_internal.h"

static const char kTag[] = "graphics/loadscx";

static int32_t reject(const char *why) {
    _dbg_printf("SCX file rejected: %s\n", why);
    return 0;
}

// Positions are 32-bit, so files past 64 KiB read whole.
int32_t vrx_decode_scx(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap) {
    const uint32_t kPixels = 10 + 768;
    if (size < kPixels) return reject("header truncated");
    const int32_t width = int32_t(vrx_le16(file + 4)), height = int32_t(vrx_le16(file + 6));
    if (width == 0 || height == 0) return reject("image has no pixels");
    if (uint64_t(width) * uint32_t(height) > kVrxMaxImagePixels) return reject("image too large");
    if (kPixels + uint64_t(width) * uint32_t(height) > size) return reject("pixel data truncated");
    // Components are 6 bits; larger ones keep the low byte of four times their value.
    uint32_t palette[256];
    for (uint32_t i = 0; i < 256; i++) {
        const uint8_t *p = file + 10 + 3 * i;
        palette[i] = 0xFF000000u | uint32_t(uint8_t(p[0] << 2)) << 16 |
                     uint32_t(uint8_t(p[1] << 2)) << 8 | uint8_t(p[2] << 2);
    }
    vrx_image_rows rows;
    if (!rows.create(width, height, bitmap, kTag)) return 0;
    const uint8_t *p = file + kPixels;
    for (int32_t y = 0; y < height; y++, p += width) {
        uint32_t *out = rows.begin(y);
        for (int32_t x = 0; x < width; x++) out[x] = palette[p[x]];
        rows.end(y, false);
    }
    rows.finish(kTag);
    _dbg_printf("width: %d, height: %d, bpp: 8\n", width, height);
    return 1;
}

void LoadImageSCX(const char *name, VRX_Bitmap *bitmap) {
    vrx_image_load(name, bitmap, kTag, vrx_decode_scx);
}
