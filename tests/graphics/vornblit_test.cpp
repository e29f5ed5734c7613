// The span kernels: the per-pixel rules on chosen pixels, in both depths and in 16-bit layouts
// other than 5-5-5; then the kernels that step through their source or read around a pixel
// (shaded and texture fills, stretches, the bilinear stretch, blur and anti-alias) and the
// 16-bit transparent counts.
#include "depth_fixture.h"
#include "graphics/vornblit.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {
// A kernel call and the (first source, second source or mask, result) triples its span cycles
// through, so that neighbouring pixels of a vector block differ.
template <class T> struct Rule {
    const char *name;
    void (*kernel)(T *d, const T *a, const T *b, int32_t n);
    std::vector<std::array<uint32_t, 3>> px;
};
// clang-format off
#define R(T, call, ...) \
    {#call, +[](T *d, const T *a, const T *b, int32_t n) { (void)a, (void)b, VornBlit_Blit##call; }, \
     {__VA_ARGS__}}
// clang-format on
#define R32(call, ...) R(uint32_t, call, __VA_ARGS__)
#define R16(call, ...) R(uint16_t, call, __VA_ARGS__)
const uint32_t KEEP = 0x5A5A5A5A; // result: the destination keeps what it held
const int32_t SPAN = 37;          // whole vector blocks and a ragged tail

// A count of 0 or less writes nothing; the span gives the results and writes no further; with
// the destination as first source it gives the same.
template <class T> void check(const std::vector<Rule<T>> &rules) {
    for (const Rule<T> &r : rules) {
        std::vector<T> a(SPAN), b(SPAN), d(SPAN + 1, T(KEEP)), want(SPAN);
        for (size_t i = 0; i < SPAN; ++i) {
            const auto &p = r.px[i % r.px.size()];
            a[i] = T(p[0]), b[i] = T(p[1]), want[i] = T(p[2]);
        }
        r.kernel(d.data(), a.data(), b.data(), 0);
        r.kernel(d.data(), a.data(), b.data(), -1);
        EXPECT_EQ(std::count(d.begin(), d.end(), T(KEEP)), SPAN + 1) << r.name;
        r.kernel(d.data(), a.data(), b.data(), SPAN);
        EXPECT_EQ(d.back(), T(KEEP)) << r.name;
        d.pop_back();
        EXPECT_EQ(d, want) << r.name;
        for (size_t i = 0; i < SPAN; ++i) want[i] = want[i] == T(KEEP) ? a[i] : want[i];
        r.kernel(a.data(), a.data(), b.data(), SPAN);
        EXPECT_EQ(a, want) << r.name << " in place";
    }
}
} // namespace

