#include "vornblit_fixture.h"

TEST_F(Kernels32, CopyAndFillWriteExactlyTheSpan) {
    const auto s = noise32(30);
    std::vector<uint32_t> d(SPAN + 1, 5);
    VornBlit_BlitCopy32(d.data(), s.data(), SPAN);
    EXPECT_TRUE(std::equal(s.begin(), s.end(), d.begin()));
    EXPECT_EQ(d[SPAN], 5u);
    VornBlit_BlitFill32(d.data(), SPAN, 0x80FF0000);
    EXPECT_EQ(d[0], 0x80FF0000u);
    EXPECT_EQ(d[SPAN - 1], 0x80FF0000u);
    EXPECT_EQ(d[SPAN], 5u);
}

TEST_F(Kernels16, CopyAndFillWriteExactlyTheSpan) {
    const auto s = noise16(31);
    std::vector<uint16_t> d(SPAN + 1, 5);
    VornBlit_BlitCopy16(d.data(), s.data(), SPAN);
    EXPECT_TRUE(std::equal(s.begin(), s.end(), d.begin()));
    VornBlit_BlitFill16(d.data(), SPAN, 0xFF8040); // odd count: the pairs, then one
    EXPECT_EQ(d[0], 0x7E08);
    EXPECT_EQ(d[SPAN - 1], 0x7E08);
    EXPECT_EQ(d[SPAN], 5);
}

TEST_F(Kernels32, StretchStepsInSixteenSixteen) {
    std::vector<uint32_t> s = {0x10000000, 0x11000000, 0x12000000, 0x00FFFFFF, 0x14000000};
    std::vector<uint32_t> d(6, 7);
    VornBlit_BlitStretch32(d.data(), s.data(), 6, 0x8000, 0x8000);
    EXPECT_EQ(d, (std::vector<uint32_t>{0x10000000, 0x11000000, 0x11000000, 0x12000000, 0x12000000,
                                        0x00FFFFFF}));
    // Integer part taken arithmetically: -1.0 reads the pixel before the pointer.
    VornBlit_BlitStretch32(d.data(), s.data() + 2, 3, -0x10000, 0x10000);
    EXPECT_EQ(d[0], 0x11000000u);
    EXPECT_EQ(d[2], 0x00FFFFFFu);
    // The transparent stretch skips keyed pixels but keeps stepping.
    d.assign(6, 7);
    VornBlit_BlitTranspStretch32(d.data(), s.data(), 3, 0x20000, 0x10000);
    EXPECT_EQ(d, (std::vector<uint32_t>{0x12000000, 7, 0x14000000, 7, 7, 7}));
}

TEST_F(Kernels16, StretchStepsInSixteenSixteen) {
    std::vector<uint16_t> s = {1, 2, 3, 4};
    std::vector<uint16_t> d(4, 7);
    VornBlit_BlitStretch16(d.data(), s.data(), 4, 0, 0x10000 * 3 / 4);
    EXPECT_EQ(d, (std::vector<uint16_t>{1, 1, 2, 3}));
}

// Long spans at several steps, the source cut to exactly the pixels the span reads: sampled
// pixel k is source index (position + k * step) >> 16.
TEST_F(Kernels16, StretchOfLongSpansReadsOnlyWhatItSamples) {
    for (int32_t step : {0, 0x2000, 0x5555, 0x8000, 0xFFFF, 0x10000, 0x18000}) {
        const int32_t n = 45, position = 0x3A00;
        const int32_t last = (position + (n - 1) * step) >> 16;
        std::vector<uint16_t> src(static_cast<size_t>(last) + 1);
        for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<uint16_t>(i * 7 + 1);
        std::vector<uint16_t> d(n);
        VornBlit_BlitStretch16(d.data(), src.data(), n, position, step);
        for (int32_t k = 0; k < n; ++k)
            ASSERT_EQ(d[k], src[(position + k * step) >> 16]) << step << " " << k;
    }
}

// Four source pixels, a pitch of 4 apart, at x = 0.5, y = 0.25: weights 24576 for the top two,
// 8192 for the bottom two.
TEST_F(Kernels32, BilinearWeights) {
    std::vector<uint32_t> s(8, 0);
    s[0] = 0xFF0000FF; // top left: blue
    s[1] = 0x0000FF00; // top right: green
    s[4] = 0x00FF0000; // bottom left: red
    uint32_t d = 1;
    VornBlit_BlitBiLinearStretch32(&d, s.data(), 1, 4, 0x8000, 0x4000, 0);
    EXPECT_EQ(d, 0x001F5F5Fu);
    // Only bits 8-15 of y count: fy = 255 leaves the top row a weight of 256.
    VornBlit_BlitBiLinearStretch32(&d, s.data(), 1, 4, 0, 0x12FF34, 0);
    EXPECT_EQ(d, 0x00FE0000u);
    VornBlit_BlitBiLinearStretch32(&d, s.data(), 1, 4, 0, 0, 0);
    EXPECT_EQ(d, 0x000000FFu); // the top byte is dropped
    std::vector<uint32_t> w(8, 0x00FFFFFF), out(3, 0);
    VornBlit_BlitBiLinearStretch32(out.data(), w.data(), 3, 4, 0x00C0, 0x4000, 0x5555);
    EXPECT_TRUE(all_equal(out, 0x00FFFFFF)); // the weights sum to 65536
}

TEST_F(Kernels16, BilinearWeights) {
    std::vector<uint16_t> s(8, 0);
    s[0] = px16(0, 0, 31);
    s[1] = px16(0, 31, 0);
    s[4] = px16(31, 0, 0);
    std::vector<uint16_t> d(2, 1);
    VornBlit_BlitBiLinearStretch16(d.data(), s.data(), 2, 4, 0x8000, 0x4000, 0x8000);
    EXPECT_EQ(d[0], px16(3, 11, 11));
    EXPECT_EQ(d[1], px16(0, 23, 0)); // x = 1.0: top right alone, weight 49152
}
