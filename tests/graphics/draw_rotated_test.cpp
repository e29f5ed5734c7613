#include "graphics/draw_bitmap.h"
#include "depth_fixture.h"

#include <random>

using DrawRotated = Depth32;

TEST(RotationTable, HoldsTruncatedNegatedSines) {
    const int32_t rows[][2] = {{0, 0},       {1, -571}, {30, -16383}, {45, -23169}, {60, -28377},
                               {90, -32767}, {180, 0},  {270, 32767}, {449, -32762}};
    for (auto [i, v] : rows) EXPECT_EQ(bitmaprotate_sincos[i], v) << i;
}

// A 10 x 10 bitmap at (100, 100) changes (100..110)^2: C = 255 and the shifts round down, so
// the centre column and row are taken twice. 90 degrees turns it clockwise.
TEST_F(DrawRotated, TenByTenTurnsAboutItsCentre) {
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
        Pixels32 src(w, h), dst(40, 36), expect(40, 36);
        src.pattern();
        VRX_DrawRotatedBitmapXY(x, y, src.bm, dst.bm, angle, zoom, px, py);

        const int32_t z = zoom == 0 ? 1 : zoom, a = ((angle % 360) + 360) % 360;
        const int32_t S = bitmaprotate_sincos[a] / z, C = -bitmaprotate_sincos[a + 90] / z;
        const int32_t D = (3 * (w > h ? w : h)) >> 1, r = D >> 1;
        const int32_t left = x - ((D - w) >> 1), top = y - ((D - h) >> 1);
        for (int32_t j = 0; j < D; j++)
            for (int32_t i = 0; i < D; i++) {
                const int32_t dx = i - r, dy = j - r, tx = left + i, ty = top + j;
                const int32_t sx = ((dx * C - dy * S) >> 8) + px,
                              sy = ((dx * S + dy * C) >> 8) + py;
                if (tx < 0 || ty < 0 || tx >= 40 || ty >= 36) continue;
                if (sx >= 0 && sx < w && sy >= 0 && sy < h) expect.at(tx, ty) = src.at(sx, sy);
            }
        ASSERT_EQ(dst.mem, expect.mem) << w << "x" << h << " at " << x << "," << y << " angle "
                                       << angle << " zoom " << zoom << " pivot " << px << "," << py;
    }
}
