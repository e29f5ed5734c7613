#include "graphics/draw_bitmap.h"
#include "depth_fixture.h"

using DrawScaled = Depth32;

// Zoom is in percent; the last pixel samples (size - 1) * step, step = (source size << 16) / size.
TEST_F(DrawScaled, ZoomSetsTheDrawnSize) {
    Pixels32 src(64, 32);
    src.pattern();
    struct Case {
        int32_t zoom, w, h;
    };
    for (auto c :
         {Case{100, 64, 32}, Case{150, 96, 48}, Case{0, 1, 1}, Case{50, 32, 16}, Case{-20, 1, 1}}) {
        Pixels32 dst(200, 100);
        VRX_DrawZoomedBitmap(10, 5, c.zoom, src.bm, dst.bm);
        const int32_t sx = (c.w - 1) * ((64 << 16) / c.w) >> 16;
        const int32_t sy = (c.h - 1) * ((32 << 16) / c.h) >> 16;
        EXPECT_EQ(dst.changed(), c.w * c.h) << c.zoom;
        EXPECT_EQ(dst.at(10, 5), src.at(0, 0)) << c.zoom;
        EXPECT_EQ(dst.at(10 + c.w - 1, 5 + c.h - 1), src.at(sx, sy)) << c.zoom;
    }
}

// Nearest pixel (filter 0 or below) or 2 x 2 blend (above 0), where the right edge, the last
// source row and the last drawn row blend with themselves. A width below 1 is taken as 1; a
// clipped start samples from where the position has got to.
TEST_F(DrawScaled, SamplesTheSource) {
    const uint32_t F = kFill;
    struct Case {
        int32_t sw, sh, dw, dh, x, y, w, h, filter;
        std::vector<uint32_t> src, out;
    };
    // clang-format off
    const Case cases[] = {
        {2, 1, 3, 2, 0, 0, 0, 2, 0, {1, 2}, {1, F, F, 1, F, F}},
        {4, 2, 6, 2, -3, -1, 8, 4, 0, {1, 2, 3, 4, 5, 6, 7, 8},
         {2, 3, 3, 4, 4, F, 6, 7, 7, 8, 8, F}},
        {2, 1, 4, 1, 0, 0, 4, 1, 1, {0x00, 0xFF}, {0x00, 0x7F, 0xFF, 0xFF}},
        {2, 1, 4, 1, 0, 0, 4, 1, -1, {0x00, 0xFF}, {0x00, 0x00, 0xFF, 0xFF}},
        {1, 2, 1, 4, 0, 0, 1, 4, 1, {0x0000, 0xFF00}, {0x0000, 0x7F00, 0xFF00, 0xFF00}},
        {1, 2, 1, 2, 0, 0, 1, 4, 1, {0x0000, 0xFF00}, {0x0000, 0x0000}},
        {1, 3, 1, 2, 0, 0, 1, 2, 1, {0x00, 0x40, 0xFF}, {0x00, 0x40}},
        // The far edges lie beyond 32 bits: the area still reaches the destination's edges.
        {2, 1, 3, 2, 1, 1, INT32_MAX, INT32_MAX, 0, {1, 2}, {F, F, F, F, 1, 1}},
    };
    // clang-format on
    for (const Case &c : cases) {
        Pixels32 src(c.sw, c.sh), dst(c.dw, c.dh);
        src.mem = c.src;
        VRX_DrawScaledBitmap(c.x, c.y, c.w, c.h, src.bm, dst.bm, c.filter);
        EXPECT_EQ(dst.mem, c.out) << &c - cases;
    }
}
