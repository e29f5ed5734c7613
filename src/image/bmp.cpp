#include "base/dbg.h"
#include "image/image.h"
#include "image/image_internal.h"

#include <algorithm>

static const char kTag[] = "graphics/loadbmp";

namespace {

enum : uint32_t { BMP_BITFIELDS = 3 }; // the one compression value that changes decoding

struct Bmp {
    uint32_t bpp, compression;
    int32_t width;
    uint32_t palette[256];
    uint8_t unset[256]; // 1 for indices past the palette's colour count
    uint8_t bad;
};

int32_t reject(const char *why) {
    _dbg_printf("BMP file rejected: %s\n", why);
    return 0;
}

// One stored row; the caller has checked that its bytes are in the file.
void decode_row(Bmp &b, const uint8_t *p, uint32_t *out) {
    const int32_t w = b.width;
    uint8_t bad = 0;
    switch (b.bpp) {
    case 1: // set bits are black, clear bits white, both with the top byte of the bit
        for (int32_t x = 0; x < w; x++) out[x] = p[x >> 3] >> (7 - (x & 7)) & 1 ? 0 : 0xFFFFFFFFu;
        break;
    case 4:
        for (int32_t x = 0; x < w; x++) {
            uint32_t i = x & 1 ? p[x >> 1] & 0xFu : p[x >> 1] >> 4u;
            out[x] = b.palette[i];
            bad |= b.unset[i];
        }
        break;
    case 8:
        for (int32_t x = 0; x < w; x++) {
            out[x] = b.palette[p[x]];
            bad |= b.unset[p[x]];
        }
        break;
    case 15:
    case 16:
        if (b.bpp == 16 && b.compression == BMP_BITFIELDS) {
            for (int32_t x = 0; x < w; x++) { // 4-4-4-4, the top nibble unused
                uint32_t v = vrx_le16(p + 2 * x);
                out[x] = 0xFF000000u | (v >> 8 & 0xF) << 20 | (v >> 4 & 0xF) << 12 | (v & 0xF) << 4;
            }
        } else {
            for (int32_t x = 0; x < w; x++) out[x] = vrx_from1555(vrx_le16(p + 2 * x));
        }
        break;
    case 24:
        vrx_row_from_bgr(p, w, out);
        break;
    case 32:
        if (b.compression == BMP_BITFIELDS) {
            for (int32_t x = 0; x < w; x++) {
                const uint8_t *q = p + 4 * x;
                out[x] = uint32_t(q[0]) << 24 | uint32_t(q[3]) << 16 | uint32_t(q[2]) << 8 | q[1];
            }
        } else {
            for (int32_t x = 0; x < w; x++) out[x] = vrx_le32(p + 4 * x);
        }
        break;
    }
    b.bad |= bad;
}

} // namespace

int32_t vrx_decode_bmp(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap) {
    if (size < 54) return reject("header truncated");
    Bmp b{}; // indices past the colour count read as 0 until the file is rejected
    const uint32_t offset = vrx_le16(file + 10);
    b.width = int32_t(vrx_le32(file + 18));
    int64_t height = int32_t(vrx_le32(file + 22));
    b.bpp = vrx_le16(file + 28);
    b.compression = vrx_le16(file + 30);
    uint32_t colours = vrx_le32(file + 46);
    switch (b.bpp) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return reject("unsupported pixel depth");
    }
    const bool top_down = height < 0;
    if (top_down) height = -height;
    if (b.width <= 0 || height == 0) return reject("image has no pixels");
    if (uint64_t(b.width) * uint64_t(height) > kVrxMaxImagePixels) return reject("image too large");

    // A 15-bit stride is shorter than its two bytes per pixel: rows overlap, and only the last
    // row's bytes must all be in the file.
    const uint64_t stride = ((uint64_t(b.bpp) * uint32_t(b.width) + 31) >> 3) & ~uint64_t(3);
    const uint64_t row_bytes =
        b.bpp < 8 ? (uint64_t(b.width) * b.bpp + 7) / 8 : uint64_t(b.width) * ((b.bpp + 1) / 8);
    if (offset + stride * uint64_t(height - 1) + row_bytes > size)
        return reject("pixel data truncated");

    std::fill(b.unset, b.unset + 256, uint8_t{1});
    if (b.bpp == 4 || b.bpp == 8) {
        if (colours == 0) colours = b.bpp == 4 ? 16 : 256;
        const uint32_t kept = std::min(colours, 256u); // entries past 256 are dropped
        if (54 + uint64_t(kept) * 4 > size) return reject("palette truncated");
        for (uint32_t i = 0; i < kept; i++) {
            b.palette[i] = vrx_from_bgr(file + 54 + 4 * i);
            b.unset[i] = 0;
        }
    }

    const int32_t h = int32_t(height);
    vrx_image_rows rows;
    if (!rows.create(b.width, h, bitmap, kTag)) return 0;
    for (int32_t i = 0; i < h; i++) {
        const int32_t y = top_down ? i : h - 1 - i;
        decode_row(b, file + offset + stride * uint64_t(i), rows.begin(y));
        rows.end(y, false);
    }
    if (b.bad) {
        reject("palette index past the palette's colours");
        rows.fail(bitmap, kTag);
        return 0;
    }
    rows.finish(kTag);
    return 1;
}

void LoadImageBMP(const char *name, VRX_Bitmap *bitmap) {
    vrx_image_load(name, bitmap, kTag, vrx_decode_bmp);
}