TEST_F(Depth32, KernelRules) {
    const uint32_t S = 0xAABBCCDD, W = 0xFFFFFFFF, C = 0x00C81040, F = 0x00F08010;
    check<uint32_t>({
        R32(Copy32(d, a, n), {0x12345678, 0, 0x12345678}, {0, 0, 0}),
        R32(FillShade32(d, n, 0x01FF0000, 0), {0, 0, 0x00FFFFFF}), // bits 16-23 only
        R32(Stretch32(d, a, n, 0, 0x10000), {1, 0, 1}, {2, 0, 2}),
        R32(TranspStretch32(d, a, n, 0, 0x10000), {0x00FFFFFF, 0, KEEP},
            {0x01000000, 0, 0x01000000}),
        // Whole-word rules: the top byte takes part, sums wrap and shift logically.
        R32(Mix32(d, a, b, n), {0x00FFFFFF, 0, 0x007F7F7F}, {0xFF000000, 0xFF000000, 0x7E000000}),
        R32(QMix32(d, a, b, n), {0x00FFFFFF, 0, 0x00BDBDBD}),
        R32(Darken32(d, a, n), {0x00FFFFFF, 0, 0x007F7F7F}),
        R32(Brighten32(d, a, n), {0, 0, 0x7F7F7F7F}, {W, 0, 0x7EFEFEFE}),
        R32(Add32(d, a, b, n), {F, 0xAB208010, 0x00FFFF20}),
        R32(Mul32(d, a, b, n), {W, W, 0x00FEFEFE}, {0x00804020, 0xFF808080, 0x00402010}),
        R32(Fade32(d, a, 255, n), {C, 0, 0xFFC81040}),
        R32(Fade32(d, a, 0x1FF, n), {C, 0, 0xFFC81040}), // only the low byte of a level
        R32(Fade32(d, a, 200, n), {C, 0, 0xFF910009}),
        R32(Fade32(d, a, 0, n), {C, 0, 0xFF000000}),
        R32(FadeWhite32(d, a, 0, n), {C, 0, W}, {0, 0, W}),
        R32(FadeWhite32(d, a, 200, n), {0x00C81000, 0, 0xFFFF4737}),
        R32(FadeWhite32(d, a, 255, n), {0x00C81000, 0, 0xFFC81000}),
        R32(Crossfade32(d, a, b, 0, n), {0x00FFFFFF, 0xFF, 0x00FEFEFE}),
        R32(Crossfade32(d, a, b, 128, n), {0xFFFF0000, 0xFF, 0x007E007F}),
        R32(Crossfade32(d, a, b, 255, n), {0x00FFFFFF, 0x12345678, 0x00335577}),
        // The mask's blue byte against the level.
        R32(Alphawipe32(d, a, b, 0, n), {S, 0xFFFFFF00, S}, {S, 1, KEEP}),
        R32(Alphawipe32(d, a, b, 100, n), {S, 100, S}, {S, 101, KEEP}),
        R32(Alphawipe32(d, a, b, 255, n), {S, 0xFF, S}, {S, 7, S}),
        // Keys: a zero top byte; for the quarter mixes, the top byte after masking.
        R32(Transp32(d, a, n), {0x00FFFFFF, 0, KEEP}, {0xFF000000, 0, 0xFF000000},
            {1 << 24, 0, 1 << 24}),
        R32(TranspMix32(d, a, b, n), {0x00FFFFFF, 1 << 24, 0x007F7F7F}, {1, 0x00FFFFFF, KEEP}),
        R32(TranspAdd32(d, a, b, n), {F, 0xAB208010, 0x00FFFF20}, {F, 0x00208010, KEEP}),
        R32(TranspMul32(d, a, b, n), {W, W, 0x00FEFEFE}, {W, 0x00FFFFFF, KEEP}),
        R32(TranspQMix32(d, a, b, n), {0, 0x03FFFFFF, KEEP}, {0, 4 << 24, 1 << 24},
            {0, W, 0x3F3F3F3F}),
        R32(TranspQ3Mix32(d, a, b, n), {0, 0x03FFFFFF, KEEP}, {0, 4 << 24, 3 << 24},
            {0, W, 0x3DBDBDBD}),
    });
}

TEST_F(Depth32, FastCrossfadeQuantisesTheLevelToEighths) {
    // White to 0x11000000 in eighths: step level >> 5, and 8 only at level 255.
    const uint32_t by_step[9] = {0x00FFFFFF, 0x02D9D9D9, 0x04BDBDBD, 0x069B9B9B, 0x087F7F7F,
                                 0x0A5D5D5D, 0x0C3F3F3F, 0x0E1F1F1F, 0x11000000};
    std::vector<uint32_t> a(SPAN, 0x00FFFFFF), b(SPAN, 0x11000000), d(SPAN, KEEP);
    VornBlit_BlitCrossfadeFast32(d.data(), a.data(), b.data(), 255, 0);
    EXPECT_EQ(d[0], KEEP);
    for (uint32_t level = 0; level < 256; ++level) {
        VornBlit_BlitCrossfadeFast32(d.data(), a.data(), b.data(), level, SPAN);
        ASSERT_EQ(std::count(d.begin(), d.end(), by_step[level == 255 ? 8 : level >> 5]), SPAN)
            << level;
    }
}

