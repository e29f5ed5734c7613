#include "graphics/draw_bitmap.h"
#include "drawing_fixture.h"

#include <functional>
#include <unistd.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {
constexpr uint32_t kFill = 0x12345678;
using DrawBitmap = DrawingDepth32;
using DrawBitmapDepth16 = DrawingDepth16;
} // namespace

TEST_F(DrawBitmap, CopiesWholePictureAndClipsAtNegativeOrigin) {
    Pixels32 pic(640, 480), screen(640, 480, kFill);
    pic.pattern();
    VRX_DrawBitmap(0, 0, pic.bm, screen.bm);
    EXPECT_EQ(screen.mem, pic.mem);

    Pixels32 clipped(640, 480, kFill);
    VRX_DrawBitmap(-10, -20, pic.bm, clipped.bm);
    EXPECT_EQ(pixels_changed(clipped, kFill), 460 * 630);
    for (int y = 0; y < 460; y++)
        for (int x = 0; x < 630; x++) ASSERT_EQ(clipped.at(x, y), pic.at(x + 10, y + 20));
}

TEST_F(DrawBitmap, ClipsAtRightAndBottomAndSkipsOffScreen) {
    Pixels32 src(8, 8), dst(20, 10, kFill);
    src.pattern();
    VRX_DrawBitmap(17, 8, src.bm, dst.bm);
    EXPECT_EQ(pixels_changed(dst, kFill), 3 * 2);
    EXPECT_EQ(dst.at(19, 9), src.at(2, 1));
    for (auto [x, y] : std::initializer_list<std::pair<int32_t, int32_t>>{
             {20, 0}, {0, 10}, {-8, 0}, {0, -8}, {INT32_MAX, 0}, {0, INT32_MIN}})
        VRX_DrawBitmap(x, y, src.bm, dst.bm);
    EXPECT_EQ(pixels_changed(dst, kFill), 6);

    Pixels32 pic(640, 480, 7), screen(640, 480, kFill);
    VRX_DrawBitmap(640, 0, pic.bm, screen.bm);
    VRX_DrawBitmap(0, -480, pic.bm, screen.bm);
    EXPECT_EQ(pixels_changed(screen, kFill), 0);
}

TEST_F(DrawBitmap, HasNoTransparency) {
    Pixels32 src(2, 1, 0x00FFFFFF), dst(2, 1, kFill);
    src.mem[1] = 0;
    VRX_DrawBitmap(0, 0, src.bm, dst.bm);
    EXPECT_EQ(dst.mem, src.mem);
}

TEST_F(DrawBitmap, EveryEntryPointRefusesBitmapsWithoutData) {
    Pixels32 src(4, 4, 1), dst(4, 4, kFill);
    VRX_Bitmap none = src.bm;
    none.data = nullptr;
    std::vector<std::function<void(VRX_Bitmap, VRX_Bitmap)>> ops = {
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawBitmap(0, 0, s, d); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawBlendBitmap(0, 0, s, d, 1); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawFilteredBitmap(0, 0, s, d, 2); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawAntiAliasedBitmap(0, 0, s, d); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawScaledBitmap(0, 0, 4, 4, s, d, 1); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawZoomedBitmap(0, 0, 100, s, d); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawRotatedBitmap(0, 0, s, d, 0); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawRotatedBitmapZoom(0, 0, s, d, 0, 128); },
        [](VRX_Bitmap s, VRX_Bitmap d) { VRX_DrawRotatedBitmapXY(0, 0, s, d, 0, 128, 2, 2); },
    };
    for (auto &op : ops) {
        CaptureStdout();
        op(none, dst.bm);
        op(src.bm, none);
        EXPECT_EQ(GetCapturedStdout(), "bitmap has no data\nbitmap has no data\n");
    }
    EXPECT_EQ(pixels_changed(dst, kFill), 0);
}

TEST_F(DrawBitmap, DepthRoutineStopsOnMissingSourceData) {
    Pixels32 dst(4, 4);
    VRX_Bitmap none{4, 4, 64, 16, nullptr};
    // The assertion prints to standard output; send it where the death test looks.
    EXPECT_EXIT((dup2(2, 1), DrawBitmap32(0, 0, none, dst.bm)), testing::ExitedWithCode(1),
                "graphics/bitmap\\.cpp\\([0-9]+\\): assertion failed: src\\.data");
    EXPECT_EXIT((dup2(2, 1), DrawRotatedBitmapXY16(0, 0, none, dst.bm, 0, 1, 0, 0)),
                testing::ExitedWithCode(1), "assertion failed: src\\.data");
}

TEST_F(DrawBitmap, RecordClaimingMorePixelsThanItsDataIsNotDrawn) {
    Pixels32 src(4, 4, 1), dst(4, 4, kFill);
    VRX_Bitmap liar = src.bm;
    liar.height = 400;
    VRX_DrawBitmap(0, 0, liar, dst.bm);
    VRX_DrawBitmap(0, 0, src.bm, liar);
    EXPECT_EQ(pixels_changed(dst, kFill), 0);
    EXPECT_EQ(src.mem, std::vector<uint32_t>(16, 1));
}

