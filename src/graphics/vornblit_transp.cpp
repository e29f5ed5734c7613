// Transparent kernels: a source pixel that is transparent leaves the destination as it is.
// 16-bit key is 0; 32-bit key is a top byte of 0. The 16-bit spans keep a 16-bit count.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"

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
    const uint32_t h = vb_layout16().h;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint16_t r = static_cast<uint16_t>(vb_mix16(a[i], pb, h));
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
    const uint32_t q = vb_layout16().q;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t qa = a[i] & q, qb = b[i] & q;
        uint16_t r = static_cast<uint16_t>((3 * qa + qb) >> 2);
        dst[i] = qb != 0 ? r : dst[i];
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
    const uint32_t q = vb_layout16().q;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t qa = a[i] & q, qb = b[i] & q;
        uint16_t r = static_cast<uint16_t>((qa + 3 * qb) >> 2);
        dst[i] = qb != 0 ? r : dst[i];
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
    n = count16(n);
    const VB_Layout16 l = vb_layout16();
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint16_t r = static_cast<uint16_t>(vb_add16(a[i], pb, l));
        dst[i] = pb != 0 ? r : dst[i];
    }
}

void VornBlit_BlitTranspAdd32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint32_t r = vb_add32(a[i], pb);
        dst[i] = vb_opaque32(pb) ? r : dst[i];
    }
}

void VornBlit_BlitTranspMul16(uint16_t *dst, const uint16_t *a, const uint16_t *b, int32_t n) {
    n = count16(n);
    const VB_Layout16 l = vb_layout16();
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint16_t r = static_cast<uint16_t>(vb_mul16(a[i], pb, l));
        dst[i] = pb != 0 ? r : dst[i];
    }
}

void VornBlit_BlitTranspMul32(uint32_t *dst, const uint32_t *a, const uint32_t *b, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        uint32_t pb = b[i];
        uint32_t r = vb_mul32(a[i], pb);
        dst[i] = vb_opaque32(pb) ? r : dst[i];
    }
}
