#include "depth_fixture.h"
#include "graphics/primitives.h"

struct Primitives : BothDepths {};
INSTANTIATE_BOTH_DEPTHS(Primitives);

TEST(CircleTable, SpotEntries) {
    // Single-precision products, truncated; the last six lie one above the exact integer part.
    const int32_t spots[][2] = {{0, 65536},   {512, 56755}, {1000, 14105}, {1023, 2895},
                                {8, 65534},   {16, 65528},  {89, 65288},   {99, 65229},
                                {356, 61448}, {695, 48130}};
    for (auto [i, want] : spots) EXPECT_EQ(VRX_circletab[i], want) << i;
}

TEST_P(Primitives, PixelsConvertClipBlendAndReadBack) {
    Canvas c(8, 4, 0, 64);
    VRX_DrawPixel(3, 2, 0xFFFFFF, c.bm);
    for (auto [x, y] : {std::pair{-1, 0}, {8, 0}, {0, -1}, {0, 4}}) {
        VRX_DrawPixel(x, y, 7, c.bm);
        VRX_DrawBlendPixel(x, y, 7, c.bm, 2);
        EXPECT_EQ(VRX_GetPixel(x, y, c.bm), 0u);
    }
    EXPECT_EQ(c.lit(), (Points{{3, 2}}));
    EXPECT_EQ(c.at(3, 2), colour(0xFFFFFF));
    EXPECT_EQ(VRX_GetPixel(3, 2, c.bm), mode16 ? 0xFFF8F8F8u : 0xFFFFFFu);
    EXPECT_TRUE(c.guards_intact());
    c.bm.data = nullptr;
    EXPECT_EQ(VRX_GetPixel(3, 2, c.bm), 0u);
    // {mode, old, colour, result}: 0 replaces, 1 averages, 2 adds per channel, others nothing.
    using Cases = std::vector<std::array<uint32_t, 4>>;
    const Cases blends = mode16 ? Cases{{1, 0x7FFF, 0, 0x3DEF},
                                        {2, 0x7C00, 0x080808, 0x7C21},
                                        {0, 1, 0xFFFFFF, 0x7FFF},
                                        {3, 1, 0xFFFFFF, 1}}
                                : Cases{{1, 0x00F08010, 0x00208030, 0x00888020},
                                        {2, 0x00F08010, 0x00208030, 0x00FFFF40},
                                        {2, 0xFF010101, 0xFF010101, 0x00020202},
                                        {0, 1, 0xAB123456, 0xAB123456},
                                        {3, 1, 0xFFFFFF, 1}};
    for (auto [mode, old, col, want] : blends) {
        Canvas b(1, 1, old);
        VRX_DrawBlendPixel(0, 0, col, b.bm, int32_t(mode));
        EXPECT_EQ(b.at(0, 0), want) << mode;
    }
}

TEST_P(Primitives, SpansSkipSinglePixelsAndClip) {
    // {x1, x2, first, last}; first -1: nothing drawn.
    const int32_t spans[][4] = {
        {5, 5, -1, 0}, {5, 6, 5, 6},   {-5, 3, 0, 3},     {630, 700, 630, 639},
        {6, 5, -1, 0}, {-5, 0, -1, 0}, {639, 900, -1, 0}, {INT32_MIN, INT32_MAX, 0, 639}};
    for (auto [x1, x2, first, last] : spans) {
        Canvas c(640, 3);
        VRX_DrawHLine(x1, x2, 1, 0xFF, c.bm);
        VRX_DrawHLine(0, 10, 3, 0xFF, c.bm);
        VRX_DrawHLine(0, 10, -1, 0xFF, c.bm);
        EXPECT_EQ(c.lit(), first < 0 ? Points{} : row_of(1, first, last)) << x1 << " " << x2;
    }
    Canvas v(3, 10); // one pixel, reversed ends and a column outside draw nothing
    for (auto [x, y1, y2] : {std::array{1, 4, 4}, {1, 5, 4}, {3, 0, 9}, {1, 4, 5}})
        VRX_DrawVLine(x, y1, y2, 0xFF, v.bm);
    EXPECT_EQ(v.lit(), (Points{{1, 4}, {1, 5}}));
    VRX_DrawVLine(0, INT32_MIN, INT32_MAX, 0xFF, v.bm);
    EXPECT_EQ(v.lit().size(), 12u);
}

