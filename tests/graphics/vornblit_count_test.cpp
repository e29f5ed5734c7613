#include "vornblit_fixture.h"

// Every kernel, given a count of 0 or a negative one, leaves the destination alone.
TEST_F(Kernels32, NoPixelsForCountZeroOrNegative) {
    std::vector<uint32_t> s(64, 0xFFFFFFFF), t(65536, 0xFFFFFFFF);
    const uint32_t *a = s.data() + 16, *b = s.data() + 32;
    for (int32_t n : {0, -1, -640}) {
        std::vector<uint32_t> d(16, 5);
        uint32_t *p = d.data();
        VornBlit_BlitFill32(p, n, 1);
        VornBlit_BlitFillShade32(p, n, 0x10000, 0);
        VornBlit_BlitFillTexture32(p, t.data(), n, 0, 0, 0, 0);
        VornBlit_BlitFillShadeTexture32(p, t.data(), n, 0, 0, 0x100, 0, 0, 0);
        VornBlit_BlitFillDualTexture32(p, t.data(), t.data(), n, 0, 0, 0, 0, 0, 0, 0, 0);
        VornBlit_BlitStretch32(p, a, n, 0, 0x10000);
        VornBlit_BlitTranspStretch32(p, a, n, 0, 0x10000);
        VornBlit_BlitBiLinearStretch32(p, a, n, 4, 0, 0, 0x10000);
        VornBlit_BlitCopy32(p, a, n);
        VornBlit_BlitDarken32(p, a, n);
        VornBlit_BlitBrighten32(p, a, n);
        VornBlit_BlitMix32(p, a, b, n);
        VornBlit_BlitQMix32(p, a, b, n);
        VornBlit_BlitAdd32(p, a, b, n);
        VornBlit_BlitMul32(p, a, b, n);
        VornBlit_BlitBlur32(p, a, -8, 8, n);
        VornBlit_BlitAntiAlias32(p, a, -8, 8, n);
        VornBlit_BlitFade32(p, a, 9, n);
        VornBlit_BlitFadeWhite32(p, a, 9, n);
        VornBlit_BlitCrossfade32(p, a, b, 9, n);
        for (uint32_t level : {0u, 100u, 255u}) VornBlit_BlitCrossfadeFast32(p, a, b, level, n);
        VornBlit_BlitAlphawipe32(p, a, b, 255, n);
        VornBlit_BlitTransp32(p, a, n);
        VornBlit_BlitTranspMix32(p, a, b, n);
        VornBlit_BlitTranspQMix32(p, a, b, n);
        VornBlit_BlitTranspQ3Mix32(p, a, b, n);
        VornBlit_BlitTranspAdd32(p, a, b, n);
        VornBlit_BlitTranspMul32(p, a, b, n);
        EXPECT_TRUE(all_equal(d, 5)) << n;
    }
}

TEST_F(Kernels16, NoPixelsForCountZeroOrNegative) {
    std::vector<uint16_t> s(64, 0x7FFF), t(65536, 0x7FFF);
    const uint16_t *a = s.data() + 16, *b = s.data() + 32;
    for (int32_t n : {0, -1, -65536}) {
        std::vector<uint16_t> d(16, 5);
        uint16_t *p = d.data();
        VornBlit_BlitFill16(p, n, 0xFFFFFF);
        VornBlit_BlitFillShade16(p, n, 0x10000, 0);
        VornBlit_BlitFillTexture16(p, t.data(), n, 0, 0, 0, 0);
        VornBlit_BlitFillShadeTexture16(p, t.data(), n, 0, 0, 0x100, 0, 0, 0);
        VornBlit_BlitFillDualTexture16(p, t.data(), t.data(), n, 0, 0, 0, 0, 0, 0, 0, 0);
        VornBlit_BlitStretch16(p, a, n, 0, 0x10000);
        VornBlit_BlitBiLinearStretch16(p, a, n, 4, 0, 0, 0x10000);
        VornBlit_BlitCopy16(p, a, n);
        VornBlit_BlitDarken16(p, a, n);
        VornBlit_BlitBrighten16(p, a, n);
        VornBlit_BlitMix16(p, a, b, n);
        VornBlit_BlitQMix16(p, a, b, n);
        VornBlit_BlitAdd16(p, a, b, n);
        VornBlit_BlitMul16(p, a, b, n);
        VornBlit_BlitBlur16(p, a, -8, 8, n);
        VornBlit_BlitAntiAlias16(p, a, -8, 8, n);
        VornBlit_BlitFade16(p, a, 9, n);
        VornBlit_BlitFade16fast(p, a, 9, n);
        VornBlit_BlitFadeWhite16(p, a, 9, n);
        VornBlit_BlitCrossfade16(p, a, b, 9, n);
        VornBlit_BlitAlphawipe16(p, a, b, 255, n);
        VornBlit_BlitTransp16(p, a, n);
        VornBlit_BlitTranspMix16(p, a, b, n);
        VornBlit_BlitTranspQMix16(p, a, b, n);
        VornBlit_BlitTranspQ3Mix16(p, a, b, n);
        VornBlit_BlitTranspAdd16(p, a, b, n);
        VornBlit_BlitTranspMul16(p, a, b, n);
        EXPECT_TRUE(all_equal(d, 5)) << n;
    }
}
