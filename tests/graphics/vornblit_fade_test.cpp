#include "vornblit_fixture.h"

TEST_F(Kernels32, FadeSubtractsPerChannelAndSetsTheTopByte) {
    auto s = span_of<uint32_t>(0x00C81040), d = span_of<uint32_t>(1);
    VornBlit_BlitFade32(d.data(), s.data(), 255, SPAN);
    EXPECT_TRUE(all_equal(d, 0xFFC81040));
    VornBlit_BlitFade32(d.data(), s.data(), 0, SPAN);
    EXPECT_TRUE(all_equal(d, 0xFF000000));
    VornBlit_BlitFade32(d.data(), s.data(), 200, SPAN); // each channel less 55, not below 0
    EXPECT_TRUE(all_equal(d, 0xFF910009));
    VornBlit_BlitFade32(d.data(), s.data(), 0x1FF, SPAN); // only the low byte of the level
    EXPECT_TRUE(all_equal(d, 0xFFC81040));
}

TEST_F(Kernels32, FadeToWhiteAddsPerChannel) {
    auto s = span_of<uint32_t>(0x00C81000), d = span_of<uint32_t>(1);
    VornBlit_BlitFadeWhite32(d.data(), s.data(), 0, SPAN);
    EXPECT_TRUE(all_equal(d, 0xFFFFFFFF));
    VornBlit_BlitFadeWhite32(d.data(), s.data(), 255, SPAN);
    EXPECT_TRUE(all_equal(d, 0xFFC81000));
    VornBlit_BlitFadeWhite32(d.data(), s.data(), 200, SPAN);
    EXPECT_TRUE(all_equal(d, 0xFFFF4737));
}

TEST_F(Kernels32, FadesMatchPerChannelRulesOnNoise) {
    const auto s = noise32(7);
    auto f = span_of<uint32_t>(0), w = span_of<uint32_t>(0);
    for (uint32_t level : {0u, 1u, 77u, 128u, 254u, 255u}) {
        VornBlit_BlitFade32(f.data(), s.data(), level, SPAN);
        VornBlit_BlitFadeWhite32(w.data(), s.data(), level, SPAN);
        const int k = 255 - int(level);
        for (int i = 0; i < SPAN; ++i) {
            uint32_t wf = 0xFF000000, ww = 0xFF000000;
            for (int sh : {0, 8, 16}) {
                int c = int(byte_of(s[i], sh));
                wf |= uint32_t(std::max(0, c - k)) << sh;
                ww |= uint32_t(std::min(255, c + k)) << sh;
            }
            EXPECT_EQ(f[i], wf) << level << " " << i;
            EXPECT_EQ(w[i], ww) << level << " " << i;
        }
    }
}

TEST_F(Kernels16, Fades) {
    auto s = span_of(px16(31, 1, 16)), d = span_of<uint16_t>(1);
    VornBlit_BlitFade16(d.data(), s.data(), 255, SPAN); // one step down: 31 -> 30, 1 -> 0
    EXPECT_TRUE(all_equal(d, px16(30, 0, 15)));
    VornBlit_BlitFade16(d.data(), s.data(), 128, SPAN);
    EXPECT_TRUE(all_equal(d, px16(15, 0, 8)));
    VornBlit_BlitFade16(d.data(), s.data(), 0, SPAN);
    EXPECT_TRUE(all_equal(d, 0));

    VornBlit_BlitFade16fast(d.data(), s.data(), 255, SPAN); // k = 0
    EXPECT_TRUE(all_equal(d, s[0]));
    VornBlit_BlitFade16fast(d.data(), s.data(), 200, SPAN); // k = 1
    EXPECT_TRUE(all_equal(d, px16(15, 0, 8)));
    VornBlit_BlitFade16fast(d.data(), s.data(), 0, SPAN); // k = 7
    EXPECT_TRUE(all_equal(d, 0));

    VornBlit_BlitFadeWhite16(d.data(), s.data(), 0, SPAN); // + 31
    EXPECT_TRUE(all_equal(d, 0x7FFF));
    VornBlit_BlitFadeWhite16(d.data(), s.data(), 255, SPAN);
    EXPECT_TRUE(all_equal(d, s[0]));
    VornBlit_BlitFadeWhite16(d.data(), s.data(), 200, SPAN); // + 6
    EXPECT_TRUE(all_equal(d, px16(31, 7, 22)));
}

// The 16-bit fade and crossfade as stated, per channel under each mask.
static void check_fades_16() {
    const uint32_t m[3] = {vornblit_redmask, vornblit_greenmask, vornblit_bluemask};
    const auto a = noise16(8), b = noise16(9);
    auto f = span_of<uint16_t>(0), x = span_of<uint16_t>(0);
    for (uint32_t level : {0u, 3u, 128u, 201u, 255u}) {
        VornBlit_BlitFade16(f.data(), a.data(), level, SPAN);
        VornBlit_BlitCrossfade16(x.data(), a.data(), b.data(), level, SPAN);
        for (int i = 0; i < SPAN; ++i) {
            uint32_t wf = 0, wx = 0;
            for (uint32_t mc : m) {
                wf |= (((a[i] & mc) * level) >> 8) & mc;
                wx |= (((a[i] & mc) * (255 - level) + (b[i] & mc) * level) >> 8) & mc;
            }
            EXPECT_EQ(f[i], wf) << level << " " << i;
            EXPECT_EQ(x[i], wx) << level << " " << i;
        }
    }
}

TEST_F(Kernels16, FadeAndCrossfadeMatchPerChannelRulesOnNoise) {
    check_fades_16();
}

