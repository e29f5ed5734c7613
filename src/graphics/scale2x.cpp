// The 2x scaler. The source pixel (x, y) becomes the 2x2 block at (2x, 2y) of the destination,
// whose row pitch is its width. Only the part of the source whose blocks fit the destination
// is drawn, and records whose data is smaller than their sizes claim are refused.
#include "graphics/scale2x.h"

#include <algorithm>

#include "base/dbg.h"
#include "graphics/video_state.h"

namespace {
// Channel-wise mean on the whole word, as the mixing kernels take it: the top byte's carry
// is lost, so two opaque pixels give a top byte of 0x7E.
inline uint32_t mean(uint32_t a, uint32_t b) {
    return ((a & 0xFEFEFEFEu) + (b & 0xFEFEFEFEu)) >> 1;
}

bool holds(const VRX_Bitmap &b) {
    return b.data && b.width > 0 && b.height > 0 &&
           uint64_t{b.size} >= uint64_t(b.width) * uint64_t(b.height) * 4;
}

void double_pixels(const uint32_t *s, int32_t sw, uint32_t *d, int32_t dw, int32_t cw, int32_t ch) {
    for (int32_t y = 0; y < ch; y++) {
        const uint32_t *row = s + intptr_t(y) * sw;
        uint32_t *d0 = d + intptr_t(2 * y) * dw;
        uint32_t *d1 = d0 + dw;
        for (int32_t x = 0; x < cw; x++) {
            uint32_t p = row[x];
            d0[2 * x] = p;
            d0[2 * x + 1] = p;
            d1[2 * x] = p;
            d1[2 * x + 1] = p;
        }
    }
}

// The last source row and column have no neighbours to blend with and produce no block.
void smooth(const uint32_t *s, int32_t sw, int32_t sh, uint32_t *d, int32_t dw, int32_t cw,
            int32_t ch) {
    int32_t xe = std::min(cw, sw - 1), ye = std::min(ch, sh - 1);
    for (int32_t y = 0; y < ye; y++) {
        const uint32_t *row = s + intptr_t(y) * sw;
        const uint32_t *below = row + sw;
        uint32_t *d0 = d + intptr_t(2 * y) * dw;
        uint32_t *d1 = d0 + dw;
        for (int32_t x = 0; x < xe; x++) {
            uint32_t p = row[x];
            d0[2 * x] = p;
            d0[2 * x + 1] = mean(p, row[x + 1]);
            d1[2 * x] = mean(p, below[x]);
            d1[2 * x + 1] = mean(p, below[x + 1]);
        }
    }
}

// Edge-directed doubling of the inner pixels; the border ring produces no block.
void edges(const uint32_t *s, int32_t sw, int32_t sh, uint32_t *d, int32_t dw, int32_t cw,
           int32_t ch, bool keep_dither) {
    int32_t xe = std::min(cw, sw - 1), ye = std::min(ch, sh - 1);
    for (int32_t y = 1; y < ye; y++) {
        const uint32_t *up = s + intptr_t(y - 1) * sw;
        const uint32_t *row = up + sw;
        const uint32_t *down = row + sw;
        uint32_t *d0 = d + intptr_t(2 * y) * dw;
        uint32_t *d1 = d0 + dw;
        for (int32_t x = 1; x < xe; x++) {
            uint32_t A = up[x - 1], B = up[x], D = row[x - 1], E = row[x], F = row[x + 1],
                     H = down[x], I = down[x + 1];
            uint32_t tl = E, tr = E, bl = E, br = E;
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
} // namespace

void VRX_ScaleBitmap2x32(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode) {
    if (!holds(source) || !holds(destination)) return;
    const auto *s = static_cast<const uint32_t *>(source.data);
    auto *d = static_cast<uint32_t *>(destination.data);
    int32_t sw = source.width, sh = source.height, dw = destination.width;
    int32_t cw = std::min(sw, dw / 2), ch = std::min(sh, destination.height / 2);
    if (mode <= 1)
        double_pixels(s, sw, d, dw, cw, ch);
    else if (mode == 2)
        smooth(s, sw, sh, d, dw, cw, ch);
    else if (mode == 3)
        edges(s, sw, sh, d, dw, cw, ch, false);
    else if (mode == 4)
        edges(s, sw, sh, d, dw, cw, ch, true);
}

void VRX_ScaleBitmap2x(VRX_Bitmap source, VRX_Bitmap destination, int32_t mode) {
    if (!source.data || !destination.data) {
        _dbg_printf("bitmap has no data\n");
        return;
    }
    if (vrx_mode16()) return;
    VRX_ScaleBitmap2x32(source, destination, mode);
}
