// Neighbourhood filters: four-neighbour blur and edge-smoothing anti-alias. Both read around
// the current pixel, so the destination must be apart from the source.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"

// Each neighbour is quartered by its mask before the sum; the sum wraps modulo 2^32 and is
// shifted arithmetically, top byte and all (a 16-bit sum never reaches the sign bit).
template <class P>
static inline void blur(P *dst, const P *src, int32_t up, int32_t down, int32_t n, uint32_t q) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t s = (src[i - 1] & q) + (src[i + 1] & q) + (src[i + up] & q) + (src[i + down] & q);
        dst[i] = static_cast<P>(static_cast<int32_t>(s) >> 2);
    }
}

void VornBlit_BlitBlur16(uint16_t *dst, const uint16_t *src, int32_t up, int32_t down, int32_t n) {
    blur(dst, src, up, down, n, vb_layout16().q);
}

void VornBlit_BlitBlur32(uint32_t *dst, const uint32_t *src, int32_t up, int32_t down, int32_t n) {
    blur(dst, src, up, down, n, VB_Q32);
}

static inline int32_t absdiff(int32_t a, int32_t b) {
    int32_t d = a - b;
    return d >= 0 ? d : -d;
}

// A pixel on a strong edge in both directions (luminance steps above hi) that matches one side
// takes the mean of its left and right neighbours, each halved under h; every other pixel is
// copied.
template <class P, class Lum>
static inline void antialias(P *dst, const P *src, int32_t up, int32_t down, int32_t n, int32_t hi,
                             uint32_t h, Lum lum) {
    const int32_t lo = hi - 1;
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t U = src[i + up], L = src[i - 1], C = src[i], R = src[i + 1];
        const uint32_t D = src[i + down];
        const int32_t lu = lum(U), ll = lum(L), lc = lum(C), lr = lum(R), ld = lum(D);
        const bool edge = absdiff(lr, ll) > hi && absdiff(ld, lu) > hi &&
                          (absdiff(lc, ll) <= lo || absdiff(lr, lc) <= lo);
        dst[i] = static_cast<P>(edge ? ((R & h) + (L & h)) >> 1 : C);
    }
}

void VornBlit_BlitAntiAlias16(uint16_t *dst, const uint16_t *src, int32_t up, int32_t down,
                              int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t h = ((l.mr - (1u << l.sr)) & l.mr) | ((l.mg - (1u << l.sg)) & l.mg) |
                       ((l.mb - (1u << l.sb)) & l.mb);
    antialias(dst, src, up, down, n, 16, h, [&l](uint32_t p) {
        return static_cast<int32_t>(((p & l.mr) >> l.sr) + ((p & l.mg) >> l.sg) +
                                    ((p & l.mb) >> l.sb));
    });
}

void VornBlit_BlitAntiAlias32(uint32_t *dst, const uint32_t *src, int32_t up, int32_t down,
                              int32_t n) {
    antialias(dst, src, up, down, n, 128, VB_H32, [](uint32_t p) {
        return static_cast<int32_t>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
    });
}