TEST_P(Primitives, LinesFollowBresenhamFromTheFirstEnd) {
    const std::pair<std::array<int32_t, 4>, Points> lines[] = {
        {{0, 0, 4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {{4, 2, 0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
        {{1, 0, 2, 4}, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}}}, // y-major; d = 0 steps both
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}}};
    for (const auto &[p, want] : lines) {
        Canvas c(8, 8);
        VRX_DrawLine(p[0], p[1], p[2], p[3], 0xFF, c.bm);
        EXPECT_EQ(c.lit(), want) << p[0] << "," << p[1];
    }
}

// A line cut by the bitmap's edges draws exactly the part of the whole line inside.
TEST_P(Primitives, ClippedLinesDrawThePartInside) {
    WildRng g{12345};
    for (int32_t n = 0; n < 300; ++n) {
        int32_t p[4];
        for (auto &v : p) v = int32_t(g.next() >> 8) % 160 - 60; // -60 ... 99
        Canvas whole(200, 200), cut(40, 30);
        VRX_DrawLine(p[0] + 60, p[1] + 60, p[2] + 60, p[3] + 60, 0xFF, whole.bm);
        VRX_DrawLine(p[0], p[1], p[2], p[3], 0xFF, cut.bm);
        Points inside;
        for (auto [x, y] : whole.lit())
            if (x >= 60 && x < 100 && y >= 60 && y < 90) inside.insert({x - 60, y - 60});
        ASSERT_EQ(cut.lit(), inside) << p[0] << "," << p[1] << " " << p[2] << "," << p[3];
    }
}

// These control points give x(t) = 3t and y(t) = 3t^2 / 256, so every joint is known.
TEST_P(Primitives, BezierPiecesFollowTheDetail) {
    const int32_t cases[][3] = {{0, 64, 4}, {1, 64, 4}, {3, 21, 12}, {100, 1, 256}}; // step, pieces
    for (auto [detail, step, pieces] : cases) {
        Canvas curve(800, 800), joints(800, 800);
        VRX_DrawBezier(0, 0, 256, 0, 512, 256, 768, 768, detail, 0xFF, curve.bm);
        for (int32_t t = 0, u = step; u <= 256; t = u, u += step)
            VRX_DrawLine(3 * t, 3 * t * t / 256, 3 * u, 3 * u * u / 256, 0xFF, joints.bm);
        EXPECT_EQ(256 / step, pieces);
        EXPECT_EQ(curve.lit(), joints.lit()) << detail;
        EXPECT_EQ(curve.lit().count({768, 768}), detail == 3 ? 0u : 1u); // 3 ends at t = 252
    }
}

TEST_P(Primitives, BoxesNormaliseOutlinesAndCutFills) {
    const int32_t boxes[][6] = {{10, 10, 4, 3, 10, 10},
                                {10, 10, -4, 3, 10, 6},
                                {10, 10, 0, 3, 6, 0},
                                {20, 0, 5, 5, 0, 0},
                                {-10, -10, 9, 9, 0, 0}}; // x, y, w, h, pixels, left
    for (auto [x, y, w, h, count, left] : boxes) {
        Canvas c(20, 20);
        VRX_DrawBox(x, y, w, h, 0xFF, c.bm);
        Points ring = row_of(10, left, left + 3);
        ring.merge(row_of(12, left, left + 3));
        ring.insert({{left, 11}, {left + 3, 11}});
        EXPECT_EQ(c.lit().size(), size_t(count)) << w;
        EXPECT_TRUE(count != 10 || c.lit() == ring) << w;
    }
    Canvas c(20, 20, 0, 64);
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-5, 5}, {5, -5}, {INT32_MAX, INT32_MIN}})
        VRX_DrawFilledBox(5, 5, w, h, 0xFF, c.bm);
    VRX_DrawFilledBox(-5, -5, 10, 10, 0xFF, c.bm);
    VRX_DrawFilledBox(15, 17, 100, 100, 0xFF, c.bm);
    Points want;
    for (int32_t y = 0; y < 5; ++y) want.merge(row_of(y, 0, 4));
    for (int32_t y = 17; y < 20; ++y) want.merge(row_of(y, 15, 19));
    EXPECT_EQ(c.lit(), want);
    VRX_DrawFilledBox(-1, -1, INT32_MAX, INT32_MAX, 0xFF, c.bm);
    EXPECT_EQ(c.lit().size(), 400u);
    EXPECT_TRUE(c.guards_intact());
}

