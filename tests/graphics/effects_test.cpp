#include "graphics/effects.h"
#include "depth_fixture.h"
#include "graphics/stereo.h"

using Effects = Depth32;

// Size mismatches and missing data write nothing; grey, fade and crossfade say so.
TEST_F(Effects, RefusalsWriteNothingAndSixteenBitsHasNoGrey) {
    Pixels32 a(2, 2, 1), small(1, 1, 2), wide(4, 2, 3), d(2, 2), big(640, 480, 1),
        quarter(320, 240);
    const std::string msg = kNoData;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { VRX_GreyBitmap(small.bm, d.bm); }, msg}, // too few source pixels to read
        {[&] { VRX_GreyBitmap(a.no_data(), d.bm); }, msg},
        {[&] { VRX_BlendBitmap(wide.bm, a.bm, d.bm, 1); }, ""},
        {[&] { VRX_BlendBitmap(a.bm, small.bm, d.bm, 1); }, ""}, // B too small to read
        {[&] { VRX_BlendBitmap(a.no_data(), a.bm, d.bm, 0); }, ""},
        {[&] { VRX_FadeBitmap(big.bm, quarter.bm, 128, 0); }, msg},
        {[&] { VRX_FadeBitmap(a.no_data(), d.bm, 128, 0); }, msg},
        {[&] { VRX_CrossfadeBitmap(wide.bm, a.bm, d.bm, 9); }, msg},
        {[&] { VRX_CrossfadeBitmap(a.bm, small.bm, d.bm, 9); }, msg},
        {[&] { VRX_AlphawipeBitmap(wide.bm, a.bm, d.bm, 255); }, ""},
        {[&] { VRX_AlphawipeBitmap(a.bm, small.bm, d.bm, 255); }, ""},
    };
    int i = 0;
    for (const auto &[op, out] : cases) EXPECT_EQ(printed(op), out) << i++;
    EXPECT_EQ(d.changed() + quarter.changed(), 0);
    set_depth(true); // no grey in 16 bits, and nothing said
    Pixels16 a16(2, 1, 0x7FFF), b16(2, 1, 0), d16(2, 1);
    EXPECT_EQ(printed([&] { VRX_GreyBitmap(a16.bm, d16.bm); }), "");
    EXPECT_EQ(d16.changed(), 0);
    VRX_BlendBitmap(a16.bm, b16.bm, d16.bm, 1); // the 16-bit kernels
    EXPECT_EQ(d16.mem[0], 0x3DEF);
}

// {effect, mode, level, A (or the source), B (or the mask), destination, result} over 2 x 2
// bitmaps of one value each. Grey takes the luma; fade mode 2 crossfades the destination into
// the source, mode 3 wipes where the source's own blue is at most the level; crossfade at level
// 0 gives A x 255 / 256, so 255 becomes 254.
TEST_F(Effects, EachModePicksItsKernel) {
    const uint32_t W = 0x00FFFFFF, R = 0x00400000, F = kFill, P = 0x00123456;
    enum : uint32_t { GREY, BLEND, FADE, CROSS, WIPE };
    // clang-format off
    const uint32_t cases[][7] = {
        {GREY, 0, 0, W, 0, F, 0xFFFFFFFF}, {GREY, 0, 0, 0x8000FF00, 0, F, 0xFF959595},
        {GREY, 0, 0, 0x00FF0000, 0, F, 0xFF4C4C4C}, {BLEND, 0, 0, 5, 9, F, 5},
        {BLEND, 1, 0, W, 0, F, 0x007F7F7F}, {BLEND, 2, 0, R, 0x00F08010, F, 0x00FF8010},
        {BLEND, 3, 0, W, W, F, 0x00FEFEFE}, {BLEND, 4, 0, R, 0, F, 0x00300000},
        {BLEND, 5, 0, R, 0, F, 0x00100000}, {BLEND, 6, 0, W, 9, F, 0x007F7F7F},
        {BLEND, 7, 0, 0, 9, F, 0x7F7F7F7F}, {BLEND, 8, 0, 5, 9, F, F},
        {FADE, 0, 255, P, 0, F, 0xFF123456}, {FADE, 1, 0, P, 0, F, 0xFFFFFFFF},
        {FADE, 2, 255, P, 0, 0, 0x00113355}, {FADE, 3, 0x56, P, 0, F, P},
        {FADE, 3, 0x55, P, 0, F, F}, {FADE, 4, 0, P, 0, F, F},
        {CROSS, 0, 0, W, 0, F, 0x00FEFEFE}, {CROSS, 0, 255, 0, W, F, 0x00FEFEFE},
        {WIPE, 0, 0, P, 0x00FFFF00, F, P}, {WIPE, 0, 0, P, 1, F, F},
        {WIPE, 0, 255, P, 0xFF, F, P},
    };
    // clang-format on
    for (auto [op, mode, level, va, vb, vd, out] : cases) {
        Pixels32 a(2, 2, va), b(2, 2, vb), d(2, 2, vd);
        if (op == GREY) VRX_GreyBitmap(a.bm, d.bm);
        if (op == BLEND) VRX_BlendBitmap(a.bm, b.bm, d.bm, uint8_t(mode));
        if (op == FADE) VRX_FadeBitmap(a.bm, d.bm, uint8_t(level), uint8_t(mode));
        if (op == CROSS) VRX_CrossfadeBitmap(a.bm, b.bm, d.bm, uint8_t(level));
        if (op == WIPE) VRX_AlphawipeBitmap(a.bm, b.bm, d.bm, uint8_t(level));
        EXPECT_EQ(d.mem, std::vector<uint32_t>(4, out)) << op << "," << mode << "," << level;
    }
}

