// The decoders behind the image loaders, fed a whole file held in memory. Each creates the
// bitmap in the current depth and returns 1, or prints one diagnostic line, leaves the bitmap
// without data and returns 0. Nothing outside `file[0, size)` is read.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

int32_t vrx_decode_tga(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap);
int32_t vrx_decode_bmp(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap);
int32_t vrx_decode_pcx(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap);
int32_t vrx_decode_scx(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap);
int32_t vrx_decode_pal(const uint8_t *file, uint32_t size, uint8_t *palette);

// Reads a whole file of the mounted image into a new buffer (released with
// vrx_image_release), or prints why not and returns null.
uint8_t *vrx_image_read(const char *name, uint32_t *size, const char *tag);
void vrx_image_release(uint8_t *buffer, const char *tag);

// Loads `name` through `decode` with the buffer tagged `tag`.
void vrx_image_load(const char *name, VRX_Bitmap *bitmap, const char *tag,
                    int32_t (*decode)(const uint8_t *, uint32_t, VRX_Bitmap *));

// Stores decoded rows of 0xAARRGGBB values into a bitmap of the current depth, as drawing
// each pixel would. Rows are filled in place when the depth allows.
struct vrx_image_rows {
    VRX_Bitmap bitmap;
    bool mode16;
    uint32_t *scratch; // one row of 32-bit values, 16-bit mode only

    // Creates the bitmap; 0 when there is no memory (the allocator has said so).
    int32_t create(int32_t width, int32_t height, VRX_Bitmap *out, const char *tag);
    // Where the decoder writes row y's `width` values.
    uint32_t *begin(int32_t y) { return mode16 ? scratch : vrx_row32(bitmap, y); }
    // Stores row y, right to left when `mirror`.
    void end(int32_t y, bool mirror);
    // Releases the pixels of a failed decode without a word, and the scratch row.
    void fail(VRX_Bitmap *out, const char *tag);
    void finish(const char *tag);
};

// Little-endian fields.
inline uint32_t vrx_le16(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
inline uint32_t vrx_le32(const uint8_t *p) {
    return vrx_le16(p) | vrx_le16(p + 2) << 16;
}
// 1-5-5-5 to 0xFFRRGGBB, each component times 8.
inline uint32_t vrx_from1555(uint32_t v) {
    return 0xFF000000u | (v >> 10 & 0x1F) << 19 | (v >> 5 & 0x1F) << 11 | (v & 0x1F) << 3;
}
// B, G, R bytes to 0xFFRRGGBB.
inline uint32_t vrx_from_bgr(const uint8_t *p) {
    return 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// n B, G, R pixels to 0xFFRRGGBB (the hot loop of the picture files).
void vrx_row_from_bgr(const uint8_t *p, int32_t n, uint32_t *out);

// Largest pixel count a loader accepts: keeps byte sizes inside 32 bits.
inline constexpr uint64_t kVrxMaxImagePixels = uint64_t(1) << 28;
