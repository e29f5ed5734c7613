// Sprite internals: the depth workers and what cutting and drawing share.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/sprite.h"
#include "graphics/vornblit.h"

// Allocations and assertions of the sprite code name this module.
inline constexpr const char *VRX_SPRITE_FILE = "graphics/sprite.cpp";

// Stops the program when the sprite has no pixel data.
#define VRX_ASSERT_SPRITE_DATA(s)                                                                  \
    do {                                                                                           \
        if (!(s).data) _dbg_assert(VRX_SPRITE_FILE, __LINE__, "src.data");                         \
    } while (0)

// Scaled drawing draws nothing for a sprite without data.
void DrawScaledSprite16(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Sprite sprite,
                        VRX_Bitmap target);
void DrawScaledSprite32(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Sprite sprite,
                        VRX_Bitmap target);
void DrawRotatedSprite16(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target, int32_t angle,
                         int32_t zoom);
void DrawRotatedSprite32(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target, int32_t angle,
                         int32_t zoom);
void DrawRotatedSpriteXY16(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                           int32_t angle, int32_t zoom, int32_t px, int32_t py);
void DrawRotatedSpriteXY32(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                           int32_t angle, int32_t zoom, int32_t px, int32_t py);

// 1 when the sprite's width and height describe pixels that can be drawn (both positive and
// their byte count representable).
int32_t vrx_sprite_drawable(const VRX_Sprite &sprite);

// The transparent kernels and the opacity rule of each depth under one set of names.
struct vrx_sprite16 {
    typedef uint16_t pixel;
    static constexpr uint32_t bytes = 2;
    static constexpr auto transp = VornBlit_BlitTransp16;
    static constexpr auto mix = VornBlit_BlitTranspMix16;
    static constexpr auto add = VornBlit_BlitTranspAdd16;
    static constexpr auto mul = VornBlit_BlitTranspMul16;
    static constexpr auto qmix = VornBlit_BlitTranspQMix16;
    static constexpr auto q3mix = VornBlit_BlitTranspQ3Mix16;
    static bool opaque(pixel p) { return p != 0; }
};
struct vrx_sprite32 {
    typedef uint32_t pixel;
    static constexpr uint32_t bytes = 4;
    static constexpr auto transp = VornBlit_BlitTransp32;
    static constexpr auto mix = VornBlit_BlitTranspMix32;
    static constexpr auto add = VornBlit_BlitTranspAdd32;
    static constexpr auto mul = VornBlit_BlitTranspMul32;
    static constexpr auto qmix = VornBlit_BlitTranspQMix32;
    static constexpr auto q3mix = VornBlit_BlitTranspQ3Mix32;
    static bool opaque(pixel p) { return p > 0x00FFFFFFu; }
};

template <class D> const typename D::pixel *vrx_sprite_row(const VRX_Sprite &s, int64_t y) {
    return static_cast<const typename D::pixel *>(s.data) + y * s.width;
}
template <class D> typename D::pixel *vrx_target_row(const VRX_Bitmap &b, int64_t y) {
    return static_cast<typename D::pixel *>(b.data) + y * b.width;
}
