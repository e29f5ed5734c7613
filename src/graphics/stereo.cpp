// Stereo compositing. The mask and row modes walk the three bitmaps as one array each; they
// run only when all three hold the left view's width x height 32-bit pixels.
#include "graphics/stereo.h"

#include "graphics/draw_bitmap.h"
#include "graphics/draw_clip.h"
#include "graphics/effects.h"
#include "graphics/vornblit.h"
#include "graphics/video_state.h"

int32_t VRX_stereoframe = 0;

namespace {

bool views_fit(const VRX_Bitmap &left, const VRX_Bitmap &right, const VRX_Bitmap &dst) {
    if (vrx_mode16() || !vrx_bitmap_drawable(left, 4)) return false;
    const int64_t n = int64_t{left.width} * left.height;
    return vrx_bitmap_capacity(right, 4) >= n && vrx_bitmap_capacity(dst, 4) >= n;
}

// d = (a AND mask_a) OR (b AND ~mask_a) over n pixels.
void merge_channels(uint32_t *d, const uint32_t *a, const uint32_t *b, uint32_t mask_a, int32_t n) {
    const uint32_t mask_b = ~mask_a;
    for (int32_t i = 0; i < n; i++) d[i] = (a[i] & mask_a) | (b[i] & mask_b);
}

void interlace(const VRX_Bitmap &left, const VRX_Bitmap &right, const VRX_Bitmap &dst) {
    const bool odd_frame = (VRX_stereoframe & 1) != 0;
    const int64_t w = left.width;
    auto *d = static_cast<uint32_t *>(dst.data);
    for (int64_t row = 0; row < left.height; row++) {
        // Odd frames: even rows from the left view; even frames: even rows from the right.
        const bool from_left = ((row & 1) == 0) == odd_frame;
        const auto *s = static_cast<const uint32_t *>(from_left ? left.data : right.data);
        VornBlit_BlitCopy32(d + row * w, s + row * w, left.width);
    }
}

} // namespace

void VRX_DrawBitmap3D(VRX_Bitmap left, VRX_Bitmap right, VRX_Bitmap dst, int32_t mode) {
    // Meaningful only once views_fit() has bounded width x height by the data.
    const auto n = static_cast<int32_t>(int64_t{left.width} * left.height);
    auto *d = static_cast<uint32_t *>(dst.data);
    auto *l = static_cast<const uint32_t *>(left.data);
    auto *r = static_cast<const uint32_t *>(right.data);
    switch (mode) {
    case 0:
        if (views_fit(left, right, dst)) merge_channels(d, r, l, 0xFFFF0000u, n);
        break;
    case 1:
        if (views_fit(left, right, dst)) merge_channels(d, r, l, 0xFF00FF00u, n);
        break;
    case 2:
        if (views_fit(left, right, dst)) merge_channels(d, l, r, 0xFFFF0000u, n);
        break;
    case 3:
        if (views_fit(left, right, dst)) merge_channels(d, r, l, 0xFFFFFF00u, n);
        break;
    case 4: {
        const int32_t f = VRX_stereoframe & 7;
        VRX_stereoframe = f;
        const auto level = static_cast<uint8_t>((f * 64) & 255);
        if (f <= 3) {
            VRX_CrossfadeBitmap(left, right, dst, level);
        } else {
            VRX_CrossfadeBitmap(right, left, dst, level);
        }
        break;
    }
    case 5:
        if (views_fit(left, right, dst)) interlace(left, right, dst);
        break;
    case 6:
        VRX_DrawScaledBitmap(0, 0, dst.width >> 1, dst.height, left, dst, 0);
        VRX_DrawScaledBitmap(dst.width >> 1, 0, dst.width >> 1, dst.height, right, dst, 0);
        break;
    default:
        break;
    }
    // Wraps instead of overflowing after 2^31 calls.
    VRX_stereoframe = static_cast<int32_t>(static_cast<uint32_t>(VRX_stereoframe) + 1u);
}
