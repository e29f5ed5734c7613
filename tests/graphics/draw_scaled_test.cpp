#include "graphics/draw_bitmap.h"
#include "drawing_fixture.h"

#include <algorithm>
#include <array>

namespace {
constexpr uint32_t kFill = 0x12345678;
using DrawScaled = DrawingDepth32;
using DrawScaledDepth16 = DrawingDepth16;

// Bounding box of the pixels that changed: {left, top, width, height}.
std::array<int32_t, 4> drawn_box(Pixels32 &p) {
    int32_t l = INT32_MAX, t = INT32_MAX, r = -1, b = -1;
    for (int32_t y = 0; y < p.bm.height; y++)
        for (int32_t x = 0; x < p.bm.width; x++)
            if (p.at(x, y) != kFill) {
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
            }
    return {l, t, r - l + 1, b - t + 1};
}
} // namespace

TEST_F(DrawScaled, ZoomSetsTheDrawnSize) {
    Pixels32 src(64, 32);
    src.pattern();
    struct Case {
        int32_t zoom, w, h;
    };
    for (auto c :
         {Case{100, 64, 32}, Case{150, 96, 48}, Case{0, 1, 1}, Case{50, 32, 16}, Case{-20, 1, 1}}) {
        Pixels32 dst(200, 100, kFill);
        VRX_DrawZoomedBitmap(10, 5, c.zoom, src.bm, dst.bm);
        EXPECT_EQ(drawn_box(dst), (std::array<int32_t, 4>{10, 5, c.w, c.h})) << c.zoom;
        EXPECT_EQ(pixels_changed(dst, kFill), c.w * c.h) << c.zoom;
        EXPECT_EQ(dst.at(10, 5), src.at(0, 0));
        // The last pixel samples (size - 1) * step, step = (source size << 16) / size.
        const int32_t sx = (c.w - 1) * ((64 << 16) / c.w) >> 16;
        const int32_t sy = (c.h - 1) * ((32 << 16) / c.h) >> 16;
        EXPECT_EQ(dst.at(10 + c.w - 1, 5 + c.h - 1), src.at(sx, sy)) << c.zoom;
    }
}

TEST_F(DrawScaled, WidthBelowOneDrawsOneColumn) {
    Pixels32 src(8, 8), dst(20, 20, kFill);
    src.pattern();
    VRX_DrawScaledBitmap(3, 4, 0, 10, src.bm, dst.bm, 0);
    EXPECT_EQ(drawn_box(dst), (std::array<int32_t, 4>{3, 4, 1, 10}));
    VRX_DrawScaledBitmap(3, 4, 5, -7, src.bm, dst.bm, 1);
    EXPECT_EQ(pixels_changed(dst, kFill), 10 + 4);
}

TEST_F(DrawScaled, ClippedStartSamplesFromTheRightPosition) {
    Pixels32 src(4, 2), dst(6, 3, kFill);
    src.mem = {10, 11, 12, 13, 20, 21, 22, 23};
    // 8 x 4 at (-3, -1): step one half; column 0 samples position 1.5, row 0 position 0.5.
    VRX_DrawScaledBitmap(-3, -1, 8, 4, src.bm, dst.bm, 0);
    EXPECT_EQ(std::vector<uint32_t>(dst.mem.begin(), dst.mem.begin() + 5),
              (std::vector<uint32_t>{11, 12, 12, 13, 13}));
    EXPECT_EQ(dst.at(0, 1), 21u);
    EXPECT_EQ(dst.at(5, 2), kFill);
    for (auto [x, y] :
         std::initializer_list<std::pair<int32_t, int32_t>>{{6, 0}, {0, 3}, {-8, 0}, {0, -4}})
        VRX_DrawScaledBitmap(x, y, 8, 4, src.bm, dst.bm, 0);
    EXPECT_EQ(dst.at(5, 0), kFill);
}

TEST_F(DrawScaled, BilinearBlendsAndRepeatsTheRightEdge) {
    Pixels32 src(2, 1), dst(4, 1, kFill);
    src.mem = {0x00, 0xFF};
    VRX_DrawScaledBitmap(0, 0, 4, 1, src.bm, dst.bm, 1);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0x00, 0x7F, 0xFF, 0xFF}));
    // Only positive filters blend.
    VRX_DrawScaledBitmap(0, 0, 4, 1, src.bm, dst.bm, -1);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0x00, 0x00, 0xFF, 0xFF}));
}

TEST_F(DrawScaled, BilinearRepeatsTheLastSourceRow) {
    Pixels32 src(1, 2), dst(1, 4, kFill);
    src.mem = {0x0000, 0xFF00};
    VRX_DrawScaledBitmap(0, 0, 1, 4, src.bm, dst.bm, 1);
    EXPECT_EQ(dst.mem, (std::vector<uint32_t>{0x0000, 0x7F00, 0xFF00, 0xFF00}));
    // Clipped at the bottom: the last drawn row blends with itself.
    Pixels32 cut(1, 2, kFill);
    VRX_DrawScaledBitmap(0, 0, 1, 4, src.bm, cut.bm, 1);
    EXPECT_EQ(cut.mem, (std::vector<uint32_t>{0x0000, 0x0000}));
    // Shrunk: the last drawn row sits at 1.5 yet still blends with itself, not source row 2.
    Pixels32 three(1, 3), half(1, 2, kFill);
    three.mem = {0x00, 0x40, 0xFF};
    VRX_DrawScaledBitmap(0, 0, 1, 2, three.bm, half.bm, 1);
    EXPECT_EQ(half.mem, (std::vector<uint32_t>{0x00, 0x40}));
}

TEST_F(DrawScaledDepth16, NearestAndBilinearInSixteenBits) {
    Pixels16 src(2, 1), dst(4, 1, 0x1111);
    src.mem = {0x0000, 0x001F};
    VRX_DrawScaledBitmap(0, 0, 4, 1, src.bm, dst.bm, 0);
    EXPECT_EQ(dst.mem, (std::vector<uint16_t>{0, 0, 0x1F, 0x1F}));
    VRX_DrawScaledBitmap(0, 0, 4, 1, src.bm, dst.bm, 1);
    EXPECT_EQ(dst.mem, (std::vector<uint16_t>{0, 0x0F, 0x1F, 0x1F}));
}
