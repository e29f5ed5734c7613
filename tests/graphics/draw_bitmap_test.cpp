#include "graphics/draw_bitmap.h"
#include "depth_fixture.h"

#include <algorithm>
#include <unistd.h>

using DrawBitmap = Depth32;

TEST_F(DrawBitmap, CopiesTheIntersectionWithTheDestination) {
    Pixels32 pic(640, 480);
    pic.pattern();
    pic.mem[0] = 0, pic.mem[1] = 0x00FFFFFF; // no transparency: top byte 0 is copied too
    struct Case {
        int32_t x, y, srcx, srcy, cols, rows;
    };
    for (auto c : {Case{0, 0, 0, 0, 640, 480}, Case{-10, -20, 10, 20, 630, 460},
                   Case{637, 478, 0, 0, 3, 2}, Case{640, 0, 0, 0, 0, 0}, Case{0, -480, 0, 0, 0, 0},
                   Case{INT32_MAX, 0, 0, 0, 0, 0}, Case{0, INT32_MIN, 0, 0, 0, 0}}) {
        Pixels32 screen(640, 480);
        VRX_DrawBitmap(c.x, c.y, pic.bm, screen.bm);
        EXPECT_EQ(screen.changed(), c.cols * c.rows) << c.x << "," << c.y;
        for (int32_t j = 0; j < c.rows; j++) {
            const uint32_t *row = &screen.at(std::max(c.x, 0), std::max(c.y, 0) + j);
            ASSERT_TRUE(std::equal(row, row + c.cols, &pic.at(c.srcx, c.srcy + j))) << j;
        }
    }
}

TEST_F(DrawBitmap, NoDataIsReportedAndDrawsNothing) {
    Pixels32 src(4, 4, 1), dst(4, 4);
    void (*const ops[])(VRX_Bitmap, VRX_Bitmap) = {
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
    VRX_Bitmap liar = src.bm; // claims more rows than its data holds: drawn neither way
    liar.height = 400;
    for (auto op : ops) {
        EXPECT_EQ(printed([&] { op(src.no_data(), dst.bm), op(src.bm, dst.no_data()); }),
                  std::string(kNoData) + kNoData);
        op(liar, dst.bm), op(dst.bm, liar);
    }
    EXPECT_EQ(dst.changed(), 0);
    EXPECT_EQ(src.mem, std::vector<uint32_t>(16, 1));
    // The depth routines stop the program instead; the assertion prints to standard output.
    EXPECT_EXIT((dup2(2, 1), DrawBitmap32(0, 0, src.no_data(), dst.bm)), testing::ExitedWithCode(1),
                "graphics/bitmap\\.cpp\\(.+\\): assertion failed: src\\.data");
}

// {mode, d, s, result}: a 3 x 2 source of s at (0, 1) over a 2 x 3 destination of d. Mode 6
// does not read the destination; modes from 8 on copy.
TEST_F(DrawBitmap, BlendModesPickTheirKernel) {
    const uint32_t W = 0x00FFFFFF, R = 0x00400000;
    const uint32_t cases[][4] = {
        {0, W, R, R},          {1, W, 0, 0x007F7F7F}, {2, R, 0x00F08010, 0x00FF8010},
        {3, W, W, 0x00FEFEFE}, {4, 0, R, 0x00100000}, {5, 0, R, 0x00300000},
        {6, W, W, 0x007F7F7F}, {6, 0, W, 0x007F7F7F}, {7, W, 0, 0x7F7F7F7F},
        {8, W, R, R},          {9, W, R, R}};
    for (auto [mode, d, s, out] : cases) {
        Pixels32 src(3, 2, s), dst(2, 3, d);
        VRX_DrawBlendBitmap(0, 1, src.bm, dst.bm, uint8_t(mode));
        EXPECT_EQ(dst.mem, (std::vector<uint32_t>{d, d, out, out, out, out})) << mode;
    }
}

// Filter 2 blurs, 3 anti-aliases, others copy. Missing neighbours repeat the pixel; rows
// outside the drawn ones are never read.
TEST_F(DrawBitmap, FiltersStayWithinTheDrawnRows) {
    const uint32_t W = 0x00FFFFFF, G = 0x007F7F7F;
    struct Case {
        uint8_t filter;
        int32_t w, h, x, y, dw, dh;
        std::vector<uint32_t> src, out;
    };
    const Case cases[] = {
        {1, 3, 1, 0, 0, 3, 1, {4, 8, 16}, {4, 8, 16}},
        {2, 3, 1, 0, 0, 3, 1, {4, 8, 16}, {5, 9, 14}},
        {2, 3, 4, -1, -1, 2, 2, {252, 252, 252, 16, 4, 4, 4, 4, 4, 252, 252, 252}, {7, 4, 4, 4}},
        {2, 3, 1, 0, 0, 2, 1, {4, 8, 252}, {5, 68}}, // cut on the right: 252 is still a neighbour
        {3, 3, 3, 0, 0, 3, 3, {0, 0, 0, 0, 0, W, 0, W, 0}, {0, 0, 0, 0, G, W, 0, W, G}},
    };
    for (const Case &c : cases) {
        Pixels32 src(c.w, c.h), dst(c.dw, c.dh);
        src.mem = c.src;
        if (c.filter == 3) {
            VRX_DrawAntiAliasedBitmap(c.x, c.y, src.bm, dst.bm);
        } else {
            VRX_DrawFilteredBitmap(c.x, c.y, src.bm, dst.bm, c.filter);
        }
        EXPECT_EQ(dst.mem, c.out) << &c - cases;
    }
}

TEST_F(DrawBitmap, SixteenBitRoutinesDrawSixteenBitPixels) {
    set_depth(true);
    Pixels16 src(2, 1), dst(3, 2), mixed(2, 1, 0x7FFF), wide(4, 1);
    src.mem = {0x0000, 0x001F};
    VRX_DrawBitmap(1, 1, src.bm, dst.bm);
    EXPECT_EQ(dst.mem, (std::vector<uint16_t>{0x5678, 0x5678, 0x5678, 0x5678, 0, 0x1F}));
    VRX_DrawBlendBitmap(0, 0, src.bm, mixed.bm, 1);
    EXPECT_EQ(mixed.mem, (std::vector<uint16_t>{0x3DEF, 0x3DFE}));
    VRX_DrawFilteredBitmap(0, 0, src.bm, wide.bm, 2); // blue 0x1C in quarters
    EXPECT_EQ(wide.mem, (std::vector<uint16_t>{0x07, 0x15, 0x5678, 0x5678}));
    VRX_DrawScaledBitmap(0, 0, 4, 1, src.bm, wide.bm, 0);
    EXPECT_EQ(wide.mem, (std::vector<uint16_t>{0, 0, 0x1F, 0x1F}));
}
