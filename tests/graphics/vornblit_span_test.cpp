// Kernels that step through their source or read around a pixel: shaded and texture fills,
// stretches, the bilinear stretch, blur and anti-alias; and the 16-bit transparent counts.
#include "depth_fixture.h"
#include "graphics/vornblit.h"

#include <algorithm>
#include <numeric>

using V32 = std::vector<uint32_t>;
using V16 = std::vector<uint16_t>;

TEST_F(Depth32, ShadedAndTextureFillsStepThroughTheirValues) {
    V32 d(3, 1), t(65536), t2(65536, 0);
    VornBlit_BlitFillShade32(d.data(), 3, 0x00FF0000, 0x10000);
    EXPECT_EQ(d, (V32{0x00FFFFFF, 0x00000000, 0x00010101}));
    std::iota(t.begin(), t.end(), 0u); // texel i holds i
    for (auto [u, v, want] : {std::array{0xFF00, 0, 255},
                              {0x10000, 0, 256}, // into the next row
                              {0xFF00, 0xFFFF, 0xFFFF},
                              {0, 0x10000, 0}}) { // row 256 is row 0
        VornBlit_BlitFillTexture32(d.data(), t.data(), 1, u, v, 0, 0);
        EXPECT_EQ(d[0], uint32_t(want)) << u << "," << v;
    }
    VornBlit_BlitFillTexture32(d.data(), t.data(), 3, 0x180, 0x0280, 0x100, 0x100);
    EXPECT_EQ(d, (V32{0x201, 0x302, 0x403}));
    t[1] = 0x00010203;
    VornBlit_BlitFillShadeTexture32(d.data(), t.data(), 1, 0x100, 0, 0x2FF, 0, 0, 0);
    EXPECT_EQ(d[0], 0x00020406u); // texel times the integer part of the 8.8 shade
    t[0] = 0xFFFFFFFE, t[2] = t2[2] = 0x7FFFFFFF;
    VornBlit_BlitFillDualTexture32(d.data(), t.data(), t2.data(), 3, 0, 0, 0, 0, 0x100, 0, 0x100,
                                   0);
    VornBlit_BlitFillTexture32(d.data(), t.data(), 0, 0, 0, 0, 0); // count 0: nothing
    VornBlit_BlitFillShadeTexture32(d.data(), t.data(), 0, 0, 0, 0x100, 0, 0, 0);
    VornBlit_BlitFillDualTexture32(d.data(), t.data(), t2.data(), 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(d, (V32{0xFFFFFFFF, 0x00008101, 0xFFFFFFFF})); // signed sum, arithmetic halving
}

// Fills use wide stores that may overlap at the ends: every length at every alignment must write
// its span and nothing around it. 32 bits keep the top byte; 16 bits convert the colour.
TEST_F(Depth16, FillsWriteExactlyTheirSpan) {
    for (int32_t start = 0; start < 16; ++start)
        for (int32_t n = -1; n <= 80; ++n) {
            V32 d(112, 7);
            V16 e(112, 7);
            VornBlit_BlitFill32(d.data() + start, n, 0x80FF0000);
            VornBlit_BlitFill16(e.data() + start, n, 0xFF8040);
            for (int32_t i = 0; i < 112; ++i) {
                const bool in = i >= start && i < start + n;
                ASSERT_EQ(d[i], in ? 0x80FF0000u : 7u) << start << " " << n << " " << i;
                ASSERT_EQ(e[i], in ? 0x7E08 : 7) << start << " " << n << " " << i;
            }
        }
}

TEST_F(Depth32, StretchStepsInSixteenSixteen) {
    V32 s = {0x10000000, 0x11000000, 0x12000000, 0x00FFFFFF, 0x14000000}, d(6, 7);
    VornBlit_BlitStretch32(d.data(), s.data(), 6, 0x8000, 0x8000);
    EXPECT_EQ(d, (V32{0x10000000, 0x11000000, 0x11000000, 0x12000000, 0x12000000, 0x00FFFFFF}));
    VornBlit_BlitStretch32(d.data(), s.data() + 2, 1, -0x10000, 0); // -1.0: the pixel before
    EXPECT_EQ(d[0], 0x11000000u);
    d.assign(6, 7);
    VornBlit_BlitTranspStretch32(d.data(), s.data(), 3, 0x20000, 0x10000);
    EXPECT_EQ(d, (V32{0x12000000, 7, 0x14000000, 7, 7, 7}));
}

// Source pixels a pitch of 4 apart; x = 0.5, y = 0.25 weigh the top two 24576 each and the
// bottom two 8192.
TEST_F(Depth32, BilinearWeights) {
    V32 s = {0xFF0000FF, 0x0000FF00, 0, 0, 0x00FF0000, 0, 0, 0}, d(2, 1);
    VornBlit_BlitBiLinearStretch32(d.data(), s.data(), 0, 4, 0x8000, 0x4000, 0);
    EXPECT_EQ(d[0], 1u);
    VornBlit_BlitBiLinearStretch32(d.data(), s.data(), 2, 4, 0x8000, 0x4000, 0x10000);
    EXPECT_EQ(d, (V32{0x001F5F5F, 0x00005F00}));
    VornBlit_BlitBiLinearStretch32(d.data(), s.data(), 1, 4, 0, 0x12FF34, 0); // bits 8-15 of y
    EXPECT_EQ(d[0], 0x00FE0000u);
    VornBlit_BlitBiLinearStretch32(d.data(), s.data(), 1, 4, 0, 0, 0);
    EXPECT_EQ(d[0], 0x000000FFu); // the top byte is dropped
}

TEST_F(Depth16, BilinearWeights) {
    V16 s = {rgb555(0, 0, 31), rgb555(0, 31, 0), 0, 0, rgb555(31, 0, 0), 0, 0, 0}, d(2, 1);
    VornBlit_BlitBiLinearStretch16(d.data(), s.data(), 2, 4, 0x8000, 0x4000, 0x8000);
    EXPECT_EQ(d, (V16{rgb555(3, 11, 11), rgb555(0, 23, 0)})); // at x = 1.0 the top right alone
}

// A 3 x 3 picture; the kernels run on its centre with up = -3 and down = +3.
template <class T> T around(auto kernel, T up, T left, T centre, T right, T down, int32_t n = 1) {
    const std::vector<T> p = {0, up, 0, left, centre, right, 0, down, 0};
    T d = 1;
    kernel(&d, p.data() + 4, -3, 3, n);
    return d;
}

TEST_F(Depth32, BlurAndAntiAlias) {
    const uint32_t W = 0x00FFFFFF, T = 0xFF000000;
    const auto blur = VornBlit_BlitBlur32, aa = VornBlit_BlitAntiAlias32;
    EXPECT_EQ(around<uint32_t>(blur, 0, 0xFF, W, 0, 0), 0x3Fu);    // not the centre
    EXPECT_EQ(around<uint32_t>(blur, T, T, 0, T, T), 0xFC000000u); // wraps, shifts arithmetically
    EXPECT_EQ(around<uint32_t>(blur, 0, 0xFF, W, 0, 0, 0), 1u);
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0, W, W), 0x007F7F7Fu); // mean of left and right
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0, W, W, 0), 1u);
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0, W, 0), 0u);    // no vertical edge: copy
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0, 0x80, W), 0u); // 128 is no edge, 129 is
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0, 0x81, W), 0x40u);
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0x808080, W, W), 0x808080u); // unlike both sides
    EXPECT_EQ(around<uint32_t>(aa, 0, 0, 0x7F0000, W, W), 0x7F7F7Fu); // 127 from the left: alike
}

