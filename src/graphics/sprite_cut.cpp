// Cutting sprites from bitmaps, creating, clearing and deleting them, and the two tests.
#include "graphics/sprite.h"

#include <cstring>

#include "base/dbg.h"
#include "base/memory.h"
#include "graphics/draw_clip.h"
#include "graphics/sprite_internal.h"
#include "graphics/video_state.h"

namespace {

enum CutKind { CUT_PLAIN, CUT_DARK, CUT_TINT };

// Bytes of w x h pixels of `bytes` each; -1 when the size is negative or too large to allocate.
int64_t pixel_bytes(int32_t w, int32_t h, uint32_t bytes) {
    if (w < 0 || h < 0) return -1;
    const int64_t n = int64_t{w} * h * bytes;
    return n > INT32_MAX ? -1 : n;
}

// A size that cannot be allocated is reported like a failed allocation.
void *alloc_pixels(int32_t w, int32_t h, uint32_t bytes, int32_t line) {
    const int64_t n = pixel_bytes(w, h, bytes);
    if (n < 0) {
        _dbg_printf("%s(%d): wrap_malloc(%u) failed!\n", VRX_SPRITE_FILE, line,
                    static_cast<uint32_t>(int64_t{w} * h * bytes));
        return nullptr;
    }
    return _wrap_malloc_dbg(static_cast<uint32_t>(n), VRX_SPRITE_FILE, line);
}

uint32_t tinted(uint32_t c, uint32_t tint) {
    const uint32_t r = (((c >> 16) & 0xFF) * ((tint >> 16) & 0xFF)) >> 8;
    const uint32_t g = (((c >> 8) & 0xFF) * ((tint >> 8) & 0xFF)) >> 8;
    const uint32_t b = ((c & 0xFF) * (tint & 0xFF)) >> 8;
    return r << 16 | g << 8 | b;
}

// Every opaque source colour loses one step of its top byte, so that the 0xFF written by the
// loaders stays opaque and a zero top byte wraps to 0xFF instead of turning transparent.
uint32_t sprite_pixel32(uint32_t c, CutKind kind, uint32_t tint) {
    if (VRX_CheckSpriteTransparency(c)) return 0;
    switch (kind) {
    case CUT_PLAIN:
        return c - 0x01000000u;
    case CUT_DARK:
        return ((c & 0xFEFEFEFEu) >> 1) - 0x01000000u;
    default:
        return 0xFF000000u | tinted(c, tint);
    }
}

// 0 is the 16-bit key, so opaque black is stored as 1.
uint16_t sprite_pixel16(uint32_t c, CutKind kind, uint32_t tint) {
    if (VRX_CheckSpriteTransparency(c)) return 0;
    const uint32_t colour = kind == CUT_PLAIN  ? c
                            : kind == CUT_DARK ? (c & 0xFEFEFEFEu) >> 1
                                               : tinted(c, tint);
    const uint32_t p = VornBlit_color24to16(colour);
    return static_cast<uint16_t>(p ? p : 1);
}

void cut(int32_t x, int32_t y, int32_t w, int32_t h, const VRX_Bitmap &bitmap, VRX_Sprite *sprite,
         CutKind kind, uint32_t tint) {
    if (!sprite) return;
    sprite->width = w;
    sprite->height = h;
    // Four bytes a pixel in either depth.
    sprite->data = alloc_pixels(w, h, 4, __LINE__);
    if (!sprite->data) return;
    const bool mode16 = vrx_mode16();
    const int64_t right = int64_t{x} + w, bottom = int64_t{y} + h;
    if (x < 0 || y < 0 || right > bitmap.width || bottom > bitmap.height || w == 0 || h == 0 ||
        !vrx_bitmap_drawable(bitmap, mode16 ? 2 : 4)) {
        // A rectangle outside the bitmap leaves a wholly transparent sprite.
        std::memset(sprite->data, 0, static_cast<size_t>(pixel_bytes(w, h, 4)));
        return;
    }
    for (int32_t row = 0; row < h; row++) {
        if (mode16) {
            const uint16_t *s = vrx_row16(bitmap, y + row) + x;
            uint16_t *d = static_cast<uint16_t *>(sprite->data) + int64_t{row} * w;
            for (int32_t i = 0; i < w; i++)
                d[i] = sprite_pixel16(VornBlit_color16to24(s[i]), kind, tint);
        } else {
            const uint32_t *s = vrx_row32(bitmap, y + row) + x;
            uint32_t *d = static_cast<uint32_t *>(sprite->data) + int64_t{row} * w;
            for (int32_t i = 0; i < w; i++) d[i] = sprite_pixel32(s[i], kind, tint);
        }
    }
}

uint32_t depth_bytes() {
    return vrx_mode16() ? 2 : 4;
}

} // namespace

