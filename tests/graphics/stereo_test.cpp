#include "graphics/stereo.h"
#include "depth_fixture.h"

struct Stereo : Depth32 {
    void SetUp() override {
        Depth32::SetUp();
        VRX_stereoframe = 0;
    }
};

// Modes 0-3 take masked words from each view; mode 5 interlaces by the frame counter's parity.
TEST_F(Stereo, ChannelAndRowModes) {
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
