// Copies and stretches: plain, transparent and bilinear.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"

#include <cstring>

// memmove, so that a caller copying within one picture gets the rows it asked for.
void VornBlit_BlitCopy16(uint16_t *dst, const uint16_t *src, int32_t n) {
    if (n > 0) std::memmove(dst, src, static_cast<size_t>(n) * 2);
}

void VornBlit_BlitCopy32(uint32_t *dst, const uint32_t *src, int32_t n) {
    if (n > 0) std::memmove(dst, src, static_cast<size_t>(n) * 4);
}

// 16.16 positions; the integer part is taken with an arithmetic shift, and the position wraps
// rather than overflowing.
static inline int32_t fx_int(uint32_t pos) {
    return static_cast<int32_t>(pos) >> 16;
}

void VornBlit_BlitStretch16(uint16_t *dst, const uint16_t *src, int32_t n, int32_t position,
                            int32_t step) {
    uint32_t pos = static_cast<uint32_t>(position);
    for (int32_t i = 0; i < n; ++i) {
        dst[i] = src[fx_int(pos)];
        pos += static_cast<uint32_t>(step);
    }
}

void VornBlit_BlitStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t position,
                            int32_t step) {
    uint32_t pos = static_cast<uint32_t>(position);
    for (int32_t i = 0; i < n; ++i) {
        dst[i] = src[fx_int(pos)];
        pos += static_cast<uint32_t>(step);
    }
}

void VornBlit_BlitTranspStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t position,
                                  int32_t step) {
    uint32_t pos = static_cast<uint32_t>(position);
    for (int32_t i = 0; i < n; ++i) {
        uint32_t p = src[fx_int(pos)];
        if (vb_opaque32(p)) dst[i] = p;
        pos += static_cast<uint32_t>(step);
    }
}

// Weights of the four neighbours for fractions fx, fy (0-255); they sum to 65536.
struct VB_Weights {
    uint32_t w00, w01, w10, w11;
};
static inline VB_Weights bilinear_weights(uint32_t fx, uint32_t fy) {
    VB_Weights w;
    w.w00 = (256 - fx) * (256 - fy);
    w.w01 = fx * (256 - fy);
    w.w11 = fx * fy;
    w.w10 = 65536 - w.w00 - w.w01 - w.w11;
    return w;
}

void VornBlit_BlitBiLinearStretch16(uint16_t *dst, const uint16_t *src, int32_t n, int32_t pitch,
                                    int32_t x, int32_t y, int32_t xstep) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t fy = (static_cast<uint32_t>(y) & 0xFF00) >> 8;
    uint32_t pos = static_cast<uint32_t>(x);
    for (int32_t k = 0; k < n; ++k) {
        const VB_Weights w = bilinear_weights((pos & 0xFF00) >> 8, fy);
        const int32_t i = fx_int(pos);
        const uint32_t p00 = src[i], p01 = src[i + 1];
        const uint32_t p10 = src[i + pitch], p11 = src[i + pitch + 1];
        auto channel = [&](uint32_t m) {
            uint32_t t =
                (p11 & m) * w.w11 + (p10 & m) * w.w10 + (p00 & m) * w.w00 + (p01 & m) * w.w01;
            return (t >> 16) & m;
        };
        dst[k] = static_cast<uint16_t>(channel(l.mr) | channel(l.mg) | channel(l.mb));
        pos += static_cast<uint32_t>(xstep);
    }
}

void VornBlit_BlitBiLinearStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t pitch,
                                    int32_t x, int32_t y, int32_t xstep) {
    const uint32_t fy = (static_cast<uint32_t>(y) & 0xFF00) >> 8;
    uint32_t pos = static_cast<uint32_t>(x);
    for (int32_t k = 0; k < n; ++k) {
        const VB_Weights w = bilinear_weights((pos & 0xFF00) >> 8, fy);
        const int32_t i = fx_int(pos);
        const uint32_t p00 = src[i], p01 = src[i + 1];
        const uint32_t p10 = src[i + pitch], p11 = src[i + pitch + 1];
        // Red comes out already in place: a weighted byte times 65536.
        uint32_t r = ((p00 >> 16) & 0xFF) * w.w00 + ((p01 >> 16) & 0xFF) * w.w01 +
                     ((p10 >> 16) & 0xFF) * w.w10 + ((p11 >> 16) & 0xFF) * w.w11;
        uint32_t g = (p00 & 0xFF00) * w.w00 + (p01 & 0xFF00) * w.w01 + (p10 & 0xFF00) * w.w10 +
                     (p11 & 0xFF00) * w.w11;
        uint32_t b = (p00 & 0xFF) * w.w00 + (p01 & 0xFF) * w.w01 + (p10 & 0xFF) * w.w10 +
                     (p11 & 0xFF) * w.w11;
        dst[k] = (r & 0xFF0000) | ((g >> 16) & 0xFF00) | ((b >> 16) & 0xFF);
        pos += static_cast<uint32_t>(xstep);
    }
}
