#include "graphics/effects.h"
#include "drawing_fixture.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {
constexpr uint32_t kFill = 0x12345678;
using Effects = DrawingDepth32;
using EffectsDepth16 = DrawingDepth16;
} // namespace

TEST_F(Effects, GreyWritesOpaqueLumaAndChecksTheSource) {
    Pixels32 src(4, 1), dst(4, 1, kFill);
    src.mem = {0x00FFFFFF, 0x00000000, 0x00FF0000, 0x8000FF00};
    VRX_GreyBitmap(src.bm, dst.bm);
    // g = (77 r + 150 g + 29 b) >> 8
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFF4C4C4C, 0xFF959595}));
    VRX_GreyBitmap(src.bm, src.bm); // in place
    EXPECT_EQ(src.mem, dst.mem);

    Pixels32 small(2, 1), big(4, 1, kFill);
    VRX_Bitmap none = big.bm;
    none.data = nullptr;
    CaptureStdout();
    VRX_GreyBitmap(small.bm, big.bm); // too few source pixels to read
    VRX_GreyBitmap(none, big.bm);
    EXPECT_EQ(GetCapturedStdout(), "bitmap has no data\nbitmap has no data\n");
    EXPECT_EQ(pixels_changed(big, kFill), 0);
}

TEST_F(EffectsDepth16, GreyDoesNothingInSixteenBits) {
    Pixels16 src(2, 2, 0x7FFF), dst(2, 2, 0x1234);
    CaptureStdout();
    VRX_GreyBitmap(src.bm, dst.bm);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(pixels_changed(dst, uint16_t(0x1234)), 0);
}

TEST_F(Effects, BlendModesAndSilentRefusals) {
    auto blend = [](uint8_t mode, uint32_t a, uint32_t b) {
        Pixels32 pa(2, 2, a), pb(2, 2, b), d(2, 2, kFill);
        VRX_BlendBitmap(pa.bm, pb.bm, d.bm, mode);
        return d.mem[3];
    };
    EXPECT_EQ(blend(0, 5, 9), 5u);
    EXPECT_EQ(blend(1, 0x00FFFFFF, 0), 0x007F7F7Fu);
    EXPECT_EQ(blend(2, 0x00F08010, 0x00208010), 0x00FFFF20u);
    EXPECT_EQ(blend(3, 0x00FFFFFF, 0x00FFFFFF), 0x00FEFEFEu);
    EXPECT_EQ(blend(4, 0x00400000, 0), 0x00300000u);
    EXPECT_EQ(blend(5, 0x00400000, 0), 0x00100000u);
    EXPECT_EQ(blend(6, 0x00FFFFFF, 9), 0x007F7F7Fu);
    EXPECT_EQ(blend(7, 0, 9), 0x7F7F7F7Fu);
    EXPECT_EQ(blend(8, 5, 9), kFill);

    Pixels32 a(2, 2, 1), b(1, 1, 2), other(4, 2, 3), d(2, 2, kFill);
    CaptureStdout();
    VRX_BlendBitmap(other.bm, a.bm, d.bm, 1); // A of another size
    VRX_BlendBitmap(a.bm, b.bm, d.bm, 1);     // B too small to read
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(pixels_changed(d, kFill), 0);
    // Modes that read only A still run with a small B.
    VRX_BlendBitmap(a.bm, b.bm, d.bm, 0);
    EXPECT_EQ(d.mem, std::vector<uint32_t>(4, 1));
    VRX_BlendBitmap(a.bm, b.bm, d.bm, 6);
    EXPECT_EQ(d.mem, std::vector<uint32_t>(4, 0));
}

TEST_F(Effects, FadeModesAndSizeMismatch) {
    Pixels32 src(2, 1), dst(2, 1);
    src.mem = {0x00123456, 0x00FFFFFF};
    VRX_FadeBitmap(src.bm, dst.bm, 255, 0);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0xFF123456, 0xFFFFFFFF}));
    VRX_FadeBitmap(src.bm, dst.bm, 0, 1);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF}));
    dst.mem = {0, 0};
    VRX_FadeBitmap(src.bm, dst.bm, 255, 2); // destination x 0 + source x 255, over 256
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0x00113355, 0x00FEFEFE}));
    // Mode 3 wipes the source in where its own blue byte is at most the level.
    dst.mem = {kFill, kFill};
    VRX_FadeBitmap(src.bm, dst.bm, 0x60, 3);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0x00123456, kFill}));
    VRX_FadeBitmap(src.bm, dst.bm, 0, 4);
    EXPECT_EQ(dst.mem[1], kFill);

    Pixels32 big(640, 480, 1), small(320, 240, kFill);
    CaptureStdout();
    VRX_FadeBitmap(big.bm, small.bm, 128, 0);
    EXPECT_EQ(GetCapturedStdout(), "bitmap has no data\n");
    EXPECT_EQ(pixels_changed(small, kFill), 0);
}

TEST_F(Effects, CrossfadeWeightsBothPicturesOver256) {
    Pixels32 a(2, 1, 0x00FFFFFF), b(2, 1, 0), d(2, 1);
    VRX_CrossfadeBitmap(a.bm, b.bm, d.bm, 0);
    EXPECT_EQ(d.mem[0], 0x00FEFEFEu);
    VRX_CrossfadeBitmap(b.bm, a.bm, d.bm, 255);
    EXPECT_EQ(d.mem[1], 0x00FEFEFEu);

    Pixels32 other(3, 1), tiny(1, 1), out(2, 1, kFill);
    CaptureStdout();
    VRX_CrossfadeBitmap(other.bm, b.bm, out.bm, 9);
    VRX_CrossfadeBitmap(a.bm, tiny.bm, out.bm, 9);
    EXPECT_EQ(GetCapturedStdout(), "bitmap has no data\nbitmap has no data\n");
    EXPECT_EQ(pixels_changed(out, kFill), 0);
}

TEST_F(Effects, AlphawipeRevealsByTheMaskBlueChannel) {
    Pixels32 src(3, 1, 0xFFABCDEF), mask(3, 1), d(3, 1, kFill);
    mask.mem = {0x00FFFF00, 0x00000080, 0x000000FF};
    VRX_AlphawipeBitmap(src.bm, mask.bm, d.bm, 0);
    EXPECT_EQ(d.mem, (std::vector<uint32_t>{0xFFABCDEF, kFill, kFill}));
    VRX_AlphawipeBitmap(src.bm, mask.bm, d.bm, 255);
    EXPECT_EQ(d.mem, src.mem);

    Pixels32 other(2, 1), tiny(1, 1), out(3, 1, kFill);
    CaptureStdout();
    VRX_AlphawipeBitmap(other.bm, mask.bm, out.bm, 255);
    VRX_AlphawipeBitmap(src.bm, tiny.bm, out.bm, 255);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(pixels_changed(out, kFill), 0);
}

TEST_F(EffectsDepth16, SixteenBitKernelsAreUsed) {
    Pixels16 a(2, 1, 0x7FFF), b(2, 1, 0), d(2, 1);
    VRX_BlendBitmap(a.bm, b.bm, d.bm, 1);
    EXPECT_EQ(d.mem[0], 0x3DEF);
    VRX_FadeBitmap(a.bm, d.bm, 255, 0);
    EXPECT_EQ(d.mem[0], 0x7BDE); // every channel 31 -> 30
    VRX_CrossfadeBitmap(a.bm, b.bm, d.bm, 0);
    EXPECT_EQ(d.mem[0], 0x7BDE);
}
