#include "graphics/bitmap.h"
#include "base/memory.h"
#include "video/video_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {
// Sets the depth bit and the layout as video start-up would.
struct Mode32 : testing::Test {
    void SetUp() override {
        VRX_video.flags = 0;
        VornBlit_Initialise(8, 8, 8, 16, 8, 0);
    }
};
struct Mode16 : testing::Test {
    void SetUp() override {
        VRX_video.flags = VRX_VIDEO_16BIT;
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    }
    void TearDown() override { VRX_video.flags = 0; }
};
} // namespace

TEST_F(Mode16, ConversionsIn555) {
    EXPECT_EQ(vornblit_redmask, 0x7C00u);
    EXPECT_EQ(vornblit_greenmask, 0x03E0u);
    EXPECT_EQ(vornblit_bluemask, 0x001Fu);
    EXPECT_EQ(VornBlit_color24to16(0xFF8040), 0x7E08u);
    EXPECT_EQ(VornBlit_color24to16(0xFFFFFF), 0x7FFFu);
    EXPECT_EQ(VornBlit_color24to16(0xAB0000FF), 0x001Fu);
    EXPECT_EQ(VornBlit_color16to24(0x7FFF), 0xFFF8F8F8u);
    EXPECT_EQ(VornBlit_color16to24(0x7E08), 0xFFF88040u);
    EXPECT_EQ(VornBlit_color16to24(0), 0xFF000000u);
    uint16_t px = 0;
    VornBlit_BlitPixel16(&px, 0xFF8040);
    EXPECT_EQ(px, 0x7E08);
    EXPECT_EQ(VornBlit_GetPixel16(&px), 0xFFF88040u);
}

TEST_F(Mode16, ConversionsFollowA565Layout) {
    VornBlit_Initialise(5, 6, 5, 11, 5, 0);
    EXPECT_EQ(vornblit_redmask, 0xF800u);
    EXPECT_EQ(vornblit_greenmask, 0x07E0u);
    EXPECT_EQ(vornblit_bluemask, 0x001Fu);
    EXPECT_EQ(VornBlit_color24to16(0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(VornBlit_color24to16(0x08FC08), 0x0FE1u);
    EXPECT_EQ(VornBlit_color16to24(0xFFFF), 0xFFF8FCF8u);
}

TEST_F(Mode16, CreateSizesForTwoBytesAndClearsWithConvertedColour) {
    VRX_Bitmap b{};
    VRX_CreateBitmap(640, 480, &b);
    EXPECT_EQ(b.size, 614400u);
    EXPECT_EQ(b.pixels, 307200);
    VRX_ClearColorBitmap(b, 0xFF8040);
    auto *p = static_cast<uint16_t *>(b.data);
    EXPECT_EQ(p[0], 0x7E08);
    EXPECT_EQ(p[307199], 0x7E08);
    CaptureStdout();
    VRX_DeleteBitmap(&b);
    GetCapturedStdout();
}

TEST_F(Mode32, CreateDeleteCopyClear) {
    VRX_Bitmap a{}, b{}, c{}, d{};
    VRX_CreateBitmap(640, 480, &a);
    EXPECT_EQ(a.width, 640);
    EXPECT_EQ(a.height, 480);
    EXPECT_EQ(a.size, 1228800u);
    EXPECT_EQ(a.pixels, 307200);
    ASSERT_NE(a.data, nullptr);

    VRX_CreateBitmap(10, 20, &b);
    VRX_CreateBitmap(20, 10, &c);
    VRX_CreateBitmap(10, 10, &d);
    VRX_ClearColorBitmap(b, 0x80FF0000);
    EXPECT_EQ(static_cast<uint32_t *>(b.data)[199], 0x80FF0000u);
    VRX_ClearColorBitmap(d, 0x123456);

    CaptureStdout();
    VRX_CopyBitmap(b, c); // same byte size, other shape: raw copy
    VRX_CopyBitmap(b, d); // other size: nothing, silently
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(static_cast<uint32_t *>(c.data)[199], 0x80FF0000u);
    EXPECT_EQ(static_cast<uint32_t *>(d.data)[0], 0x123456u);

    VRX_ClearBitmap(c);
    EXPECT_EQ(static_cast<uint32_t *>(c.data)[0], 0u);
    EXPECT_EQ(static_cast<uint32_t *>(c.data)[199], 0u);

    CaptureStdout();
    VRX_DeleteBitmap(&d);
    VRX_DeleteBitmap(&d);
    VRX_CopyBitmap(b, d);
    VRX_ClearBitmap(d);
    VRX_ClearColorBitmap(d, 1);
    EXPECT_EQ(GetCapturedStdout(), "deleting bitmap\nbitmap has no data\n");
    EXPECT_EQ(d.data, nullptr);
    EXPECT_EQ(d.width, 10);

    CaptureStdout();
    VRX_DeleteBitmap(&a);
    VRX_DeleteBitmap(&b);
    VRX_DeleteBitmap(&c);
    GetCapturedStdout();
}

TEST_F(Mode32, ImpossibleSizesGiveNoData) {
    VRX_Bitmap b{};
    CaptureStdout();
    VRX_CreateBitmap(-5, 10, &b);
    EXPECT_EQ(b.data, nullptr);
    VRX_CreateBitmap(65536, 65536, &b);
    EXPECT_EQ(b.data, nullptr);
    std::string out = GetCapturedStdout();
    EXPECT_NE(out.find("graphics/bitmap.cpp("), std::string::npos);
    EXPECT_NE(out.find("): wrap_malloc("), std::string::npos);
    EXPECT_EQ(b.width, 65536);

    vrx_memory_fail_next(1);
    CaptureStdout();
    VRX_CreateBitmap(4, 4, &b);
    EXPECT_THAT(
        GetCapturedStdout(),
        testing::MatchesRegex("graphics/bitmap\\.cpp\\([0-9]+\\): wrap_malloc\\(64\\) failed!\n"));
    EXPECT_EQ(b.data, nullptr);
    EXPECT_EQ(b.size, 64u);
    EXPECT_EQ(b.pixels, 16);
}

TEST(PixelHelpers, AbsColor) {
    EXPECT_EQ(abscolor(-7), 7);
    EXPECT_EQ(abscolor(7), 7);
    uint32_t px = 0;
    VornBlit_BlitPixel32(&px, 0xDEADBEEF);
    EXPECT_EQ(VornBlit_GetPixel32(&px), 0xDEADBEEFu);
}
