// Copies and stretches: plain, transparent and bilinear.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"

#include <cstdint>
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

template <class P>
static inline void stretch(P *dst, const P *src, int32_t n, uint32_t pos, int32_t step) {
    for (int32_t i = 0; i < n; ++i) {
        dst[i] = src[fx_int(pos)];
        pos += static_cast<uint32_t>(step);
    }
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VB_STRETCH_SSSE3 1
#include <tmmintrin.h>

// Enlarging (0 <= step <= 1.0): eight destination pixels come from at most eight neighbouring
// source pixels, so one load and one byte shuffle make them. Runs while the eight-pixel load
// stays within the pixels the plain loop would read (up to index last); returns the pixels done.
__attribute__((target("ssse3"))) static int32_t stretch16_ssse3(uint16_t *dst, const uint16_t *src,
                                                                int32_t n, int32_t pos,
                                                                int32_t step, int32_t last) {
    const __m128i four = _mm_set1_epi32(4 * step), eight = _mm_set1_epi32(8 * step);
    const __m128i pairs = _mm_set1_epi16(0x0202), odd = _mm_set1_epi16(0x0100);
    __m128i p = _mm_add_epi32(_mm_set1_epi32(pos), _mm_setr_epi32(0, step, 2 * step, 3 * step));
    int32_t i = 0;
    for (; i + 8 <= n; i += 8, p = _mm_add_epi32(p, eight)) {
        const __m128i lo = _mm_srai_epi32(p, 16), hi = _mm_srai_epi32(_mm_add_epi32(p, four), 16);
        const int32_t first = _mm_cvtsi128_si32(lo);
        if (first + 7 > last) break;
        const __m128i base = _mm_shuffle_epi32(lo, 0);
        const __m128i rel = _mm_packs_epi32(_mm_sub_epi32(lo, base), _mm_sub_epi32(hi, base));
        // Pixel r of the eight loaded is bytes 2r and 2r + 1.
        const __m128i ctrl = _mm_add_epi16(_mm_mullo_epi16(rel, pairs), odd);
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + first));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), _mm_shuffle_epi8(v, ctrl));
    }
    return i;
}
#endif

void VornBlit_BlitStretch16(uint16_t *dst, const uint16_t *src, int32_t n, int32_t position,
                            int32_t step) {
    uint32_t pos = static_cast<uint32_t>(position);
    int32_t i = 0;
#if VB_STRETCH_SSSE3
    // Only when no position of the span wraps past 2^31, so that positions grow steadily.
    const int64_t end = int64_t(position) + int64_t(step) * (n > 0 ? n - 1 : 0);
    if (n >= 8 && step >= 0 && step <= 0x10000 && end <= INT32_MAX &&
        __builtin_cpu_supports("ssse3")) {
        i = stretch16_ssse3(dst, src, n, position, step, static_cast<int32_t>(end >> 16));
        pos += static_cast<uint32_t>(step) * static_cast<uint32_t>(i);
    }
#endif
    stretch(dst + i, src, n - i, pos, step);
}

void VornBlit_BlitStretch32(uint32_t *dst, const uint32_t *src, int32_t n, int32_t position,
                            int32_t step) {
    stretch(dst, src, n, static_cast<uint32_t>(position), step);
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
