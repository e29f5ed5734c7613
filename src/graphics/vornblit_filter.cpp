// Neighbourhood filters: four-neighbour blur and edge-smoothing anti-alias. Both read around
// the current pixel, so the destination must be apart from the source.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"

void VornBlit_BlitBlur16(uint16_t *dst, const uint16_t *src, int32_t up, int32_t down, int32_t n) {
    const uint32_t q = vb_layout16().q;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t s = (src[i - 1] & q) + (src[i + 1] & q) + (src[i + up] & q) + (src[i + down] & q);
        dst[i] = static_cast<uint16_t>(s >> 2);
    }
}

// The sum wraps modulo 2^32 and is shifted arithmetically, top byte and all.
void VornBlit_BlitBlur32(uint32_t *dst, const uint32_t *src, int32_t up, int32_t down, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t s = (src[i - 1] & VB_Q32) + (src[i + 1] & VB_Q32) + (src[i + up] & VB_Q32) +
                     (src[i + down] & VB_Q32);
        dst[i] = static_cast<uint32_t>(static_cast<int32_t>(s) >> 2);
    }
}

static inline int32_t lum32(uint32_t p) {
    return static_cast<int32_t>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
}

static inline int32_t absdiff(int32_t a, int32_t b) {
    int32_t d = a - b;
    return d >= 0 ? d : -d;
}

// A pixel on a strong edge in both directions that matches one side takes the mean of its left
// and right neighbours; every other pixel is copied.
void VornBlit_BlitAntiAlias16(uint16_t *dst, const uint16_t *src, int32_t up, int32_t down,
                              int32_t n) {
    const VB_Layout16 l = vb_layout16();
    const uint32_t h = ((l.mr - (1u << l.sr)) & l.mr) | ((l.mg - (1u << l.sg)) & l.mg) |
                       ((l.mb - (1u << l.sb)) & l.mb);
    const int32_t hi = 16, lo = 15;
    auto lum = [&l](uint32_t p) {
        return static_cast<int32_t>(((p & l.mr) >> l.sr) + ((p & l.mg) >> l.sg) +
                                    ((p & l.mb) >> l.sb));
    };
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t U = src[i + up], L = src[i - 1], C = src[i], R = src[i + 1];
        const uint32_t D = src[i + down];
        const int32_t lu = lum(U), ll = lum(L), lc = lum(C), lr = lum(R), ld = lum(D);
        const bool edge = absdiff(lr, ll) > hi && absdiff(ld, lu) > hi &&
                          (absdiff(lc, ll) <= lo || absdiff(lr, lc) <= lo);
        dst[i] = static_cast<uint16_t>(edge ? ((R & h) + (L & h)) >> 1 : C);
    }
}

void VornBlit_BlitAntiAlias32(uint32_t *dst, const uint32_t *src, int32_t up, int32_t down,
                              int32_t n) {
    const int32_t hi = 128, lo = 127;
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t U = src[i + up], L = src[i - 1], C = src[i], R = src[i + 1];
        const uint32_t D = src[i + down];
        const int32_t lu = lum32(U), ll = lum32(L), lc = lum32(C), lr = lum32(R), ld = lum32(D);
        const bool edge = absdiff(lr, ll) > hi && absdiff(ld, lu) > hi &&
                          (absdiff(lc, ll) <= lo || absdiff(lr, lc) <= lo);
        dst[i] = edge ? vb_mix32(R, L) : C;
    }
}
