#include "graphics/draw_bitmap.h"
#include "drawing_fixture.h"

#include <random>

namespace {
constexpr uint32_t kFill = 0x12345678;
using DrawRotated = DrawingDepth32;
using DrawRotatedDepth16 = DrawingDepth16;

// Where destination columns 100..110 take their source columns at angle 0.
constexpr int kMap[11] = {0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9};

Pixels32 rotated(int32_t angle, int32_t zoom, Pixels32 &src) {
    Pixels32 dst(300, 300, kFill);
    VRX_DrawRotatedBitmapZoom(100, 100, src.bm, dst.bm, angle, zoom);
    return dst;
}
} // namespace

TEST(RotationTable, HoldsTruncatedNegatedSines) {
    EXPECT_EQ(bitmaprotate_sincos[0], 0);
    EXPECT_EQ(bitmaprotate_sincos[1], -571);
    EXPECT_EQ(bitmaprotate_sincos[30], -16383);
    EXPECT_EQ(bitmaprotate_sincos[45], -23169);
    EXPECT_EQ(bitmaprotate_sincos[60], -28377);
    EXPECT_EQ(bitmaprotate_sincos[90], -32767);
    EXPECT_EQ(bitmaprotate_sincos[180], 0);
    EXPECT_EQ(bitmaprotate_sincos[270], 32767);
    EXPECT_EQ(bitmaprotate_sincos[449], -32762);
    // Half a turn negates; the last 90 entries repeat the first 90.
    for (int i = 0; i < 450; i++)
        ASSERT_EQ(bitmaprotate_sincos[i], -bitmaprotate_sincos[(i + 180) % 360]) << i;
    for (int i = 360; i < 450; i++) ASSERT_EQ(bitmaprotate_sincos[i], bitmaprotate_sincos[i - 360]);
}

TEST_F(DrawRotated, AngleZeroRepeatsTheCentreColumnAndRow) {
    Pixels32 src(10, 10);
    src.pattern();
    Pixels32 dst = rotated(0, 128, src);
    EXPECT_EQ(pixels_changed(dst, kFill), 11 * 11);
    for (int j = 0; j < 11; j++)
        for (int i = 0; i < 11; i++)
            ASSERT_EQ(dst.at(100 + i, 100 + j), src.at(kMap[i], kMap[j])) << i << "," << j;
    // VRX_DrawRotatedBitmap is the zoom-128 form; full turns and negative angles fold back.
    for (int angle : {360, -360, 720}) EXPECT_EQ(rotated(angle, 128, src).mem, dst.mem) << angle;
    Pixels32 plain(300, 300, kFill);
    VRX_DrawRotatedBitmap(100, 100, src.bm, plain.bm, 0);
    EXPECT_EQ(plain.mem, dst.mem);
}

TEST_F(DrawRotated, NinetyDegreesTurnsClockwise) {
    Pixels32 src(10, 10);
    src.pattern();
    Pixels32 dst = rotated(90, 128, src);
    EXPECT_EQ(pixels_changed(dst, kFill), 11 * 11);
    // The right edge lands on the bottom row, the bottom edge on the left column.
    for (int k = 0; k < 11; k++) {
        EXPECT_EQ(dst.at(100 + k, 110), src.at(9, kMap[10 - k]));
        EXPECT_EQ(dst.at(100, 100 + k), src.at(kMap[k], 9));
    }
    EXPECT_EQ(rotated(450, 128, src).mem, dst.mem);
    EXPECT_EQ(rotated(-270, 128, src).mem, dst.mem);
}

TEST_F(DrawRotated, ZoomZeroActsAsOne) {
    Pixels32 src(10, 10);
    src.pattern();
    Pixels32 dst = rotated(0, 0, src);
    EXPECT_EQ(pixels_changed(dst, kFill), 1);
    EXPECT_EQ(dst.at(105, 105), src.at(5, 5));
    EXPECT_EQ(rotated(0, 1, src).mem, dst.mem);
}

