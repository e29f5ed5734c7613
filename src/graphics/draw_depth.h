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
};
