// Scaled, zoomed and stereo sprite drawing: nearest sprite pixel in 16.16 steps.
#include "graphics/sprite.h"

#include <algorithm>

#include "graphics/draw_clip.h"
#include "graphics/sprite_internal.h"
#include "graphics/video_state.h"

namespace {

int32_t clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Rows wider than this no longer fit the kernel's 32-bit position.
constexpr int32_t STRETCH_MAX_WIDTH = 32767;

template <class D>
void transp_stretch(typename D::pixel *d, const typename D::pixel *s, int32_t n, int64_t pos,
                    int64_t step) {
    for (int32_t i = 0; i < n; i++, pos += step) {
        const typename D::pixel p = s[pos >> 16];
        if (D::opaque(p)) d[i] = p;
    }
}

template <class D>
void draw_scaled(int32_t x, int32_t y, int32_t w, int32_t h, const VRX_Sprite &s,
                 const VRX_Bitmap &t) {
    if (w < 1) w = 1;
    if (h < 1) h = 1;
    if (!vrx_sprite_drawable(s) || !vrx_bitmap_drawable(t, D::bytes)) return;
    vrx_clip c;
    if (!vrx_clip_area(x, y, w, h, t.width, t.height, &c)) return;
    const int64_t xstep = (int64_t{s.width} << 16) / w, ystep = (int64_t{s.height} << 16) / h;
    const int64_t xpos = c.srcx * xstep;
    int64_t ypos = c.srcy * ystep;
    typename D::pixel *d = vrx_target_row<D>(t, c.dsty) + c.dstx;
    for (int32_t row = 0; row < c.rows; row++, ypos += ystep, d += t.width) {
        const typename D::pixel *src = vrx_sprite_row<D>(s, ypos >> 16);
        if constexpr (D::bytes == 4) {
            if (s.width <= STRETCH_MAX_WIDTH) {
                VornBlit_BlitTranspStretch32(d, src, c.cols, static_cast<int32_t>(xpos),
                                             static_cast<int32_t>(xstep));
                continue;
            }
        }
        transp_stretch<D>(d, src, c.cols, xpos, xstep);
    }
}

} // namespace

void DrawScaledSprite16(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Sprite sprite,
                        VRX_Bitmap target) {
    draw_scaled<vrx_sprite16>(x, y, width, height, sprite, target);
}

void DrawScaledSprite32(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Sprite sprite,
                        VRX_Bitmap target) {
    draw_scaled<vrx_sprite32>(x, y, width, height, sprite, target);
}

void VRX_DrawScaledSprite(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Sprite sprite,
                          VRX_Bitmap target) {
    if (vrx_mode16()) {
        DrawScaledSprite16(x, y, width, height, sprite, target);
    } else {
        DrawScaledSprite32(x, y, width, height, sprite, target);
    }
}

void VRX_DrawZoomedSprite(int32_t x, int32_t y, int32_t percent, VRX_Sprite sprite,
                          VRX_Bitmap target) {
    VRX_DrawScaledSprite(x, y, clamp32(int64_t{percent} * sprite.width / 100),
                         clamp32(int64_t{percent} * sprite.height / 100), sprite, target);
}

void VRX_DrawSprite3D(int32_t x, int32_t y, int32_t depth, VRX_Sprite sprite, VRX_Bitmap left,
                      VRX_Bitmap right) {
    const int64_t d = (int64_t{depth} - 100) >> 4;
    const int32_t zoom = clamp32(int64_t{depth} + 100);
    VRX_DrawZoomedSprite(clamp32(x - d), y, zoom, sprite, left);
    VRX_DrawZoomedSprite(clamp32(x + d), y, zoom, sprite, right);
}