TEST_F(DrawBitmap, BlendModesCombineDestinationAndSource) {
    const uint32_t d0 = 0x00FFFFFF, s0 = 0x00400000;
    auto blend = [&](uint8_t mode, uint32_t d, uint32_t s) {
        Pixels32 src(1, 1, s), dst(1, 1, d);
        VRX_DrawBlendBitmap(0, 0, src.bm, dst.bm, mode);
        return dst.mem[0];
    };
    EXPECT_EQ(blend(0, d0, s0), s0);
    EXPECT_EQ(blend(1, d0, 0), 0x007F7F7Fu);
    EXPECT_EQ(blend(2, 0x00F08010, 0x00208010), 0x00FFFF20u);
    EXPECT_EQ(blend(3, d0, d0), 0x00FEFEFEu);
    EXPECT_EQ(blend(4, 0, s0), 0x00100000u); // 3/4 destination
    EXPECT_EQ(blend(5, 0, s0), 0x00300000u); // 3/4 source
    EXPECT_EQ(blend(6, d0, d0), 0x007F7F7Fu);
    EXPECT_EQ(blend(6, 0, d0), 0x007F7F7Fu); // destination not read
    EXPECT_EQ(blend(7, d0, 0), 0x7F7F7F7Fu);
    for (int mode : {8, 9, 255}) EXPECT_EQ(blend(uint8_t(mode), d0, s0), s0);
}

TEST_F(DrawBitmap, FiltersOtherThanBlurAndAntiAliasCopy) {
    Pixels32 src(6, 5);
    src.pattern();
    for (int filter : {0, 1, 4, 255}) {
        Pixels32 dst(6, 5, kFill);
        VRX_DrawFilteredBitmap(0, 0, src.bm, dst.bm, uint8_t(filter));
        EXPECT_EQ(dst.mem, src.mem) << filter;
    }
}

TEST_F(DrawBitmap, BlurRepeatsEdgePixelsAndRows) {
    // One row: left/right edges repeat the pixel, up/down are the row itself.
    Pixels32 row(3, 1), out(3, 1);
    row.mem = {0x04, 0x08, 0x10};
    VRX_DrawFilteredBitmap(0, 0, row.bm, out.bm, 2);
    EXPECT_EQ(out.mem, (std::vector<uint32_t>{5, 9, 14}));
    // One column: the same numbers through the up and down offsets.
    Pixels32 col(1, 3), out2(1, 3);
    col.mem = {0x04, 0x08, 0x10};
    VRX_DrawFilteredBitmap(0, 0, col.bm, out2.bm, 2);
    EXPECT_EQ(out2.mem, (std::vector<uint32_t>{5, 9, 14}));
    // A flat picture stays flat right up to its borders.
    Pixels32 flat(7, 4, 0x00404040), out3(7, 4);
    VRX_DrawFilteredBitmap(0, 0, flat.bm, out3.bm, 2);
    EXPECT_EQ(out3.mem, flat.mem);
}

TEST_F(DrawBitmap, FilterReadsOnlyTheDrawnRowsVertically) {
    // Drawn from source row 1: row 0 (huge values) must not reach the first drawn row, while
    // the real left neighbour in the source is used.
    Pixels32 src(3, 3, 0x04), dst(2, 2);
    for (int x = 0; x < 3; x++) src.at(x, 0) = 0xFC;
    src.at(0, 1) = 0x10;
    VRX_DrawFilteredBitmap(-1, -1, src.bm, dst.bm, 2);
    EXPECT_EQ(dst.at(0, 0), (0x10u + 0x04 + 0x04 + 0x04) >> 2);
}

TEST_F(DrawBitmap, AntiAliasSmoothsStrongEdgesOnly) {
    Pixels32 src(3, 3, 0), dst(3, 3, kFill);
    src.at(2, 1) = 0x00FFFFFF; // right of centre
    src.at(1, 2) = 0x00FFFFFF; // below centre
    VRX_DrawAntiAliasedBitmap(0, 0, src.bm, dst.bm);
    EXPECT_EQ(dst.at(1, 1), 0x007F7F7Fu);
    Pixels32 flat(4, 3, 0x00808080), out(4, 3);
    VRX_DrawFilteredBitmap(0, 0, flat.bm, out.bm, 3);
    EXPECT_EQ(out.mem, flat.mem);
}

TEST_F(DrawBitmapDepth16, PlainBlendAndFilterUseSixteenBitPixels) {
    Pixels16 src(3, 2), dst(4, 4, 0x1111);
    src.mem = {0x7FFF, 1, 2, 3, 4, 5};
    VRX_DrawBitmap(1, 2, src.bm, dst.bm);
    EXPECT_EQ(dst.at(1, 2), 0x7FFF);
    EXPECT_EQ(dst.at(3, 3), 5);
    EXPECT_EQ(pixels_changed(dst, uint16_t(0x1111)), 6);
    Pixels16 white(1, 1, 0x7FFF), black(1, 1, 0);
    VRX_DrawBlendBitmap(0, 0, white.bm, black.bm, 1);
    EXPECT_EQ(black.mem[0], 0x3DEF);
    Pixels16 flat(5, 3, 0x2108), out(5, 3);
    VRX_DrawFilteredBitmap(0, 0, flat.bm, out.bm, 2);
    EXPECT_EQ(out.mem, flat.mem);
}