TEST_F(DrawRotated, PivotLandsOnTheSquareCentre) {
    Pixels32 src(10, 10);
    src.pattern();
    Pixels32 dst(300, 300, kFill);
    VRX_DrawRotatedBitmapXY(100, 100, src.bm, dst.bm, 0, 128, 0, 0);
    EXPECT_EQ(dst.at(105, 105), src.at(0, 0));
    EXPECT_EQ(dst.at(104, 105), kFill);
    EXPECT_EQ(dst.at(112, 112), src.at(6, 6)); // the square ends at 112
    EXPECT_EQ(pixels_changed(dst, kFill), 8 * 8);
}

TEST_F(DrawRotated, WideBitmapSquareFollowsTheWidth) {
    // 20 x 10: edge 30, centre (20, 20). Turned upright it needs 21 rows, more than a square
    // sized from the height would hold.
    Pixels32 src(20, 10), dst(40, 40, kFill);
    src.pattern();
    VRX_DrawRotatedBitmap(10, 15, src.bm, dst.bm, 90);
    EXPECT_EQ(pixels_changed(dst, kFill), 11 * 21);
    EXPECT_EQ(dst.at(15, 10), src.at(0, 9));
    EXPECT_EQ(dst.at(25, 30), src.at(19, 0));
}

TEST_F(DrawRotatedDepth16, AngleZeroInSixteenBits) {
    Pixels16 src(10, 10), dst(300, 300, 0x1111);
    for (size_t i = 0; i < src.mem.size(); i++) src.mem[i] = uint16_t(0x2000 + i);
    VRX_DrawRotatedBitmap(100, 100, src.bm, dst.bm, 0);
    EXPECT_EQ(pixels_changed(dst, uint16_t(0x1111)), 121);
    EXPECT_EQ(dst.at(106, 110), src.at(5, 9));
}

TEST_F(DrawRotated, EveryPixelOfTheSquareFollowsTheDirectFormula) {
    // Per square pixel (i, j): dx = i - r, dy = j - r, source = ((dx C - dy S) >> 8) + px and
    // ((dx S + dy C) >> 8) + py, with S = table[a] / z and C = -table[a + 90] / z.
    std::mt19937 rng(77);
    auto pick = [&](int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
    };
    for (int iter = 0; iter < 400; iter++) {
        const int32_t w = pick(1, 24), h = pick(1, 24), x = pick(-30, 40), y = pick(-30, 40);
        const int32_t angle = pick(-720, 720), zoom = pick(-300, 400);
        const int32_t px = pick(-8, 30), py = pick(-8, 30);
        Pixels32 src(w, h), dst(40, 36, kFill), expect(40, 36, kFill);
        src.pattern();
        VRX_DrawRotatedBitmapXY(x, y, src.bm, dst.bm, angle, zoom, px, py);

        const int32_t z = zoom == 0 ? 1 : zoom, a = ((angle % 360) + 360) % 360;
        const int32_t S = bitmaprotate_sincos[a] / z, C = -bitmaprotate_sincos[a + 90] / z;
        const int32_t D = (3 * (w > h ? w : h)) >> 1, r = D >> 1;
        const int32_t left = x - ((D - w) >> 1), top = y - ((D - h) >> 1);
        for (int32_t j = 0; j < D; j++)
            for (int32_t i = 0; i < D; i++) {
                const int32_t dx = i - r, dy = j - r;
                const int32_t sx = ((dx * C - dy * S) >> 8) + px,
                              sy = ((dx * S + dy * C) >> 8) + py;
                const int32_t tx = left + i, ty = top + j;
                if (tx < 0 || ty < 0 || tx >= 40 || ty >= 36) continue;
                if (sx >= 0 && sx < w && sy >= 0 && sy < h) expect.at(tx, ty) = src.at(sx, sy);
            }
        ASSERT_EQ(dst.mem, expect.mem) << w << "x" << h << " at " << x << "," << y << " angle "
                                       << angle << " zoom " << zoom << " pivot " << px << "," << py;
    }
}
