// Blend kernels: mean, three-quarter mix, darken, brighten, saturating add, multiply.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"
#include "graphics/vornblit_simd.h"

void VornBlit_BlitMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    const uint16_t h = static_cast<uint16_t>(vb_layout16().h);
    for (int32_t i = 0; i < n; ++i) dst[i] = vb_mix16(a[i], b[i], h);
}

void VornBlit_BlitMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) dst[i] = vb_mix32(a[i], b[i]);
}

void VornBlit_BlitQMix16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    const uint16_t q = static_cast<uint16_t>(vb_layout16().q);
    for (int32_t i = 0; i < n; ++i) dst[i] = vb_qmix16(a[i], b[i], q);
}

void VornBlit_BlitQMix32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) dst[i] = vb_qmix32(a[i], b[i]);
}

void VornBlit_BlitDarken16(uint16_t *dst, const uint16_t *src, int32_t n) {
    const uint16_t h = static_cast<uint16_t>(vb_layout16().h);
    for (int32_t i = 0; i < n; ++i) dst[i] = static_cast<uint16_t>((src[i] & h) >> 1);
}

void VornBlit_BlitDarken32(uint32_t *dst, const uint32_t *src, int32_t n) {
    for (int32_t i = 0; i < n; ++i) dst[i] = (src[i] & VB_H32) >> 1;
}

void VornBlit_BlitBrighten16(uint16_t *dst, const uint16_t *src, int32_t n) {
    // Halved term by term, as in the mix, to stay inside 16 bits.
    const uint16_t h = static_cast<uint16_t>(vb_layout16().h), h2 = h >> 1;
    for (int32_t i = 0; i < n; ++i) dst[i] = static_cast<uint16_t>(((src[i] & h) >> 1) + h2);
}

void VornBlit_BlitBrighten32(uint32_t *dst, const uint32_t *src, int32_t n) {
    for (int32_t i = 0; i < n; ++i) dst[i] = ((src[i] & VB_H32) + VB_H32) >> 1;
}

void VornBlit_BlitAdd16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    vb_chan16_span<VB_Add16Rule, false>(dst, a, b, n);
}

void VornBlit_BlitAdd32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) dst[i] = vb_add32(a[i], b[i]);
}

void VornBlit_BlitMul16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    vb_chan16_span<VB_Mul16Rule, false>(dst, a, b, n);
}

void VornBlit_BlitMul32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    int32_t i = 0;
#if VB_SSE2
    for (; i + 4 <= n; i += 4) vb_store(dst + i, vb_mul32v(vb_load(a + i), vb_load(b + i)));
#endif
    for (; i < n; ++i) dst[i] = vb_mul32(a[i], b[i]);
}
