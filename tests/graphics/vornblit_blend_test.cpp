#include "vornblit_fixture.h"

TEST_F(Kernels32, WholeWordBlendsIncludeTheTopByte) {
    auto a = span_of<uint32_t>(0x00FFFFFF), b = span_of<uint32_t>(0), d = span_of<uint32_t>(1);
    VornBlit_BlitMix32(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x007F7F7F));
    VornBlit_BlitQMix32(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x00BDBDBD));
    VornBlit_BlitDarken32(d.data(), a.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x007F7F7F));
    VornBlit_BlitBrighten32(d.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x7F7F7F7F));

    // Sums wrap modulo 2^32 and shift logically.
    auto full = span_of<uint32_t>(0xFFFFFFFF), top = span_of<uint32_t>(0xFF000000);
    VornBlit_BlitBrighten32(d.data(), full.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x7EFEFEFE));
    VornBlit_BlitMix32(d.data(), top.data(), top.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x7E000000));
}

TEST_F(Kernels16, WholeWordBlends) {
    auto a = span_of<uint16_t>(0x7FFF), b = span_of<uint16_t>(0), d = span_of<uint16_t>(1);
    VornBlit_BlitMix16(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x3DEF));
    VornBlit_BlitQMix16(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x56B5)); // 28 * 3 / 4 = 21 per channel
    VornBlit_BlitDarken16(d.data(), a.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x3DEF));
    VornBlit_BlitBrighten16(d.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x3DEF));
    VornBlit_BlitBrighten16(d.data(), a.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x7BDE));
}

TEST_F(Kernels32, AddSaturatesAndMulScalesPerChannel) {
    auto a = span_of<uint32_t>(0x00F08010), b = span_of<uint32_t>(0xAB208010);
    auto d = span_of<uint32_t>(1);
    VornBlit_BlitAdd32(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x00FFFF20));
    auto w = span_of<uint32_t>(0xFFFFFFFF);
    VornBlit_BlitMul32(d.data(), w.data(), w.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x00FEFEFE));
    auto m = span_of<uint32_t>(0x00804020), h = span_of<uint32_t>(0xFF808080);
    VornBlit_BlitMul32(d.data(), m.data(), h.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x00402010));
}

TEST_F(Kernels32, AddAndMulMatchPerChannelRulesOnNoise) {
    const auto a = noise32(1), b = noise32(2);
    auto add = span_of<uint32_t>(0), mul = span_of<uint32_t>(0);
    VornBlit_BlitAdd32(add.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitMul32(mul.data(), a.data(), b.data(), SPAN);
    for (int i = 0; i < SPAN; ++i) {
        uint32_t want_add = 0, want_mul = 0;
        for (int s : {0, 8, 16}) {
            uint32_t ca = byte_of(a[i], s), cb = byte_of(b[i], s);
            want_add |= std::min(255u, ca + cb) << s;
            want_mul |= ((ca * cb) >> 8) << s;
        }
        EXPECT_EQ(add[i], want_add) << i;
        EXPECT_EQ(mul[i], want_mul) << i;
    }
}

TEST_F(Kernels16, AddSaturatesAndMulScalesPerChannel) {
    auto a = span_of(px16(30, 16, 3)), b = span_of(px16(5, 16, 4)), d = span_of<uint16_t>(1);
    VornBlit_BlitAdd16(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, px16(31, 31, 7)));
    auto w = span_of<uint16_t>(0x7FFF);
    VornBlit_BlitMul16(d.data(), w.data(), w.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x7BDE)); // 31 * 31 >> 5 = 30
}

// The 16-bit per-channel rules written out as stated, for comparing on noise in any layout.
static uint16_t add16_rule(uint32_t a, uint32_t b) {
    uint32_t out = 0;
    for (uint32_t m : {vornblit_redmask, vornblit_greenmask, vornblit_bluemask}) {
        uint32_t t = (a & m) + (b & m);
        out |= t > m ? m : t;
    }
    return static_cast<uint16_t>(out);
}
static uint16_t mul16_rule(uint32_t a, uint32_t b) {
    const uint32_t m[3] = {vornblit_redmask, vornblit_greenmask, vornblit_bluemask};
    const uint32_t sh[3] = {vornblit_redshift + vornblit_redbits,
                            vornblit_greenshift + vornblit_greenbits,
                            vornblit_blueshift + vornblit_bluebits};
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) out |= ((uint64_t(a & m[c]) * (b & m[c])) >> sh[c]) & m[c];
    return static_cast<uint16_t>(out);
}

static void check_add_mul_16() {
    const auto a = noise16(3), b = noise16(4);
    auto add = span_of<uint16_t>(0), mul = span_of<uint16_t>(0);
    VornBlit_BlitAdd16(add.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitMul16(mul.data(), a.data(), b.data(), SPAN);
    for (int i = 0; i < SPAN; ++i) {
        EXPECT_EQ(add[i], add16_rule(a[i], b[i])) << i;
        EXPECT_EQ(mul[i], mul16_rule(a[i], b[i])) << i;
    }
}

TEST_F(Kernels16, AddAndMulMatchPerChannelRulesOnNoise) {
    check_add_mul_16();
}

TEST_F(Kernels565, MasksAndBlendsFollowTheLayout) {
    auto w = span_of<uint16_t>(0xFFFF), z = span_of<uint16_t>(0), d = span_of<uint16_t>(1);
    VornBlit_BlitMix16(d.data(), w.data(), z.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x7BEF)); // H16 = 0xF7DE
    VornBlit_BlitQMix16(d.data(), z.data(), w.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x39E7)); // Q16 = 0xE79C
    // Red's sum does not fit in 16 bits and must still saturate.
    auto red = span_of<uint16_t>(0xF800);
    VornBlit_BlitAdd16(d.data(), red.data(), red.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0xF800));
    VornBlit_BlitMul16(d.data(), w.data(), w.data(), SPAN);
    EXPECT_TRUE(all_equal(d, px16(30, 62, 30)));
    check_add_mul_16();
}

TEST_F(KernelsWide, AddAndMulMatchPerChannelRulesOnNoise) {
    check_add_mul_16();
}

TEST_F(Kernels32, SourcesMayBeTheDestination) {
    auto d = noise32(5), b = noise32(6), a = d;
    auto want = span_of<uint32_t>(0);
    VornBlit_BlitAdd32(want.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitAdd32(d.data(), d.data(), b.data(), SPAN);
    EXPECT_EQ(d, want);
}

TEST_F(Kernels16, SourcesMayBeTheDestination) {
    auto d = noise16(13), b = noise16(14), a = d;
    auto want = span_of<uint16_t>(0);
    VornBlit_BlitCrossfade16(want.data(), a.data(), b.data(), 77, SPAN);
    VornBlit_BlitCrossfade16(d.data(), d.data(), b.data(), 77, SPAN);
    EXPECT_EQ(d, want);
    want = a; // transparent pixels keep what the destination held
    d = a;
    VornBlit_BlitTranspAdd16(want.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitTranspAdd16(d.data(), d.data(), b.data(), SPAN);
    EXPECT_EQ(d, want);
}