TEST_F(Depth16, BlurAndAntiAlias) {
    const auto aa = VornBlit_BlitAntiAlias16;
    EXPECT_EQ(around<uint16_t>(VornBlit_BlitBlur16, 0x7FFF, 0x7FFF, 0, 0x7FFF, 0x7FFF), 0x739C);
    EXPECT_EQ(around<uint16_t>(aa, 0, 0, 0, 0x7FFF, 0x7FFF), 0x3DEF);
    EXPECT_EQ(around<uint16_t>(aa, 0, 0, 0, 0x0010, 0x7FFF), 0); // 16 is no edge, 17 is
    EXPECT_EQ(around<uint16_t>(aa, 0, 0, 0, 0x0011, 0x7FFF), 0x0008);
}

TEST_F(Depth16, TransparentKernelsCountInSixteenBits) {
    using K = void (*)(uint16_t *, const uint16_t *, const uint16_t *, int32_t);
    const K transp = [](uint16_t *d, const uint16_t *a, const uint16_t *, int32_t n) {
        VornBlit_BlitTransp16(d, a, n);
    };
    const K kernels[] = {VornBlit_BlitTranspMix16,   VornBlit_BlitTranspQMix16,
                         VornBlit_BlitTranspQ3Mix16, VornBlit_BlitTranspAdd16,
                         VornBlit_BlitTranspMul16,   transp};
    const V16 a(65537, 0x7FFF);
    for (K k : kernels) {
        V16 d(65537, 9);
        k(d.data(), a.data(), a.data(), 65536); // 65536 is 0
        EXPECT_EQ(std::count(d.begin(), d.end(), 9), 65537);
        k(d.data(), a.data(), a.data(), 65537); // and 65537 is 1
        EXPECT_EQ(std::count(d.begin(), d.end(), 9), 65536);
        EXPECT_NE(d[0], 9);
    }
}
