// The span kernels of each depth under one set of names, so that each drawing algorithm is
// written once and instantiated for 16-bit and 32-bit pixels with direct kernel calls.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vornblit.h"

struct vrx_depth16 {
    typedef uint16_t pixel;
    static constexpr uint32_t bytes = 2;
    static pixel *at(const VRX_Bitmap &b, int64_t x, int64_t y) {
        return static_cast<pixel *>(b.data) + y * b.width + x;
    }
    static void copy(pixel *d, const pixel *s, int32_t n) { VornBlit_BlitCopy16(d, s, n); }
    static void mix(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitMix16(d, a, b, n);
    }
    static void add(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitAdd16(d, a, b, n);
    }
    static void mul(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitMul16(d, a, b, n);
    }
    static void qmix(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitQMix16(d, a, b, n);
    }
    static void darken(pixel *d, const pixel *s, int32_t n) { VornBlit_BlitDarken16(d, s, n); }
    static void brighten(pixel *d, const pixel *s, int32_t n) { VornBlit_BlitBrighten16(d, s, n); }
    static void blur(pixel *d, const pixel *s, int32_t up, int32_t down, int32_t n) {
        VornBlit_BlitBlur16(d, s, up, down, n);
    }
    static void antialias(pixel *d, const pixel *s, int32_t up, int32_t down, int32_t n) {
        VornBlit_BlitAntiAlias16(d, s, up, down, n);
    }
    static void stretch(pixel *d, const pixel *s, int32_t n, int32_t pos, int32_t step) {
        VornBlit_BlitStretch16(d, s, n, pos, step);
    }
    static void bilinear(pixel *d, const pixel *s, int32_t n, int32_t pitch, int32_t x, int32_t y,
                         int32_t xstep) {
        VornBlit_BlitBiLinearStretch16(d, s, n, pitch, x, y, xstep);
    }
};

struct vrx_depth32 {
    typedef uint32_t pixel;
    static constexpr uint32_t bytes = 4;
    static pixel *at(const VRX_Bitmap &b, int64_t x, int64_t y) {
        return static_cast<pixel *>(b.data) + y * b.width + x;
    }
    static void copy(pixel *d, const pixel *s, int32_t n) { VornBlit_BlitCopy32(d, s, n); }
    static void mix(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitMix32(d, a, b, n);
    }
    static void add(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitAdd32(d, a, b, n);
    }
    static void mul(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitMul32(d, a, b, n);
    }
    static void qmix(pixel *d, const pixel *a, const pixel *b, int32_t n) {
        VornBlit_BlitQMix32(d, a, b, n);
    }
    static void darken(pixel *d, const pixel *s, int32_t n) { VornBlit_BlitDarken32(d, s, n); }
    static void brighten(pixel *d, const pixel *s, int32_t n) { VornBlit_BlitBrighten32(d, s, n); }
    static void blur(pixel *d, const pixel *s, int32_t up, int32_t down, int32_t n) {
        VornBlit_BlitBlur32(d, s, up, down, n);
    }
    static void antialias(pixel *d, const pixel *s, int32_t up, int32_t down, int32_t n) {
        VornBlit_BlitAntiAlias32(d, s, up, down, n);
    }
    static void stretch(pixel *d, const pixel *s, int32_t n, int32_t pos, int32_t step) {
        VornBlit_BlitStretch32(d, s, n, pos, step);
    }
    static void bilinear(pixel *d, const pixel *s, int32_t n, int32_t pitch, int32_t x, int32_t y,
                         int32_t xstep) {
        VornBlit_BlitBiLinearStretch32(d, s, n, pitch, x, y, xstep);
    }
};
