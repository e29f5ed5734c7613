#include "graphics/stereo.h"
#include "drawing_fixture.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {
constexpr uint32_t kFill = 0x12345678;
struct Stereo : DrawingDepth32 {
    void SetUp() override {
        DrawingDepth32::SetUp();
        VRX_stereoframe = 0;
    }
};
using StereoDepth16 = DrawingDepth16;
} // namespace

TEST_F(Stereo, ChannelModesTakeMaskedWordsFromEachView) {
    const uint32_t l = 0x11223344, r = 0xAABBCCDD;
    const uint32_t expected[4] = {0xAABB3344, 0xAA22CC44, 0x1122CCDD, 0xAABBCC44};
    for (int mode = 0; mode < 4; mode++) {
        Pixels32 left(3, 2, l), right(3, 2, r), dst(3, 2, kFill);
        VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, mode);
        EXPECT_EQ(dst.mem, std::vector<uint32_t>(6, expected[mode])) << mode;
    }
    EXPECT_EQ(VRX_stereoframe, 4);
}

TEST_F(Stereo, CrossfadeModeCyclesThroughEightPhases) {
    Pixels32 left(2, 2, 0), right(2, 2, 0x00FF0000), dst(2, 2);
    VRX_stereoframe = 16; // folded into 0..7
    std::vector<uint32_t> reds;
    for (int call = 0; call < 8; call++) {
        VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 4);
        reds.push_back(dst.mem[0] >> 16);
    }
    // Levels 0, 64, 128, 192 from left toward right, then the same from right toward left.
    const uint32_t lr[4] = {0, 64, 128, 192};
    for (int f = 0; f < 4; f++) {
        EXPECT_EQ(reds[f], 255 * lr[f] >> 8) << f;
        EXPECT_EQ(reds[f + 4], 255 * (255 - lr[f]) >> 8) << f;
    }
    EXPECT_EQ(VRX_stereoframe, 8);
}

TEST_F(Stereo, InterlaceAlternatesWithTheFrameCounter) {
    Pixels32 left(2, 4, 1), right(2, 4, 2), dst(2, 4);
    VRX_stereoframe = 1;
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 5);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2}));
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 5);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{2, 2, 1, 1, 2, 2, 1, 1}));
}

TEST_F(Stereo, SideBySideScalesEachViewIntoHalf) {
    Pixels32 left(64, 48, 0xFF0000FF), right(64, 48, 0xFFFF0000), dst(640, 480, kFill);
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 6);
    for (int y = 0; y < 480; y += 7) {
        EXPECT_EQ(dst.at(0, y), 0xFF0000FFu);
        EXPECT_EQ(dst.at(319, y), 0xFF0000FFu);
        EXPECT_EQ(dst.at(320, y), 0xFFFF0000u);
        EXPECT_EQ(dst.at(639, y), 0xFFFF0000u);
    }
    EXPECT_EQ(pixels_changed(dst, kFill), 640 * 480);
}

TEST_F(Stereo, UnequalOrMissingViewsAreNeverOverrun) {
    Pixels32 left(4, 4, 1), right(2, 2, 2), dst(4, 4, kFill), small(3, 3, kFill);
    VRX_Bitmap none = left.bm;
    none.data = nullptr;
    for (int mode : {0, 1, 2, 3, 5, 7, -1}) {
        VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, mode);
        VRX_DrawBitmap3D(left.bm, left.bm, small.bm, mode);
        VRX_DrawBitmap3D(none, left.bm, dst.bm, mode);
    }
    EXPECT_EQ(pixels_changed(dst, kFill), 0);
    EXPECT_EQ(pixels_changed(small, kFill), 0);
    EXPECT_EQ(VRX_stereoframe, 21);
    CaptureStdout();
    VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, 4);
    EXPECT_EQ(GetCapturedStdout(), "bitmap has no data\n");
}

TEST_F(StereoDepth16, WordModesDrawNothingInSixteenBits) {
    Pixels16 left(4, 2, 1), right(4, 2, 2), dst(4, 2, 0x1234);
    for (int mode : {0, 1, 2, 3, 5}) VRX_DrawBitmap3D(left.bm, right.bm, dst.bm, mode);
    EXPECT_EQ(pixels_changed(dst, uint16_t(0x1234)), 0);
}