TEST_F(Kernels565, FadesFollowTheLayout) {
    auto w = span_of<uint16_t>(0xFFFF), z = span_of<uint16_t>(0), d = span_of<uint16_t>(1);
    VornBlit_BlitFade16(d.data(), w.data(), 128, SPAN);
    EXPECT_TRUE(all_equal(d, px16(15, 31, 15)));
    VornBlit_BlitCrossfade16(d.data(), w.data(), z.data(), 0, SPAN);
    EXPECT_TRUE(all_equal(d, px16(30, 62, 30)));
    VornBlit_BlitFadeWhite16(d.data(), z.data(), 0, SPAN);
    EXPECT_TRUE(all_equal(d, px16(31, 31, 31)));
    check_fades_16();
}

TEST_F(KernelsWide, FadeAndCrossfadeMatchPerChannelRulesOnNoise) {
    check_fades_16();
}

TEST_F(Kernels32, CrossfadeWeighsPerChannel) {
    auto a = span_of<uint32_t>(0xFFFF0000), b = span_of<uint32_t>(0x000000FF);
    auto d = span_of<uint32_t>(1);
    VornBlit_BlitCrossfade32(d.data(), a.data(), b.data(), 128, SPAN);
    EXPECT_TRUE(all_equal(d, 0x007E007F)); // 255 * 127 >> 8, 255 * 128 >> 8
    auto w = span_of<uint32_t>(0x00FFFFFF);
    VornBlit_BlitCrossfade32(d.data(), w.data(), b.data(), 0, SPAN);
    EXPECT_TRUE(all_equal(d, 0x00FEFEFE));

    const auto na = noise32(10), nb = noise32(11);
    for (uint32_t level : {0u, 64u, 255u}) {
        VornBlit_BlitCrossfade32(d.data(), na.data(), nb.data(), level, SPAN);
        for (int i = 0; i < SPAN; ++i) {
            uint32_t want = 0;
            for (int s : {0, 8, 16})
                want |= ((byte_of(na[i], s) * (255 - level) + byte_of(nb[i], s) * level) >> 8) << s;
            EXPECT_EQ(d[i], want) << level << " " << i;
        }
    }
}

TEST_F(Kernels32, FastCrossfadeSteps) {
    auto a = span_of<uint32_t>(0x00FFFFFF), b = span_of<uint32_t>(0x11000000);
    auto d = span_of<uint32_t>(1);
    auto at = [&](uint32_t level) {
        VornBlit_BlitCrossfadeFast32(d.data(), a.data(), b.data(), level, SPAN);
        return d[SPAN - 1];
    };
    for (uint32_t level = 0; level < 32; ++level) EXPECT_EQ(at(level), 0x00FFFFFFu) << level;
    EXPECT_EQ(at(32), 0x02D9D9D9u);  // (7 * a' + b') >> 3 with E32
    EXPECT_EQ(at(64), 0x04BDBDBDu);  // (3 * a' + b') >> 2 with Q32
    EXPECT_EQ(at(96), 0x069B9B9Bu);  // (5 * a' + 3 * b') >> 3
    EXPECT_EQ(at(128), 0x087F7F7Fu); // mean with H32
    EXPECT_EQ(at(160), 0x0A5D5D5Du); // (3 * a' + 5 * b') >> 3
    EXPECT_EQ(at(192), 0x0C3F3F3Fu); // (a' + 3 * b') >> 2
    EXPECT_EQ(at(254), 0x0E1F1F1Fu); // step 7
    EXPECT_EQ(at(255), 0x11000000u);
    EXPECT_TRUE(all_equal(d, 0x11000000));
}

TEST_F(Kernels32, AlphawipeTestsTheMaskBlueByte) {
    auto s = span_of<uint32_t>(0xAABBCCDD), d = span_of<uint32_t>(1);
    std::vector<uint32_t> m = {0xFFFFFF00, 0x00000001, 0x00000064, 0x00000065, 0x000000FF};
    VornBlit_BlitAlphawipe32(d.data(), s.data(), m.data(), 0, 5);
    EXPECT_EQ(d[0], 0xAABBCCDDu);
    EXPECT_EQ(d[1], 1u);
    d.assign(SPAN, 1);
    VornBlit_BlitAlphawipe32(d.data(), s.data(), m.data(), 100, 5);
    EXPECT_EQ(d[2], 0xAABBCCDDu);
    EXPECT_EQ(d[3], 1u);
    auto mm = noise32(12);
    VornBlit_BlitAlphawipe32(d.data(), s.data(), mm.data(), 255, SPAN);
    EXPECT_TRUE(all_equal(d, 0xAABBCCDD));
}

static void check_alphawipe_16() {
    // The blue channel scaled to 8 bits: blue 12 is 96.
    std::vector<uint16_t> m(SPAN, px16(31, 31, 12)), s(SPAN, 0x1234), d(SPAN, 1);
    m[SPAN - 1] = px16(0, 0, 13);
    VornBlit_BlitAlphawipe16(d.data(), s.data(), m.data(), 95, SPAN);
    EXPECT_TRUE(all_equal(d, 1));
    VornBlit_BlitAlphawipe16(d.data(), s.data(), m.data(), 96, SPAN);
    EXPECT_EQ(d[0], 0x1234);
    EXPECT_EQ(d[SPAN - 2], 0x1234);
    EXPECT_EQ(d[SPAN - 1], 1);
}

TEST_F(Kernels16, AlphawipeScalesTheMaskBlueChannel) {
    check_alphawipe_16();
}

TEST_F(Kernels565, AlphawipeScalesTheMaskBlueChannel) {
    check_alphawipe_16();
}
