#include "vornblit_fixture.h"

TEST_F(Kernels32, TransparentCopyKeysOnTheTopByte) {
    std::vector<uint32_t> s = {0x00FFFFFF, 0xFF000000, 0x01000000, 0x00000000, 0x80123456};
    std::vector<uint32_t> d(5, 7);
    VornBlit_BlitTransp32(d.data(), s.data(), 5);
    EXPECT_EQ(d, (std::vector<uint32_t>{7, 0xFF000000, 0x01000000, 7, 0x80123456}));
}

TEST_F(Kernels16, TransparentCopyKeysOnZero) {
    std::vector<uint16_t> s = {0, 0x0001, 0x7FFF, 0};
    std::vector<uint16_t> d(4, 7);
    VornBlit_BlitTransp16(d.data(), s.data(), 4);
    EXPECT_EQ(d, (std::vector<uint16_t>{7, 1, 0x7FFF, 7}));
}

TEST_F(Kernels32, TransparentBlendsTestTheSecondSource) {
    // Every other pixel of b is transparent; a stays apart from the destination.
    auto a = noise32(20), b = noise32(21);
    for (int i = 0; i < SPAN; i += 2) b[i] &= 0x00FFFFFF;
    for (int i = 1; i < SPAN; i += 2) b[i] |= 0x01000000;
    std::vector<uint32_t> mix(SPAN), add(SPAN), mul(SPAN);
    VornBlit_BlitMix32(mix.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitAdd32(add.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitMul32(mul.data(), a.data(), b.data(), SPAN);
    std::vector<uint32_t> d1(SPAN, 5), d2(SPAN, 5), d3(SPAN, 5);
    VornBlit_BlitTranspMix32(d1.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitTranspAdd32(d2.data(), a.data(), b.data(), SPAN);
    VornBlit_BlitTranspMul32(d3.data(), a.data(), b.data(), SPAN);
    for (int i = 0; i < SPAN; ++i) {
        const bool opaque = i & 1;
        EXPECT_EQ(d1[i], opaque ? mix[i] : 5u) << i;
        EXPECT_EQ(d2[i], opaque ? add[i] : 5u) << i;
        EXPECT_EQ(d3[i], opaque ? mul[i] : 5u) << i;
    }
}

TEST_F(Kernels32, TransparentQuarterMixesTestTheMaskedSource) {
    // A top byte of 1-3 is cleared by Q32 and counts as transparent.
    std::vector<uint32_t> a(4, 0), b = {0x03FFFFFF, 0x04000000, 0xFFFFFFFF, 0x00FFFFFF};
    std::vector<uint32_t> d(4, 9), e(4, 9);
    VornBlit_BlitTranspQMix32(d.data(), a.data(), b.data(), 4);
    EXPECT_EQ(d, (std::vector<uint32_t>{9, 0x01000000, 0x3F3F3F3F, 9}));
    VornBlit_BlitTranspQ3Mix32(e.data(), a.data(), b.data(), 4);
    EXPECT_EQ(e, (std::vector<uint32_t>{9, 0x03000000, 0x3DBDBDBD, 9})); // 3 * Q32 wraps
}

TEST_F(Kernels16, TransparentBlendsAndQuarterMixKeys) {
    // Every channel 3: Q16 clears it, so only the quarter mixes see it as transparent.
    auto a = span_of<uint16_t>(0x7FFF), b = span_of<uint16_t>(0x0C63);
    auto d = span_of<uint16_t>(9);
    VornBlit_BlitTranspQMix16(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 9));
    VornBlit_BlitTranspQ3Mix16(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 9));
    VornBlit_BlitTranspMix16(d.data(), a.data(), b.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x4210)); // (30 + 2) / 2 per channel

    auto c = span_of<uint16_t>(0x7FFF);
    VornBlit_BlitTranspQMix16(d.data(), a.data(), c.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x739C));
    auto z = span_of<uint16_t>(0);
    VornBlit_BlitTranspQ3Mix16(d.data(), z.data(), c.data(), SPAN);
    EXPECT_TRUE(all_equal(d, 0x56B5)); // 28 * 3 / 4 = 21

    auto nb = noise16(22);
    for (int i = 0; i < SPAN; i += 3) nb[i] = 0;
    std::vector<uint16_t> add(SPAN), mul(SPAN), d2(SPAN, 9), d3(SPAN, 9);
    VornBlit_BlitAdd16(add.data(), a.data(), nb.data(), SPAN);
    VornBlit_BlitMul16(mul.data(), a.data(), nb.data(), SPAN);
    VornBlit_BlitTranspAdd16(d2.data(), a.data(), nb.data(), SPAN);
    VornBlit_BlitTranspMul16(d3.data(), a.data(), nb.data(), SPAN);
    for (int i = 0; i < SPAN; ++i) {
        EXPECT_EQ(d2[i], i % 3 ? add[i] : 9) << i;
        EXPECT_EQ(d3[i], i % 3 ? mul[i] : 9) << i;
    }
}

TEST_F(Kernels16, TransparentSpansCountInSixteenBits) {
    using K = void (*)(uint16_t *, const uint16_t *, const uint16_t *, int32_t);
    const K two[] = {VornBlit_BlitTranspMix16, VornBlit_BlitTranspQMix16,
                     VornBlit_BlitTranspQ3Mix16, VornBlit_BlitTranspAdd16,
                     VornBlit_BlitTranspMul16};
    std::vector<uint16_t> a(65537, 0x7FFF), b(65537, 0x7FFF);
    for (K k : two) {
        std::vector<uint16_t> d(65537, 9);
        k(d.data(), a.data(), b.data(), 65536); // a count of 65536 is 0
        EXPECT_TRUE(all_equal(d, 9));
        k(d.data(), a.data(), b.data(), 65537); // and 65537 is 1
        EXPECT_NE(d[0], 9);
        EXPECT_EQ(d[1], 9);
    }
    std::vector<uint16_t> d(65537, 9);
    VornBlit_BlitTransp16(d.data(), a.data(), 65536);
    EXPECT_TRUE(all_equal(d, 9));
    VornBlit_BlitTransp16(d.data(), a.data(), 65537);
    EXPECT_EQ(d[0], 0x7FFF);
    EXPECT_EQ(d[1], 9);
}
