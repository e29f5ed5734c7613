// Whole-bitmap effects. A bitmap's rows lie back to back, so each effect is one kernel call.
#include "graphics/effects.h"

#include "base/dbg.h"
#include "graphics/draw_clip.h"
#include "graphics/draw_depth.h"
#include "graphics/vornblit.h"
#include "graphics/video_state.h"

namespace {

uint32_t pixel_bytes() {
    return vrx_mode16() ? 2 : 4;
}

// The span: the destination's pixel count, as far as its data holds it.
int32_t span_length(const VRX_Bitmap &dst) {
    int64_t n = vrx_bitmap_capacity(dst, pixel_bytes());
    if (dst.pixels < n) n = dst.pixels;
    return n > 0 ? static_cast<int32_t>(n) : 0;
}

// Second sources and masks are not compared by size; they must still hold the whole span.
bool holds(const VRX_Bitmap &b, int32_t n) {
    return vrx_bitmap_capacity(b, pixel_bytes()) >= n;
}

uint16_t *px16(const VRX_Bitmap &b) {
    return static_cast<uint16_t *>(b.data);
}
uint32_t *px32(const VRX_Bitmap &b) {
    return static_cast<uint32_t *>(b.data);
}

// Mode 0 fades to black, 1 to white, 2 crossfades from dst's own picture, 3 wipes the source
// in, ordered by its own blue channel.
template <class D>
void fade_span(typename D::pixel *d, const typename D::pixel *s, uint8_t level, int32_t n,
               uint8_t mode) {
    switch (mode) {
    case 0:
        D::fade(d, s, level, n);
        break;
    case 1:
        D::fadewhite(d, s, level, n);
        break;
    case 2:
        D::crossfade(d, d, s, level, n);
        break;
    case 3:
        D::alphawipe(d, s, s, level, n);
        break;
    default:
        break;
    }
}

} // namespace

void VRX_GreyBitmap(VRX_Bitmap src, VRX_Bitmap dst) {
    if (!vrx_bitmaps_have_data(src, dst)) return;
    if (vrx_mode16()) return;
    const int32_t n = span_length(dst);
    if (!holds(src, n)) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    const uint32_t *s = px32(src);
    uint32_t *d = px32(dst);
    for (int32_t i = 0; i < n; i++) {
        uint32_t p = s[i];
        // Luma weights that sum to 256, so white stays 255.
        uint32_t g = (77 * ((p >> 16) & 0xFF) + 150 * ((p >> 8) & 0xFF) + 29 * (p & 0xFF)) >> 8;
        d[i] = 0xFF000000u | (g << 16) | (g << 8) | g;
    }
}

void VRX_BlendBitmap(VRX_Bitmap a, VRX_Bitmap b, VRX_Bitmap dst, uint8_t mode) {
    if (!a.data || !b.data || !dst.data || a.size != dst.size) return;
    const int32_t n = span_length(dst);
    // Only the two-source modes read B; the others run whatever B holds.
    if (mode >= 1 && mode <= 5 && !holds(b, n)) return;
    // A is both the first source and the single one; unknown modes leave dst as it is.
    if (vrx_mode16())
        vrx_blend_span<vrx_depth16>(px16(dst), px16(a), px16(b), px16(a), n, mode);
    else
        vrx_blend_span<vrx_depth32>(px32(dst), px32(a), px32(b), px32(a), n, mode);
}

void VRX_FadeBitmap(VRX_Bitmap src, VRX_Bitmap dst, uint8_t level, uint8_t mode) {
    if (!src.data || !dst.data || src.size != dst.size) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    const int32_t n = span_length(dst);
    if (vrx_mode16())
        fade_span<vrx_depth16>(px16(dst), px16(src), level, n, mode);
    else
        fade_span<vrx_depth32>(px32(dst), px32(src), level, n, mode);
}

void VRX_CrossfadeBitmap(VRX_Bitmap a, VRX_Bitmap b, VRX_Bitmap dst, uint8_t level) {
    if (!a.data || !b.data || !dst.data || a.size != dst.size) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    const int32_t n = span_length(dst);
    if (!holds(b, n)) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    if (vrx_mode16()) {
        VornBlit_BlitCrossfade16(px16(dst), px16(a), px16(b), level, n);
    } else {
        VornBlit_BlitCrossfade32(px32(dst), px32(a), px32(b), level, n);
    }
}

void VRX_AlphawipeBitmap(VRX_Bitmap src, VRX_Bitmap mask, VRX_Bitmap dst, uint8_t level) {
    if (!src.data || !mask.data || !dst.data || src.size != dst.size) return;
    const int32_t n = span_length(dst);
    if (!holds(mask, n)) return;
    if (vrx_mode16()) {
        VornBlit_BlitAlphawipe16(px16(dst), px16(src), px16(mask), level, n);
    } else {
        VornBlit_BlitAlphawipe32(px32(dst), px32(src), px32(mask), level, n);
    }
}
