// The span kernels of each depth under one set of names, so that each drawing algorithm is
// written once and instantiated for 16-bit and 32-bit pixels with direct kernel calls.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/vornblit.h"

template <class P> struct vrx_depth {
    typedef P pixel;
    static constexpr uint32_t bytes = sizeof(P);
    static pixel *at(const VRX_Bitmap &b, int64_t x, int64_t y) {
        return static_cast<pixel *>(b.data) + y * b.width + x;
    }
};

// Constant pointers: every call through them is resolved at compile time.
struct vrx_depth16 : vrx_depth<uint16_t> {
    static constexpr auto copy = VornBlit_BlitCopy16;
    static constexpr auto mix = VornBlit_BlitMix16;
    static constexpr auto add = VornBlit_BlitAdd16;
    static constexpr auto mul = VornBlit_BlitMul16;
    static constexpr auto qmix = VornBlit_BlitQMix16;
    static constexpr auto darken = VornBlit_BlitDarken16;
    static constexpr auto brighten = VornBlit_BlitBrighten16;
    static constexpr auto blur = VornBlit_BlitBlur16;
    static constexpr auto antialias = VornBlit_BlitAntiAlias16;
    static constexpr auto stretch = VornBlit_BlitStretch16;
    static constexpr auto bilinear = VornBlit_BlitBiLinearStretch16;
    static constexpr auto fade = VornBlit_BlitFade16;
    static constexpr auto fadewhite = VornBlit_BlitFadeWhite16;
    static constexpr auto crossfade = VornBlit_BlitCrossfade16;
    static constexpr auto alphawipe = VornBlit_BlitAlphawipe16;
};

struct vrx_depth32 : vrx_depth<uint32_t> {
    static constexpr auto copy = VornBlit_BlitCopy32;
    static constexpr auto mix = VornBlit_BlitMix32;
    static constexpr auto add = VornBlit_BlitAdd32;
    static constexpr auto mul = VornBlit_BlitMul32;
    static constexpr auto qmix = VornBlit_BlitQMix32;
    static constexpr auto darken = VornBlit_BlitDarken32;
    static constexpr auto brighten = VornBlit_BlitBrighten32;
    static constexpr auto blur = VornBlit_BlitBlur32;
    static constexpr auto antialias = VornBlit_BlitAntiAlias32;
    static constexpr auto stretch = VornBlit_BlitStretch32;
    static constexpr auto bilinear = VornBlit_BlitBiLinearStretch32;
    static constexpr auto fade = VornBlit_BlitFade32;
    static constexpr auto fadewhite = VornBlit_BlitFadeWhite32;
    static constexpr auto crossfade = VornBlit_BlitCrossfade32;
    static constexpr auto alphawipe = VornBlit_BlitAlphawipe32;
};

// The blend modes over one span: 1 mean, 2 saturating add, 3 multiply, 4 three-quarters a,
// 5 three-quarters b; 0 copies, 6 darkens and 7 brightens the single source one. Any other
// mode writes nothing.
template <class D>
void vrx_blend_span(typename D::pixel *d, const typename D::pixel *a, const typename D::pixel *b,
                    const typename D::pixel *one, int32_t n, uint8_t mode) {
    switch (mode) {
    case VRX_BLEND_COPY:
        D::copy(d, one, n);
        break;
    case VRX_BLEND_MIX:
        D::mix(d, a, b, n);
        break;
    case VRX_BLEND_ADD:
        D::add(d, a, b, n);
        break;
    case VRX_BLEND_MUL:
        D::mul(d, a, b, n);
        break;
    case VRX_BLEND_QMIX:
        D::qmix(d, a, b, n);
        break;
    case VRX_BLEND_Q3MIX:
        D::qmix(d, b, a, n);
        break;
    case VRX_BLEND_DARKEN:
        D::darken(d, one, n);
        break;
    case VRX_BLEND_BRIGHTEN:
        D::brighten(d, one, n);
        break;
    default:
        break;
    }
}