TEST_P(Primitives, FilledCircleCoverage) {
    struct Case {
        int32_t r;
        std::vector<int32_t> half; // half-width per row away from the centre row
        size_t total;
    };
    // Radius 12: 2 * 12 + 1 = 25 pixels on the centre row.
    for (const Case &k : {Case{4, {4, 3, 3, 2}, 47}, Case{6, {6, 5, 5, 5, 4, 3}, 111},
                          Case{12, {12, 11, 11, 11, 11, 10, 10, 9, 8, 7, 6, 4}, 439}}) {
        std::vector<std::pair<int32_t, int32_t>> want(40, {-1, -1});
        for (size_t dy = 0; dy < k.half.size(); ++dy)
            want[20 + dy] = want[20 - dy] = {20 - k.half[dy], 20 + k.half[dy]};
        for (int32_t r : {k.r, -k.r}) {
            Canvas c(40, 40);
            VRX_DrawFilledCircle(20, 20, r, 0xFF0000, c.bm);
            EXPECT_EQ(c.spans(), want) << r;
            EXPECT_EQ(c.lit().size(), k.total) << r;
            EXPECT_EQ(c.at(20, 20), colour(0xFF0000));
        }
    }
    for (int32_t r : {0, 1, -1, 2, 3, -3}) {
        Canvas c(8, 8);
        VRX_DrawFilledCircle(3, 3, r, 0xFF, c.bm);
        EXPECT_EQ(c.lit(),
                  (std::abs(r) < 2 ? row_of(3, 3, 3) : Points{{3, 3}, {4, 3}, {3, 4}, {4, 4}}));
    }
    // Huge radii fill all or lie outside; without data nothing is touched.
    Canvas c(13, 7, 0, 64);
    VRX_DrawFilledCircle(6, 3, INT32_MIN, 0xFF, c.bm);
    VRX_DrawCircle(6, 3, INT32_MAX, 2, c.bm);
    for (int32_t i = 0; i < 13 * 7; ++i) ASSERT_EQ(c.get(i), colour(0xFF));
    c.bm.data = nullptr;
    VRX_DrawFilledBox(0, 0, 5, 5, 1, c.bm);
    VRX_DrawFilledCircle(3, 3, 12, 1, c.bm);
}

TEST_P(Primitives, CircleOutlinesAndWireframeTriangles) {
    // 2r - 1 across. Radius 1: the centre; 2: the eight around it; 3: the 5 x 5 ring, corners too.
    for (int32_t r : {1, 2, 3}) {
        Canvas c(12, 12);
        VRX_DrawCircle(5, 5, r, 0xFF, c.bm);
        Points want;
        for (int32_t y = 6 - r; y <= 4 + r; ++y)
            for (int32_t x = 6 - r; x <= 4 + r; ++x)
                if (std::max(std::abs(x - 5), std::abs(y - 5)) == r - 1) want.insert({x, y});
        EXPECT_EQ(c.lit(), want) << r;
    }
    Canvas c(12, 12);
    VRX_DrawCircle(5, 5, 0, 0xFF, c.bm);
    EXPECT_EQ(c.lit(), (Points{{4, 5}, {6, 5}, {5, 4}, {5, 6}}));
    c.clear();
    VRX_DrawTriangleWireframe({0, 0, 9, 9, 9, 9, 9}, {4, 0, 0, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0, 0},
                              0xFF, c.bm);
    EXPECT_EQ(c.lit().size(), 12u);
    EXPECT_TRUE(c.lit().count({2, 2}));
}