TEST_F(Depth16, KernelRules) {
    const auto p = rgb555;
    const uint32_t S = p(31, 1, 16), W = 0x7FFF, A = p(30, 16, 3), B = p(5, 16, 4);
    check<uint16_t>({
        R16(Copy16(d, a, n), {0x1234, 0, 0x1234}, {0, 0, 0}),
        R16(FillShade16(d, n, 0x00800000, 0), {0, 0, 0x4210}),
        R16(Stretch16(d, a, n, 0, 0x10000), {1, 0, 1}, {2, 0, 2}),
        R16(Mix16(d, a, b, n), {W, 0, 0x3DEF}),
        R16(QMix16(d, a, b, n), {W, 0, 0x56B5}),
        R16(Darken16(d, a, n), {W, 0, 0x3DEF}),
        R16(Brighten16(d, a, n), {0, 0, 0x3DEF}, {W, 0, 0x7BDE}),
        R16(Add16(d, a, b, n), {A, B, p(31, 31, 7)}),
        R16(Mul16(d, a, b, n), {W, W, p(30, 30, 30)}, {p(31, 16, 2), p(16, 31, 31), p(15, 15, 1)}),
        R16(Fade16(d, a, 255, n), {S, 0, p(30, 0, 15)}), // one step down: 1 becomes 0
        R16(Fade16(d, a, 128, n), {S, 0, p(15, 0, 8)}),
        R16(Fade16(d, a, 0, n), {S, 0, 0}),
        R16(Fade16fast(d, a, 255, n), {S, 0, S}),
        R16(Fade16fast(d, a, 200, n), {S, 0, p(15, 0, 8)}),
        R16(Fade16fast(d, a, 0, n), {S, 0, 0}),
        R16(FadeWhite16(d, a, 0, n), {S, 0, W}),
        R16(FadeWhite16(d, a, 200, n), {S, 0, p(31, 7, 22)}),
        R16(FadeWhite16(d, a, 255, n), {S, 0, S}),
        R16(Crossfade16(d, a, b, 0, n), {W, 0, p(30, 30, 30)}),
        R16(Crossfade16(d, a, b, 64, n), {p(31, 0, 16), p(0, 31, 8), p(23, 7, 13)}),
        R16(Crossfade16(d, a, b, 128, n), {W, 0, 0x3DEF}),
        R16(Crossfade16(d, a, b, 255, n), {0, W, p(30, 30, 30)}),
        // The mask's blue channel scaled to 8 bits: blue 12 is 96.
        R16(Alphawipe16(d, a, b, 95, n), {S, p(31, 31, 12), KEEP}),
        R16(Alphawipe16(d, a, b, 96, n), {S, p(31, 31, 12), S}, {S, p(0, 0, 13), KEEP}),
        // Key 0; the quarter mixes test after masking, so channels all below 4 are a key too.
        R16(Transp16(d, a, n), {0, 0, KEEP}, {1, 0, 1}, {W, 0, W}),
        R16(TranspMix16(d, a, b, n), {W, 0x0C63, 0x4210}, {W, 0, KEEP}),
        R16(TranspQMix16(d, a, b, n), {W, 0x0C63, KEEP}, {W, W, 0x739C}),
        R16(TranspQ3Mix16(d, a, b, n), {W, 0x0C63, KEEP}, {0, W, 0x56B5}),
        R16(TranspAdd16(d, a, b, n), {A, B, p(31, 31, 7)}, {A, 0, KEEP}),
        R16(TranspMul16(d, a, b, n), {W, W, 0x7BDE}, {W, 0, KEEP}),
    });
}

// One row per kernel with its own per-channel code; the wide layout takes the scalar paths.
TEST_F(Depth16, KernelRulesFollowOtherLayouts) {
    VornBlit_Initialise(5, 6, 5, 11, 5, 0); // H16 0xF7DE, Q16 0xE79C
    const auto p = rgb565;
    const uint32_t W = 0xFFFF, HALF = p(15, 31, 15), NEAR = p(30, 62, 30);
    check<uint16_t>({
        R16(Mix16(d, a, b, n), {W, 0, HALF}),
        R16(QMix16(d, a, b, n), {0, W, 0x39E7}),
        R16(Add16(d, a, b, n), {0xF800, 0xF800, 0xF800}), // the red sum does not fit 16 bits
        R16(Mul16(d, a, b, n), {W, W, NEAR}),
        R16(Fade16(d, a, 128, n), {W, 0, HALF}),
        R16(Fade16fast(d, a, 200, n), {W, 0, HALF}),
        R16(FadeWhite16(d, a, 0, n), {0, 0, p(31, 31, 31)}),
        R16(Crossfade16(d, a, b, 0, n), {W, 0, NEAR}),
        R16(Alphawipe16(d, a, b, 96, n), {7, p(31, 63, 12), 7}, {7, p(0, 0, 13), KEEP}),
    });
    VornBlit_Initialise(2, 4, 10, 14, 10, 0); // a channel wider than a byte
    check<uint16_t>({
        R16(Add16(d, a, b, n), {0xA300, 0xA200, W}),
        R16(Mul16(d, a, b, n), {W, W, 0xBBFE}),
        R16(Fade16(d, a, 128, n), {W, 0, 0x5DFF}),
        R16(Crossfade16(d, a, b, 0, n), {W, 0, 0xBBFB}),
    });
    VornBlit_Initialise(4, 4, 4, 8, 4, 0); // narrow, but neither 5-5-5 nor 5-6-5
    check<uint16_t>({R16(Crossfade16(d, a, b, 128, n), {0xF0F0, 0x0A5F, 0x0597})});
}

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
