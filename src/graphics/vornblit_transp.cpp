// Transparent kernels: a source pixel that is transparent leaves the destination as it is.
// 16-bit key is 0; 32-bit key is a top byte of 0. The 16-bit spans keep a 16-bit count.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"
#include "graphics/vornblit_simd.h"

// The 16-bit kernels count in 16 bits: a span is at most 65535 pixels.
static inline int32_t count16(int32_t n) {
    return n > 0 ? (n & 0xFFFF) : 0;
}

void VornBlit_BlitTransp16(uint16_t *dst, const uint16_t *src, int32_t n) {
    n = count16(n);
    for (int32_t i = 0; i < n; ++i) {
        uint16_t s = src[i];
        dst[i] = s != 0 ? s : dst[i];
    }
}

void VornBlit_BlitTransp32(uint32_t *dst, const uint32_t *src, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t s = src[i];
        dst[i] = vb_opaque32(s) ? s : dst[i];
    }
}

void VornBlit_BlitTranspMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    n = count16(n);
    const uint16_t h = static_cast<uint16_t>(vb_layout16().h);
    for (int32_t i = 0; i < n; ++i) {
        uint16_t pb = b[i];
        uint16_t r = vb_mix16(a[i], pb, h);
        dst[i] = pb != 0 ? r : dst[i];
    }
}

void VornBlit_BlitTranspMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint32_t r = vb_mix32(a[i], pb);
        dst[i] = vb_opaque32(pb) ? r : dst[i];
    }
}

// QMix and Q3Mix test the second source after masking, so near-black counts as transparent.
void VornBlit_BlitTranspQMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    n = count16(n);
    const uint16_t q = static_cast<uint16_t>(vb_layout16().q);
    for (int32_t i = 0; i < n; ++i) {
        uint16_t pb = b[i];
        uint16_t r = vb_qmix16(a[i], pb, q);
        dst[i] = (pb & q) != 0 ? r : dst[i];
    }
}

void VornBlit_BlitTranspQMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t qa = a[i] & VB_Q32, qb = b[i] & VB_Q32;
        uint32_t r = (3 * qa + qb) >> 2;
        dst[i] = vb_opaque32(qb) ? r : dst[i];
    }
}

void VornBlit_BlitTranspQ3Mix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    n = count16(n);
    const uint16_t q = static_cast<uint16_t>(vb_layout16().q);
    for (int32_t i = 0; i < n; ++i) {
        uint16_t pb = b[i];
        uint16_t r = vb_q3mix16(a[i], pb, q);
        dst[i] = (pb & q) != 0 ? r : dst[i];
    }
}

void VornBlit_BlitTranspQ3Mix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t qa = a[i] & VB_Q32, qb = b[i] & VB_Q32;
        uint32_t r = (qa + 3 * qb) >> 2;
        dst[i] = vb_opaque32(qb) ? r : dst[i];
    }
}

void VornBlit_BlitTranspAdd16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    vb_chan16_span<VB_Add16Rule, true>(dst, a, b, count16(n));
}

void VornBlit_BlitTranspAdd32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint32_t r = vb_add32(a[i], pb);
        dst[i] = vb_opaque32(pb) ? r : dst[i];
    }
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
        const __m128i key = _mm_set1_epi32(static_cast<int32_t>(0x80FFFFFFu));
        for (; i + 4 <= n; i += 4) {
            const __m128i pb = vb_load(b + i);
            const __m128i r = vb_mul32v(vb_load(a + i), pb);
            const __m128i keep = _mm_cmpgt_epi32(key, _mm_xor_si128(pb, flip));
            vb_store(dst + i, vb_select(keep, vb_load(dst + i), r));
        }
    }
#endif
    for (; i < n; ++i) {
        uint32_t pb = b[i];
        uint32_t r = vb_mul32(a[i], pb);
        dst[i] = vb_opaque32(pb) ? r : dst[i];
    }
}