int32_t vrx_sprite_drawable(const VRX_Sprite &sprite) {
    return sprite.data && sprite.width > 0 && sprite.height > 0 &&
           pixel_bytes(sprite.width, sprite.height, 4) >= 0;
}

int32_t VRX_CheckSpriteTransparency(uint32_t colour) {
    const uint32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    return r > 240 && g < 16 && b > 240;
}

int32_t VRX_CheckSpriteCollision(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2,
                                 int32_t y2, int32_t w2, int32_t h2) {
    // 64-bit sums: rectangles near the ends of the coordinate range must not wrap.
    return x1 < int64_t{x2} + w2 && x2 < int64_t{x1} + w1 && y1 < int64_t{y2} + h2 &&
           y2 < int64_t{y1} + h1;
}

void VRX_GetSprite(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap bitmap,
                   VRX_Sprite *sprite) {
    cut(x, y, width, height, bitmap, sprite, CUT_PLAIN, 0);
}

void VRX_GetDarkSprite(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap bitmap,
                       VRX_Sprite *sprite) {
    cut(x, y, width, height, bitmap, sprite, CUT_DARK, 0);
}

void VRX_GetColorSprite(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t tint,
                        VRX_Bitmap bitmap, VRX_Sprite *sprite) {
    cut(x, y, width, height, bitmap, sprite, CUT_TINT, tint);
}

void CreateMaskedSprite(int32_t width, int32_t height, const void *pixels, VRX_Sprite *sprite,
                        uint32_t mask) {
    if (!sprite) return;
    sprite->width = width;
    sprite->height = height;
    const bool mode16 = vrx_mode16();
    sprite->data = alloc_pixels(width, height, depth_bytes(), __LINE__);
    if (!sprite->data) return;
    const int64_t n = int64_t{width} * height;
    if (!pixels) {
        std::memset(sprite->data, 0, static_cast<size_t>(n * depth_bytes()));
        return;
    }
    if (mode16) {
        const auto m = static_cast<uint16_t>(VornBlit_color24to16(mask));
        const auto *s = static_cast<const uint16_t *>(pixels);
        auto *d = static_cast<uint16_t *>(sprite->data);
        for (int64_t i = 0; i < n; i++) d[i] = s[i] & m;
    } else {
        const auto *s = static_cast<const uint32_t *>(pixels);
        auto *d = static_cast<uint32_t *>(sprite->data);
        for (int64_t i = 0; i < n; i++) d[i] = s[i] & mask;
    }
}

void VRX_CreateSprite(int32_t width, int32_t height, VRX_Sprite *sprite) {
    if (!sprite) return;
    sprite->width = width;
    sprite->height = height;
    sprite->data = alloc_pixels(width, height, depth_bytes(), __LINE__);
    VRX_ClearSprite(*sprite);
}

void VRX_ClearSprite(VRX_Sprite sprite) {
    const int64_t n = pixel_bytes(sprite.width, sprite.height, depth_bytes());
    if (sprite.data && n > 0) std::memset(sprite.data, 0, static_cast<size_t>(n));
}

VRX_Bitmap *VRX_GetBitmapFromSprite(VRX_Bitmap *bitmap, VRX_Sprite sprite) {
    if (!bitmap) return bitmap;
    const int64_t n = int64_t{sprite.width} * sprite.height;
    bitmap->width = sprite.width;
    bitmap->height = sprite.height;
    bitmap->size = static_cast<uint32_t>(n * depth_bytes());
    bitmap->pixels = static_cast<int32_t>(n);
    bitmap->data = sprite.data;
    return bitmap;
}

void VRX_DeleteSprite(VRX_Sprite *sprite) {
    if (!sprite || !sprite->data) return;
    _wrap_free_dbg(sprite->data, VRX_SPRITE_FILE, __LINE__);
    sprite->data = nullptr;
}