using Stereo = Depth32;

// Modes 0-3 take masked words from each view; mode 5 interlaces by the frame counter's parity.
TEST_F(Stereo, ChannelAndRowModes) {
    VRX_stereoframe = 0;
    const uint32_t expected[4] = {0xAABB3344, 0xAA22CC44, 0x1122CCDD, 0xAABBCC44};
    for (int mode = 0; mode < 4; mode++) {
        Pixels32 left(3, 2, 0x11223344), right(3, 2, 0xAABBCCDD), dst(3, 2);
        VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, mode);
        EXPECT_EQ(dst.mem, std::vector<uint32_t>(6, expected[mode])) << mode;
    }
    Pixels32 left(1, 4, 1), right(1, 4, 2), dst(1, 4);
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 5); // frame 4: even rows from the right
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{2, 1, 2, 1}));
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 5);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{1, 2, 1, 2}));
    EXPECT_EQ(VRX_stereoframe, 6);
}

TEST_F(Stereo, CrossfadeModeCyclesThroughEightLevels) {
    Pixels32 left(2, 2, 0), right(2, 2, 0x00FF0000), dst(2, 2);
    VRX_stereoframe = 16; // folded into 0..7
    // Levels 0, 64, 128, 192 from left toward right, then the same from right toward left:
    // red = 255 x level >> 8, then 255 x (255 - level) >> 8.
    for (uint32_t red : {0, 63, 127, 191, 254, 190, 126, 62}) {
        VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 4);
        EXPECT_EQ(dst.mem, std::vector<uint32_t>(4, red << 16));
    }
    EXPECT_EQ(VRX_stereoframe, 8);
}

TEST_F(Stereo, SideBySideScalesEachViewIntoHalf) {
    Pixels32 left(64, 48, 0xFF0000FF), right(64, 48, 0xFFFF0000), dst(640, 480);
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 6);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++) ASSERT_EQ(dst.at(x, y), x < 320 ? left.mem[0] : right.mem[0]);
}

TEST_F(Stereo, UnequalMissingOrSixteenBitViewsAreNeverOverrun) {
    Pixels32 left(4, 4, 1), right(2, 2, 2), dst(4, 4), small(3, 3);
    VRX_stereoframe = 0;
    for (int mode : {0, 1, 2, 3, 5, 7, -1}) {
        VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, mode);
        VRX_DrawBitmap3D(left.bm, left.bm, small.bm, mode);
        VRX_DrawBitmap3D(left.no_data(), left.bm, dst.bm, mode);
    }
    EXPECT_EQ(VRX_stereoframe, 21);
    EXPECT_EQ(printed([&] { VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 4); }), kNoData);
    set_depth(true); // the word modes have no 16-bit form
    for (int mode : {0, 1, 2, 3, 5}) VRX_DrawBitmap3D(left.bm, left.bm, dst.bm, mode);
    EXPECT_EQ(dst.changed() + small.changed(), 0);
}
