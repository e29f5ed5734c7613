// Rotated sprite drawing: every pixel of a square box around the pivot looks up its sprite
// pixel through the sine table and keeps the target where that pixel is transparent or outside.
#include "graphics/sprite.h"

#include <algorithm>

#include "base/dbg.h"
#include "graphics/draw_bitmap.h"
#include "graphics/draw_clip.h"
#include "graphics/sprite_internal.h"
#include "graphics/video_state.h"

// The same sine table as the rotated bitmaps.
const int32_t (&spriterotate_sincos)[450] = bitmaprotate_sincos;

namespace {

// (px, py) is the sprite pixel that lands on the centre of the box.
template <class D>
void draw_rotated(int32_t x, int32_t y, const VRX_Sprite &s, const VRX_Bitmap &t, int32_t angle,
                  int32_t zoom, int64_t px, int64_t py) {
    if (!vrx_sprite_drawable(s) || !vrx_bitmap_drawable(t, D::bytes)) return;
    const int32_t z = zoom == 0 ? 1 : zoom;
    int32_t a = angle % 360;
    if (a < 0) a += 360;
    const int64_t sn = spriterotate_sincos[a] / z;
    const int64_t cs = -spriterotate_sincos[a + 90] / z;

    // The box has room for the sprite at any angle about its centre, whatever the zoom.
    const int64_t w = s.width, h = s.height;
    const int64_t box = 2 * std::max(w, h), half = box >> 1;
    const int64_t left = x - ((box - w) >> 1) - ((w >> 1) - px);
    const int64_t top = y - ((box - h) >> 1) - ((h >> 1) - py);
    const int64_t i0 = std::max<int64_t>(0, -left), i1 = std::min<int64_t>(box, t.width - left);
    const int64_t j0 = std::max<int64_t>(0, -top), j1 = std::min<int64_t>(box, t.height - top);
    if (i1 <= i0 || j1 <= j0) return;

    // Sprite position times 256 relative to the pivot, walked by additions: a column step adds
    // (cs, sn), a row step (-sn, cs).
    int64_t sx_row = (i0 - half) * cs - (j0 - half) * sn;
    int64_t sy_row = (i0 - half) * sn + (j0 - half) * cs;
    const int64_t cols = i1 - i0;
    // The columns inside the sprite form one run per row.
    vrx_run_walk xrun, yrun;
    vrx_run_walk_start(&xrun, sx_row, cs, -sn, -px * 256, (w - px) * 256);
    vrx_run_walk_start(&yrun, sy_row, sn, cs, -py * 256, (h - py) * 256);
    for (int64_t j = j0; j < j1; j++, sx_row -= sn, sy_row += cs) {
        int64_t first = 0, last = cols;
        vrx_run_walk_row(&xrun, &first, &last);
        vrx_run_walk_row(&yrun, &first, &last);
        if (first >= last) continue;
        typename D::pixel *d = vrx_target_row<D>(t, top + j) + left + i0;
        const typename D::pixel *src = static_cast<const typename D::pixel *>(s.data);
        int64_t sxa = sx_row + first * cs, sya = sy_row + first * sn;
        for (int64_t i = first; i < last; i++, sxa += cs, sya += sn) {
            const typename D::pixel p = src[((sya >> 8) + py) * w + (sxa >> 8) + px];
            if (D::opaque(p)) d[i] = p;
        }
    }
}

} // namespace

void DrawRotatedSprite16(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target, int32_t angle,
                         int32_t zoom) {
    DrawRotatedSpriteXY16(x, y, sprite, target, angle, zoom, sprite.width >> 1, sprite.height >> 1);
}

void DrawRotatedSprite32(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target, int32_t angle,
                         int32_t zoom) {
    DrawRotatedSpriteXY32(x, y, sprite, target, angle, zoom, sprite.width >> 1, sprite.height >> 1);
}

void DrawRotatedSpriteXY16(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                           int32_t angle, int32_t zoom, int32_t px, int32_t py) {
    VRX_ASSERT_SPRITE_DATA(sprite);
    draw_rotated<vrx_sprite16>(x, y, sprite, target, angle, zoom, px, py);
}

void DrawRotatedSpriteXY32(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                           int32_t angle, int32_t zoom, int32_t px, int32_t py) {
    VRX_ASSERT_SPRITE_DATA(sprite);
    draw_rotated<vrx_sprite32>(x, y, sprite, target, angle, zoom, px, py);
}

void VRX_DrawRotatedSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                           int32_t angle) {
    VRX_DrawRotatedSpriteZoom(x, y, sprite, target, angle, 128);
}

void VRX_DrawRotatedSpriteZoom(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                               int32_t angle, int32_t zoom) {
    if (vrx_mode16()) {
        DrawRotatedSprite16(x, y, sprite, target, angle, zoom);
    } else {
        DrawRotatedSprite32(x, y, sprite, target, angle, zoom);
    }
}

void VRX_DrawRotatedSpriteXY(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                             int32_t angle, int32_t zoom, int32_t px, int32_t py) {
    if (vrx_mode16()) {
        DrawRotatedSpriteXY16(x, y, sprite, target, angle, zoom, px, py);
    } else {
        DrawRotatedSpriteXY32(x, y, sprite, target, angle, zoom, px, py);
    }
}
