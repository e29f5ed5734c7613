#include "base/memory.h"
#include "depth_fixture.h"

#include <gmock/gmock.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST_F(Depth16, ConversionsIn555And565AndTwoBytePixels) {
    EXPECT_EQ(VornBlit_color24to16(0xFF8040), 0x7E08u);
    EXPECT_EQ(VornBlit_color24to16(0xAB0000FF), 0x001Fu); // the top byte is ignored
    EXPECT_EQ(VornBlit_color16to24(0x7FFF), 0xFFF8F8F8u);
    EXPECT_EQ(VornBlit_color16to24(0), 0xFF000000u);
    uint16_t px = 0;
    VornBlit_BlitPixel16(&px, 0xFF8040);
    EXPECT_EQ(VornBlit_GetPixel16(&px), 0xFFF88040u);
    VRX_Bitmap b{};
    VRX_CreateBitmap(640, 480, &b);
    EXPECT_EQ(b.size, 614400u);
    VRX_ClearColorBitmap(b, 0xFF8040);
    EXPECT_EQ(static_cast<uint16_t *>(b.data)[307199], 0x7E08);
    printed([&] { VRX_DeleteBitmap(&b); });
    VornBlit_Initialise(5, 6, 5, 11, 5, 0);
    EXPECT_EQ(VornBlit_color24to16(0x08FC08), 0x0FE1u);
    EXPECT_EQ(VornBlit_color16to24(0xFFFF), 0xFFF8FCF8u);
}

TEST_F(Depth32, CreateCopyClearDeleteAndTheirMessages) {
    const uint32_t in_use = g_mem_in_use;
    VRX_Bitmap a{}, b{}, c{}, d{};
    VRX_CreateBitmap(640, 480, &a);
    EXPECT_EQ(a.size, 1228800u);
    EXPECT_EQ(a.pixels, 307200);
    EXPECT_GE(g_mem_in_use, in_use + a.size);
    VRX_CreateBitmap(10, 20, &b);
    VRX_CreateBitmap(20, 10, &c);
    VRX_CreateBitmap(10, 10, &d);
    VRX_ClearColorBitmap(b, 0x80FF0000);
    VRX_ClearColorBitmap(d, 0x123456);
    CaptureStdout();
    VRX_CopyBitmap(b, c); // same byte size, other shape: raw copy
    VRX_CopyBitmap(b, d); // other size: nothing, silently
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(static_cast<uint32_t *>(c.data)[199], 0x80FF0000u);
    EXPECT_EQ(static_cast<uint32_t *>(d.data)[0], 0x123456u);
    VRX_ClearBitmap(c);
    EXPECT_EQ(static_cast<uint32_t *>(c.data)[199], 0u);
    CaptureStdout();
    VRX_DeleteBitmap(&d);
    VRX_DeleteBitmap(&d);
    VRX_CopyBitmap(b, d);
    VRX_ClearBitmap(d);
    VRX_ClearColorBitmap(d, 1);
    EXPECT_EQ(GetCapturedStdout(), "deleting bitmap\nbitmap has no data\n");
    printed([&] { VRX_DeleteBitmap(&a), VRX_DeleteBitmap(&b), VRX_DeleteBitmap(&c); });
    EXPECT_EQ(g_mem_in_use, in_use);
}

TEST_F(Depth32, FailedAllocationsLeaveAFilledRecordWithoutData) {
    VRX_Bitmap b{};
    CaptureStdout();
    VRX_CreateBitmap(-5, 10, &b);
    EXPECT_EQ(b.data, nullptr);
    VRX_CreateBitmap(65536, 65536, &b);
    EXPECT_EQ(b.data, nullptr);
    vrx_memory_fail_next(1);
    VRX_CreateBitmap(4, 4, &b);
    EXPECT_THAT(GetCapturedStdout(), testing::ContainsRegex("graphics/bitmap\\.cpp\\(.+\\): "
                                                            "wrap_malloc\\(64\\) failed!\n$"));
    EXPECT_EQ(b.data, nullptr);
    EXPECT_EQ(b.size, 64u);
    EXPECT_EQ(b.pixels, 16);
}
