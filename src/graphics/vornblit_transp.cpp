// Transparent kernels: a source pixel that is transparent leaves the destination as it is.
// 16-bit key is 0; 32-bit key is a top byte of 0. The 16-bit spans keep a 16-bit count.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"
#include "graphics/vornblit_simd.h"

// The 16-bit kernels count in 16 bits: a span is at most 65535 pixels.
static inline int32_t count16(int32_t n) {
    return n > 0 ? (n & 0xFFFF) : 0;
}

// dst = rule(a, b) where opaque(b), else dst keeps its pixel.
template <class P, class Opaque, class Rule>
static inline void keyed_span(P *dst, const P *a, const P *b, int32_t n, Opaque opaque, Rule rule) {
    for (int32_t i = 0; i < n; ++i) {
        const P pb = b[i];
        const P r = rule(a[i], pb);
        dst[i] = opaque(pb) ? r : dst[i];
    }
}

static constexpr auto opaque16 = [](uint16_t p) { return p != 0; };
static constexpr auto opaque32 = [](uint32_t p) { return vb_opaque32(p); };
// QMix and Q3Mix test the second source after masking, so near-black counts as transparent.
static constexpr auto opaque32q = [](uint32_t p) { return vb_opaque32(p & VB_Q32); };

void VornBlit_BlitTransp16(uint16_t *dst, const uint16_t *src, int32_t n) {
    keyed_span(dst, src, src, count16(n), opaque16, [](uint16_t, uint16_t s) { return s; });
}

void VornBlit_BlitTransp32(uint32_t *dst, const uint32_t *src, int32_t n) {
    keyed_span(dst, src, src, n, opaque32, [](uint32_t, uint32_t s) { return s; });
}

void VornBlit_BlitTranspMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    const uint16_t h = static_cast<uint16_t>(vb_layout16().h);
    keyed_span(dst, a, b, count16(n), opaque16,
               [h](uint16_t pa, uint16_t pb) { return vb_mix16(pa, pb, h); });
}

void VornBlit_BlitTranspMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    keyed_span(dst, a, b, n, opaque32, [](uint32_t pa, uint32_t pb) { return vb_mix32(pa, pb); });
}

void VornBlit_BlitTranspQMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    const uint16_t q = static_cast<uint16_t>(vb_layout16().q);
    keyed_span(
        dst, a, b, count16(n), [q](uint16_t p) { return (p & q) != 0; },
        [q](uint16_t pa, uint16_t pb) { return vb_qmix16(pa, pb, q); });
}

void VornBlit_BlitTranspQMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    keyed_span(dst, a, b, n, opaque32q, [](uint32_t pa, uint32_t pb) { return vb_qmix32(pa, pb); });
}

void VornBlit_BlitTranspQ3Mix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    const uint16_t q = static_cast<uint16_t>(vb_layout16().q);
    keyed_span(
        dst, a, b, count16(n), [q](uint16_t p) { return (p & q) != 0; },
        [q](uint16_t pa, uint16_t pb) { return vb_q3mix16(pa, pb, q); });
}

void VornBlit_BlitTranspQ3Mix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    // (a + 3b) / 4 is the three-quarter mix with the sources swapped.
    keyed_span(dst, a, b, n, opaque32q, [](uint32_t pa, uint32_t pb) { return vb_qmix32(pb, pa); });
}

void VornBlit_BlitTranspAdd16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    vb_chan16_span<VB_Add16Rule, true>(dst, a, b, count16(n));
}

void VornBlit_BlitTranspAdd32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    keyed_span(dst, a, b, n, opaque32, [](uint32_t pa, uint32_t pb) { return vb_add32(pa, pb); });
}

void VornBlit_BlitTranspMul16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    vb_chan16_span<VB_Mul16Rule, true>(dst, a, b, count16(n));
}

void VornBlit_BlitTranspMul32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    int32_t i = 0;
#if VB_SSE2
    {
        // Top byte 0 <=> the word is below 2^24; compare as signed after flipping the sign bit.
        const __m128i flip = _mm_set1_epi32(static_cast<int32_t>(0x80000000u));
        const __m128i key = _mm_set1_epi32(static_cast<int32_t>(0x81000000u));
        for (; i + 4 <= n; i += 4) {
            const __m128i pb = vb_load(b + i);
            const __m128i r = vb_mul32v(vb_load(a + i), pb);
            const __m128i keep = _mm_cmpgt_epi32(key, _mm_xor_si128(pb, flip));
            vb_store(dst + i, vb_select(keep, vb_load(dst + i), r));
        }
    }
#endif
    keyed_span(dst + i, a + i, b + i, n - i, opaque32,
               [](uint32_t pa, uint32_t pb) { return vb_mul32(pa, pb); });
}
