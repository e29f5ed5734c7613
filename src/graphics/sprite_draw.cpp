// Plain, mirrored and blended sprite drawing: one clipped rectangle, one transparent kernel call
// per row.
#include "graphics/sprite.h"

#include <algorithm>

#include "base/dbg.h"
#include "graphics/draw_clip.h"
#include "graphics/sprite_internal.h"
#include "graphics/video_state.h"

namespace {

// The sprite placed at (x, y) cut to the target; 0 when nothing shows.
template <class D>
int32_t clip_sprite(int32_t x, int32_t y, const VRX_Sprite &s, const VRX_Bitmap &t, vrx_clip *c) {
    if (!vrx_sprite_drawable(s) || !vrx_bitmap_drawable(t, D::bytes)) return 0;
    return vrx_clip_area(x, y, s.width, s.height, t.width, t.height, c);
}

// The 16-bit transparent kernels count in 16 bits, so very wide rows go in pieces.
constexpr int32_t SPAN_MAX = 65535;

template <class D, class K>
void blend_rows(int32_t x, int32_t y, const VRX_Sprite &s, const VRX_Bitmap &t, K kernel) {
    vrx_clip c;
    if (!clip_sprite<D>(x, y, s, t, &c)) return;
    const typename D::pixel *src = vrx_sprite_row<D>(s, c.srcy) + c.srcx;
    typename D::pixel *dst = vrx_target_row<D>(t, c.dsty) + c.dstx;
    for (int32_t row = 0; row < c.rows; row++, src += s.width, dst += t.width) {
        if constexpr (D::bytes == 4) {
            kernel(dst, src, c.cols);
            continue;
        }
        for (int32_t done = 0; done < c.cols; done += SPAN_MAX) {
            const int32_t n = std::min(SPAN_MAX, c.cols - done);
            kernel(dst + done, src + done, n);
        }
    }
}

template <class D> void draw_plain(int32_t x, int32_t y, const VRX_Sprite &s, const VRX_Bitmap &t) {
    blend_rows<D>(x, y, s, t, D::transp);
}

template <class D>
void draw_blend(int32_t x, int32_t y, const VRX_Sprite &s, const VRX_Bitmap &t, int8_t mode) {
    typedef typename D::pixel P;
    // The target row is both the destination and the first source.
    auto two = [&](auto kernel) {
        blend_rows<D>(x, y, s, t,
                      [kernel](P *d, const P *src, int32_t n) { kernel(d, d, src, n); });
    };
    switch (mode) {
    case VRX_SPRITE_PLAIN:
        draw_plain<D>(x, y, s, t);
        break;
    case VRX_SPRITE_MIX:
        two(D::mix);
        break;
    case VRX_SPRITE_ADD:
        two(D::add);
        break;
    case VRX_SPRITE_MUL:
        two(D::mul);
        break;
    case VRX_SPRITE_QMIX:
        two(D::qmix);
        break;
    case VRX_SPRITE_Q3MIX:
        two(D::q3mix);
        break;
    default:
        break;
    }
}

// Target column x + k shows sprite column width - 1 - k; no kernel walks a row backwards.
template <class D>
void draw_mirrored(int32_t x, int32_t y, const VRX_Sprite &s, const VRX_Bitmap &t) {
    vrx_clip c;
    if (!clip_sprite<D>(x, y, s, t, &c)) return;
    const typename D::pixel *src = vrx_sprite_row<D>(s, c.srcy) + (s.width - 1 - c.srcx);
    typename D::pixel *dst = vrx_target_row<D>(t, c.dsty) + c.dstx;
    for (int32_t row = 0; row < c.rows; row++, src += s.width, dst += t.width) {
        for (int32_t i = 0; i < c.cols; i++) {
            const typename D::pixel p = src[-i];
            if (D::opaque(p)) dst[i] = p;
        }
    }
}

} // namespace

void VRX_DrawSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target) {
    VRX_ASSERT_SPRITE_DATA(sprite);
    if (vrx_mode16()) {
        draw_plain<vrx_sprite16>(x, y, sprite, target);
    } else {
        draw_plain<vrx_sprite32>(x, y, sprite, target);
    }
}

void VRX_DrawMirroredSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target) {
    VRX_ASSERT_SPRITE_DATA(sprite);
    if (vrx_mode16()) {
        draw_mirrored<vrx_sprite16>(x, y, sprite, target);
    } else {
        draw_mirrored<vrx_sprite32>(x, y, sprite, target);
    }
}

void VRX_DrawBlendSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target, int8_t mode) {
    VRX_ASSERT_SPRITE_DATA(sprite);
    if (vrx_mode16()) {
        draw_blend<vrx_sprite16>(x, y, sprite, target, mode);
    } else {
        draw_blend<vrx_sprite32>(x, y, sprite, target, mode);
    }
}
