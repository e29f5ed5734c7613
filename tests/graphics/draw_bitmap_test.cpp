#include "depth_fixture.h"
#include "graphics/draw_bitmap.h"

#include <algorithm>
#include <random>
#include <unistd.h>

using DrawBitmap = Depth32;

TEST_F(DrawBitmap, CopiesTheIntersectionWithTheDestination) {
    Pixels32 pic(640, 480);
    pic.pattern();
    pic.mem[0] = 0, pic.mem[1] = 0x00FFFFFF; // no transparency: top byte 0 is copied too
    const int32_t cases[][6] = {{0, 0, 0, 0, 640, 480},    {-10, -20, 10, 20, 630, 460},
                                {637, 478, 0, 0, 3, 2},    {640, 0, 0, 0, 0, 0},
                                {0, -480, 0, 0, 0, 0},     {INT32_MAX, 0, 0, 0, 0, 0},
                                {0, INT32_MIN, 0, 0, 0, 0}};
    for (auto [x, y, srcx, srcy, cols, rows] : cases) {
        Pixels32 screen(640, 480);
        VRX_DrawBitmap(x, y, pic.bm, screen.bm);
        EXPECT_EQ(screen.changed(), cols * rows) << x << "," << y;
        for (int32_t j = 0; j < rows; j++)
            ASSERT_TRUE(std::equal(&pic.at(srcx, srcy + j), &pic.at(srcx, srcy + j) + cols,
                                   &screen.at(std::max(x, 0), std::max(y, 0) + j)))
                << j;
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
    const VRX_Bitmap liar{4, 400, src.bm.size, 16, src.bm.data}; // more rows than its data
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

// Zoom is in percent; the last pixel samples (size - 1) * step, step = (source size << 16) / size.
TEST_F(DrawBitmap, ZoomSetsTheDrawnSize) {
    Pixels32 src(64, 32);
    src.pattern();
    for (auto [zoom, w, h] :
         {std::array{100, 64, 32}, {150, 96, 48}, {0, 1, 1}, {77, 49, 24}, {-20, 1, 1}}) {
        Pixels32 dst(200, 100);
        VRX_DrawZoomedBitmap(10, 5, zoom, src.bm, dst.bm);
        const int32_t sx = (w - 1) * ((64 << 16) / w) >> 16, sy = (h - 1) * ((32 << 16) / h) >> 16;
        EXPECT_EQ(dst.changed(), w * h) << zoom;
        EXPECT_EQ(dst.at(10, 5), src.at(0, 0)) << zoom;
        EXPECT_EQ(dst.at(9 + w, 4 + h), src.at(sx, sy)) << zoom;
    }
}

// Filtered draws: filter 2 blurs, 3 anti-aliases, others copy; missing neighbours repeat the
// pixel, and rows outside the drawn ones are never read. Scaled draws to w x h: nearest pixel
// (filter 0 or below) or a 2 x 2 blend (above 0), where the right edge, the last source row and
// the last drawn row blend with themselves; a width below 1 is taken as 1, and a clipped start
// samples from where the position has got to.
TEST_F(DrawBitmap, FilteredAndScaledDrawsSampleTheSource) {
    const uint32_t F = kFill, W = 0x00FFFFFF, G = 0x007F7F7F;
    enum { FILTER, SCALE };
    struct Case {
        int kind, filter, sw, sh, dw, dh, x, y, w, h;
        std::vector<uint32_t> src, out;
    };
    // clang-format off
    const Case cases[] = {
        {FILTER, 1, 3, 1, 3, 1, 0, 0, 0, 0, {4, 8, 16}, {4, 8, 16}},
        {FILTER, 2, 3, 1, 3, 1, 0, 0, 0, 0, {4, 8, 16}, {5, 9, 14}},
        {FILTER, 2, 3, 4, 2, 2, -1, -1, 0, 0, {252, 252, 252, 16, 4, 4, 4, 4, 4, 252, 252, 252},
         {7, 4, 4, 4}},
        {FILTER, 2, 3, 1, 2, 1, 0, 0, 0, 0, {4, 8, 252}, {5, 68}}, // 252 cut off, still a neighbour
        {FILTER, 3, 3, 3, 3, 3, 0, 0, 0, 0, {0, 0, 0, 0, 0, W, 0, W, 0},
         {0, 0, 0, 0, G, W, 0, W, G}},
        {SCALE, 0, 2, 1, 3, 2, 0, 0, 0, 2, {1, 2}, {1, F, F, 1, F, F}},
        {SCALE, 0, 4, 2, 6, 2, -3, -1, 8, 4, {1, 2, 3, 4, 5, 6, 7, 8},
         {2, 3, 3, 4, 4, F, 6, 7, 7, 8, 8, F}},
        {SCALE, 1, 2, 1, 4, 1, 0, 0, 4, 1, {0x00, 0xFF}, {0x00, 0x7F, 0xFF, 0xFF}},
        {SCALE, -1, 2, 1, 4, 1, 0, 0, 4, 1, {0x00, 0xFF}, {0x00, 0x00, 0xFF, 0xFF}},
        {SCALE, 1, 1, 2, 1, 4, 0, 0, 1, 4, {0x0000, 0xFF00}, {0x0000, 0x7F00, 0xFF00, 0xFF00}},
        {SCALE, 1, 1, 2, 1, 2, 0, 0, 1, 4, {0x0000, 0xFF00}, {0x0000, 0x0000}},
        {SCALE, 1, 1, 3, 1, 2, 0, 0, 1, 2, {0x00, 0x40, 0xFF}, {0x00, 0x40}},
        // The far edges lie beyond 32 bits: the area still reaches the destination's edges.
        {SCALE, 0, 2, 1, 3, 2, 1, 1, INT32_MAX, INT32_MAX, {1, 2}, {F, F, F, F, 1, 1}},
    };
    // clang-format on
    for (const Case &c : cases) {
        Pixels32 src(c.sw, c.sh), dst(c.dw, c.dh);
        src.mem = c.src;
        if (c.kind == SCALE) VRX_DrawScaledBitmap(c.x, c.y, c.w, c.h, src.bm, dst.bm, c.filter);
        if (c.kind == FILTER && c.filter == 3) VRX_DrawAntiAliasedBitmap(c.x, c.y, src.bm, dst.bm);
        if (c.kind == FILTER && c.filter != 3)
            VRX_DrawFilteredBitmap(c.x, c.y, src.bm, dst.bm, uint8_t(c.filter));
        EXPECT_EQ(dst.mem, c.out) << &c - cases;
    }
}

TEST(RotationTable, HoldsTruncatedNegatedSines) {
    const int32_t rows[][2] = {{0, 0},       {1, -571}, {30, -16383}, {45, -23169}, {60, -28377},
                               {90, -32767}, {180, 0},  {270, 32767}, {449, -32762}};
    for (auto [i, v] : rows) EXPECT_EQ(bitmaprotate_sincos[i], v) << i;
}

// A 10 x 10 bitmap at (100, 100) changes (100..110)^2: C = 255 and the shifts round down, so
// the centre column and row are taken twice. 90 degrees turns it clockwise.
TEST_F(DrawBitmap, RotatedTenByTenTurnsAboutItsCentre) {
    const int k[11] = {0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9};
    Pixels32 src(10, 10);
    src.pattern();
    for (int32_t angle : {0, 360, -360, 90, 450, -270}) {
        Pixels32 dst(120, 120);
        VRX_DrawRotatedBitmap(100, 100, src.bm, dst.bm, angle);
        EXPECT_EQ(dst.changed(), 11 * 11) << angle;
        for (int j = 0; j < 11; j++)
            for (int i = 0; i < 11; i++)
                ASSERT_EQ(dst.at(100 + i, 100 + j),
                          angle % 180 ? src.at(k[j], k[10 - i]) : src.at(k[i], k[j]))
                    << angle << ": " << i << "," << j;
    }
    // Zoom 0 is zoom 1: the bitmap shrinks to its centre pixel.
    Pixels32 tiny(120, 120);
    VRX_DrawRotatedBitmapZoom(100, 100, src.bm, tiny.bm, 0, 0);
    EXPECT_EQ(tiny.changed(), 1);
    EXPECT_EQ(tiny.at(105, 105), src.at(5, 5));
}

TEST_F(DrawBitmap, RotatedEveryPixelOfTheSquareFollowsTheDirectFormula) {
    // Per square pixel (i, j): dx = i - r, dy = j - r, source = ((dx C - dy S) >> 8) + px and
    // ((dx S + dy C) >> 8) + py, with S = table[a] / z and C = -table[a + 90] / z.
    std::mt19937 rng(77);
    auto pick = [&](int32_t lo, int32_t hi) { return int32_t(rng() % (hi - lo + 1)) + lo; };
    for (int iter = 0; iter < 400; iter++) {
        const int32_t w = pick(1, 24), h = pick(1, 24), x = pick(-30, 40), y = pick(-30, 40);
        const int32_t angle = pick(-720, 720), zoom = pick(-300, 400);
        const int32_t px = pick(-8, 30), py = pick(-8, 30);
        Pixels32 src(w, h), dst(40, 36), expect(40, 36);
        src.pattern();
        VRX_DrawRotatedBitmapXY(x, y, src.bm, dst.bm, angle, zoom, px, py);
        const int32_t z = zoom == 0 ? 1 : zoom, a = ((angle % 360) + 360) % 360;
        const int32_t S = bitmaprotate_sincos[a] / z, C = -bitmaprotate_sincos[a + 90] / z;
        const int32_t D = (3 * (w > h ? w : h)) >> 1, r = D >> 1;
        const int32_t left = x - ((D - w) >> 1), top = y - ((D - h) >> 1);
        for (int32_t j = 0; j < D; j++)
            for (int32_t i = 0; i < D; i++) {
                const int32_t dx = i - r, dy = j - r, tx = left + i, ty = top + j,
                              sx = ((dx * C - dy * S) >> 8) + px,
                              sy = ((dx * S + dy * C) >> 8) + py;
                if (tx < 0 || ty < 0 || tx >= 40 || ty >= 36) continue;
                if (sx >= 0 && sx < w && sy >= 0 && sy < h) expect.at(tx, ty) = src.at(sx, sy);
            }
        ASSERT_EQ(dst.mem, expect.mem) << w << "x" << h << " at " << x << "," << y << " angle "
                                       << angle << " zoom " << zoom << " pivot " << px << "," << py;
    }
}
