// The 2x scaler, on 32-bit and 16-bit pixels alike. The source pixel (x, y) becomes the 2x2
// block at (2x, 2y) of the destination, whose row pitch is its width. Only the part of the
// source whose blocks fit the destination is drawn, and records whose data is smaller than
// their sizes claim are refused.
#include "graphics/scale2x.h"

#include <algorithm>

#include "base/dbg.h"
#include "graphics/video_state.h"
#include "graphics/vornblit_pixel.h"

namespace {
// Channel-wise means on the whole word, as the mixing kernels take them. In 32-bit pixels the
// top byte's carry is lost, so two opaque pixels give a top byte of 0x7E; in 16-bit pixels
// each channel loses its lowest bit under the layout's mask.
struct Mean32 {
    uint32_t operator()(uint32_t a, uint32_t b) const { return vb_mix32(a, b); }
};
struct Mean16 {
    uint16_t h;
    uint16_t operator()(uint16_t a, uint16_t b) const { return vb_mix16(a, b, h); }
};

template <typename P> bool holds(const VRX_Bitmap &b) {
    return b.data && b.width > 0 && b.height > 0 &&
           uint64_t{b.size} >= uint64_t(b.width) * uint64_t(b.height) * sizeof(P);
}

template <typename P>
void double_pixels(const P *s, int32_t sw, P *d, int32_t dw, int32_t cw, int32_t ch) {
    for (int32_t y = 0; y < ch; y++) {
        const P *row = s + intptr_t(y) * sw;
        P *d0 = d + intptr_t(2 * y) * dw;
        P *d1 = d0 + dw;
        for (int32_t x = 0; x < cw; x++) {
            P p = row[x];
            d0[2 * x] = p;
            d0[2 * x + 1] = p;
            d1[2 * x] = p;
            d1[2 * x + 1] = p;
        }
    }
}

// The last source row and column have no neighbours to blend with and produce no block.
template <typename P, typename Mean>
void smooth(const P *s, int32_t sw, int32_t sh, P *d, int32_t dw, int32_t cw, int32_t ch,
            Mean mean) {
    int32_t xe = std::min(cw, sw - 1), ye = std::min(ch, sh - 1);
    for (int32_t y = 0; y < ye; y++) {
        const P *row = s + intptr_t(y) * sw;
        const P *below = row + sw;
        P *d0 = d + intptr_t(2 * y) * dw;
        P *d1 = d0 + dw;
        for (int32_t x = 0; x < xe; x++) {
            P p = row[x];
            d0[2 * x] = p;
            d0[2 * x + 1] = mean(p, row[x + 1]);
            d1[2 * x] = mean(p, below[x]);
            d1[2 * x + 1] = mean(p, below[x + 1]);
        }
    }
}

// Edge-directed doubling of the inner pixels; the border ring produces no block.
template <typename P>
void edges(const P *s, int32_t sw, int32_t sh, P *d, int32_t dw, int32_t cw, int32_t ch,
           bool keep_dither) {
    int32_t xe = std::min(cw, sw - 1), ye = std::min(ch, sh - 1);
    for (int32_t y = 1; y < ye; y++) {
        const P *up = s + intptr_t(y - 1) * sw;
        const P *row = up + sw;
        const P *down = row + sw;
        P *d0 = d + intptr_t(2 * y) * dw;
        P *d1 = d0 + dw;
        for (int32_t x = 1; x < xe; x++) {
            P A = up[x - 1], B = up[x], D = row[x - 1], E = row[x], F = row[x + 1], H = down[x],
              I = down[x + 1];
            P tl = E, tr = E, bl = E, br = E;
            if (keep_dither && ((E == I && F == H && E != F && H != I) ||
                                (A == E && B == D && E != D && A != B))) {
                // Keep the checkerboard in phase with the source's.
                bool even = ((x + y) & 1) == 0;
                tl = br = even ? E : F;
                tr = bl = even ? F : E;
            } else if (B != H && D != F) {
                tl = D == B ? D : E;
                tr = B == F ? F : E;
                bl = D == H ? H : E;
                br = H == F ? F : E;
            }
            d0[2 * x] = tl;
            d0[2 * x + 1] = tr;
            d1[2 * x] = bl;
            d1[2 * x + 1] = br;
        }
    }
}

template <typename P, typename Mean>
void scale(const VRX_Bitmap &source, const VRX_Bitmap &destination, int32_t mode, Mean mean) {
    if (!holds<P>(source) || !holds<P>(destination)) return;
    const auto *s = static_cast<const P *>(source.data);
    auto *d = static_cast<P *>(destination.data);
    int32_t sw = source.width, sh = source.height, dw = destination.width;
    int32_t cw = std::min(sw, dw / 2), ch = std::min(sh, destination.height / 2);
    if (mode <= 1)
        double_pixels(s, sw, d, dw, cw, ch);
    else if (mode == 2)
        smooth(s, sw, sh, d, dw, cw, ch, mean);
    else if (mode == 3)
        edges(s, sw, sh, d, dw, cw, ch, false);
    else if (mode == 4)
        edges(s, sw, sh, d, dw, cw, ch, true);
}
} // namespace

void VRX_ScaleBitmap2x32(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode) {
    scale<uint32_t>(source, destination, mode, Mean32{});
}

void VRX_ScaleBitmap2x16(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode) {
    scale<uint16_t>(source, destination, mode, Mean16{static_cast<uint16_t>(vb_layout16().h)});
}

void VRX_ScaleBitmap2x(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode) {
    if (!source.data || !destination.data) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    if (vrx_mode16())
        VRX_ScaleBitmap2x16(source, destination, mode);
    else
        VRX_ScaleBitmap2x32(source, destination, mode);
}
