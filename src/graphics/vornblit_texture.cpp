// Shaded, textured and dual-textured span fills for the triangle drawer. Textures are
// 256 x 256 texels of the kernel's depth; u, v are 8.8 and the index wraps at 65536 texels.
#include "graphics/vornblit.h"
#include "graphics/vornblit_pixel.h"

static inline uint32_t texel_index(uint32_t u, uint32_t v) {
    return ((v & ~0xFFu) + static_cast<uint32_t>(static_cast<int32_t>(u) >> 8)) & 0xFFFFu;
}

// Integer part of a 16.16 value, shifted arithmetically.
static inline uint32_t shade_of(uint32_t shade, int bits) {
    return static_cast<uint32_t>(static_cast<int32_t>(shade) >> bits);
}

void VornBlit_BlitFillShade16(uint16_t *dst, int32_t n, int32_t shade, int32_t shadestep) {
    const uint32_t rsh = 24 - vornblit_redbits, gsh = 16 - vornblit_greenbits;
    const uint32_t bsh = 8 - vornblit_bluebits;
    const uint32_t rs = vornblit_redshift, gs = vornblit_greenshift, bs = vornblit_blueshift;
    uint32_t s = static_cast<uint32_t>(shade);
    for (int32_t i = 0; i < n; ++i) {
        // The grey 0xgggggg converted as a 24-bit colour would be.
        const uint32_t c = (shade_of(s, 16) & 0xFF) * 0x010101u;
        const uint32_t px = (((c & 0xFF0000) >> rsh) << rs) | (((c & 0x00FF00) >> gsh) << gs) |
                            (((c & 0x0000FF) >> bsh) << bs);
        dst[i] = static_cast<uint16_t>(px);
        s += static_cast<uint32_t>(shadestep);
    }
}

void VornBlit_BlitFillShade32(uint32_t *dst, int32_t n, int32_t shade, int32_t shadestep) {
    uint32_t s = static_cast<uint32_t>(shade);
    for (int32_t i = 0; i < n; ++i) {
        dst[i] = (shade_of(s, 16) & 0xFF) * 0x010101u;
        s += static_cast<uint32_t>(shadestep);
    }
}

template <class P>
static inline void fill_texture(P *dst, const P *texture, int32_t n, int32_t u, int32_t v,
                                int32_t ustep, int32_t vstep) {
    uint32_t tu = static_cast<uint32_t>(u), tv = static_cast<uint32_t>(v);
    for (int32_t i = 0; i < n; ++i) {
        dst[i] = texture[texel_index(tu, tv)];
        tu += static_cast<uint32_t>(ustep);
        tv += static_cast<uint32_t>(vstep);
    }
}

void VornBlit_BlitFillTexture16(uint16_t *dst, const uint16_t *texture, int32_t n, int32_t u,
                                int32_t v, int32_t ustep, int32_t vstep) {
    fill_texture(dst, texture, n, u, v, ustep, vstep);
}

void VornBlit_BlitFillTexture32(uint32_t *dst, const uint32_t *texture, int32_t n, int32_t u,
                                int32_t v, int32_t ustep, int32_t vstep) {
    fill_texture(dst, texture, n, u, v, ustep, vstep);
}

// The texel times the integer part of the 8.8 shade, cut to the pixel width.
template <class P>
static inline void fill_shade_texture(P *dst, const P *texture, int32_t n, int32_t u, int32_t v,
                                      int32_t shade, int32_t ustep, int32_t vstep,
                                      int32_t shadestep) {
    uint32_t tu = static_cast<uint32_t>(u), tv = static_cast<uint32_t>(v);
    uint32_t s = static_cast<uint32_t>(shade);
    for (int32_t i = 0; i < n; ++i) {
        dst[i] = static_cast<P>(texture[texel_index(tu, tv)] * shade_of(s, 8));
        tu += static_cast<uint32_t>(ustep);
        tv += static_cast<uint32_t>(vstep);
        s += static_cast<uint32_t>(shadestep);
    }
}

void VornBlit_BlitFillShadeTexture16(uint16_t *dst, const uint16_t *texture, int32_t n, int32_t u,
                                     int32_t v, int32_t shade, int32_t ustep, int32_t vstep,
                                     int32_t shadestep) {
    fill_shade_texture(dst, texture, n, u, v, shade, ustep, vstep, shadestep);
}

void VornBlit_BlitFillShadeTexture32(uint32_t *dst, const uint32_t *texture, int32_t n, int32_t u,
                                     int32_t v, int32_t shade, int32_t ustep, int32_t vstep,
                                     int32_t shadestep) {
    fill_shade_texture(dst, texture, n, u, v, shade, ustep, vstep, shadestep);
}

// The sum of the two texels is a signed word halved arithmetically; a sum of two 16-bit texels
// never reaches the sign bit, so there it is the plain half.
template <class P>
static inline void fill_dual_texture(P *dst, const P *texture1, const P *texture2, int32_t n,
                                     int32_t ua, int32_t va, int32_t ub, int32_t vb, int32_t uastep,
                                     int32_t vastep, int32_t ubstep, int32_t vbstep) {
    uint32_t u1 = static_cast<uint32_t>(ua), v1 = static_cast<uint32_t>(va);
    uint32_t u2 = static_cast<uint32_t>(ub), v2 = static_cast<uint32_t>(vb);
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t sum = texture1[texel_index(u1, v1)] + texture2[texel_index(u2, v2)];
        dst[i] = static_cast<P>(static_cast<int32_t>(sum) >> 1);
        u1 += static_cast<uint32_t>(uastep);
        v1 += static_cast<uint32_t>(vastep);
        u2 += static_cast<uint32_t>(ubstep);
        v2 += static_cast<uint32_t>(vbstep);
    }
}

void VornBlit_BlitFillDualTexture16(uint16_t *dst, const uint16_t *texture1,
                                    const uint16_t *texture2, int32_t n, int32_t ua, int32_t va,
                                    int32_t ub, int32_t vb, int32_t uastep, int32_t vastep,
                                    int32_t ubstep, int32_t vbstep) {
    fill_dual_texture(dst, texture1, texture2, n, ua, va, ub, vb, uastep, vastep, ubstep, vbstep);
}

void VornBlit_BlitFillDualTexture32(uint32_t *dst, const uint32_t *texture1,
                                    const uint32_t *texture2, int32_t n, int32_t ua, int32_t va,
                                    int32_t ub, int32_t vb, int32_t uastep, int32_t vastep,
                                    int32_t ubstep, int32_t vbstep) {
    fill_dual_texture(dst, texture1, texture2, n, ua, va, ub, vb, uastep, vastep, ubstep, vbstep);
}
