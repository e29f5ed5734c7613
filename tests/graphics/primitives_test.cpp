#include "depth_fixture.h"
#include "graphics/primitives.h"

#include <gmock/gmock.h>

#include <cmath>

struct Primitives : BothDepths {};
INSTANTIATE_BOTH_DEPTHS(Primitives);

TEST(CircleTable, HoldsTheTruncatedSinglePrecisionQuarterCircle) {
    const std::pair<int, int32_t> spots[] = {
        {0, 65536},  {512, 56755}, {1000, 14105}, {1023, 2895}, {8, 65534},
        {16, 65528}, {89, 65288},  {99, 65229},   {356, 61448}, {695, 48130}};
    for (auto [i, want] : spots) EXPECT_EQ(VRX_circletab[i], want) << i;
    std::vector<int> above; // entries one above the exact integer part
    for (int i = 0; i < 1024; ++i) {
        const int64_t n = 4096ll * (1048576 - i * i); // (65536 sqrt(1 - (i/1024)^2))^2
        int64_t s = int64_t(std::sqrt(double(n)));
        while (s * s > n) --s;
        while ((s + 1) * (s + 1) <= n) ++s;
        if (VRX_circletab[i] != s) above.push_back(VRX_circletab[i] == s + 1 ? i : -i);
    }
    EXPECT_THAT(above, testing::ElementsAre(8, 16, 89, 99, 356, 695));
}

TEST_P(Primitives, PixelsConvertClipAndReadBack) {
    Canvas c(8, 4, 0, 64);
    VRX_DrawPixel(3, 2, 0xFFFFFF, c.bm);
    EXPECT_EQ(c.at(3, 2), colour(0xFFFFFF));
    EXPECT_EQ(VRX_GetPixel(3, 2, c.bm), mode16 ? 0xFFF8F8F8u : 0xFFFFFFu);
    for (auto [x, y] : {std::pair{-1, 0}, {8, 0}, {0, -1}, {0, 4}}) {
        VRX_DrawPixel(x, y, 7, c.bm);
        EXPECT_EQ(VRX_GetPixel(x, y, c.bm), 0u);
    }
    EXPECT_EQ(c.lit().size(), 1u);
    EXPECT_TRUE(c.guards_intact());
    c.bm.data = nullptr;
    EXPECT_EQ(VRX_GetPixel(3, 2, c.bm), 0u);
}

TEST_P(Primitives, BlendPixelModes) {
    struct Case {
        int32_t mode;
        uint32_t old, colour, want;
    };
    const std::vector<Case> cases =
        mode16 ? std::vector<Case>{{1, 0x7FFF, 0, 0x3DEF},
                                   {2, 0x7C00, 0x080808, 0x7C21}, // red saturates
                                   {0, 1, 0xFFFFFF, 0x7FFF},
                                   {3, 1, 0xFFFFFF, 1}}
               : std::vector<Case>{{1, 0x00F08010, 0x00208030, 0x00888020},
                                   {2, 0x00F08010, 0x00208030, 0x00FFFF40},
                                   {2, 0xFF010101, 0xFF010101, 0x00020202}, // top byte dropped
                                   {0, 1, 0xAB123456, 0xAB123456},
                                   {3, 1, 0xFFFFFF, 1}};
    for (const Case &k : cases) {
        Canvas c(2, 1, k.old, 64);
        VRX_DrawBlendPixel(0, 0, k.colour, c.bm, k.mode);
        VRX_DrawBlendPixel(2, 0, k.colour, c.bm, k.mode);
        EXPECT_EQ(c.at(0, 0), k.want) << k.mode;
        EXPECT_EQ(c.at(1, 0), k.old);
        EXPECT_TRUE(c.guards_intact());
    }
}

TEST_P(Primitives, SpansSkipSinglePixelsAndClip) {
    struct Case {
        int32_t x1, x2, first, last; // first -1: nothing drawn
    };
    for (const Case &k : {Case{5, 5, -1, 0},
                          {5, 6, 5, 6},
                          {-5, 3, 0, 3},
                          {630, 700, 630, 639},
                          {6, 5, -1, 0},
                          {-5, 0, -1, 0},
                          {639, 900, -1, 0},
                          {INT32_MIN, INT32_MAX, 0, 639}}) {
        Canvas c(640, 3);
        VRX_DrawHLine(k.x1, k.x2, 1, 0xFF, c.bm);
        VRX_DrawHLine(0, 10, 3, 0xFF, c.bm);
        VRX_DrawHLine(0, 10, -1, 0xFF, c.bm);
        EXPECT_EQ(c.lit(), k.first < 0 ? Points{} : row_of(1, k.first, k.last)) << k.x1;
    }
    Canvas v(3, 10);
    VRX_DrawVLine(1, 4, 4, 0xFF, v.bm);
    VRX_DrawVLine(1, 5, 4, 0xFF, v.bm);
    VRX_DrawVLine(3, 0, 9, 0xFF, v.bm);
    EXPECT_TRUE(v.lit().empty());
    VRX_DrawVLine(1, 4, 5, 0xFF, v.bm);
    EXPECT_EQ(v.lit(), (Points{{1, 4}, {1, 5}}));
    VRX_DrawVLine(0, INT32_MIN, INT32_MAX, 0xFF, v.bm);
    EXPECT_EQ(v.lit().size(), 12u);
}

TEST_P(Primitives, LinesFollowBresenhamFromTheFirstEnd) {
    struct Case {
        int32_t x1, y1, x2, y2;
        Points want;
    };
    Points diagonal;
    for (int32_t i = 0; i < 8; ++i) diagonal.insert({i, i});
    for (const Case &k : {Case{0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
                          Case{4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
                          Case{1, 0, 2, 4, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}}}, // d = 0
                          Case{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, diagonal}}) {
        Canvas c(8, 8);
        VRX_DrawLine(k.x1, k.y1, k.x2, k.y2, 0xFF, c.bm);
        EXPECT_EQ(c.lit(), k.want) << k.x1 << "," << k.y1;
    }
}

// Lines from far outside draw exactly the pixels of the whole walk that fall inside.
TEST_P(Primitives, ClippedLinesMatchTheWholeWalk) {
    WildRng g{12345};
    for (int n = 0; n < 300; ++n) {
        const int32_t range = n < 200 ? 120 : 30000;
        auto rnd = [&] { return int32_t(g.next() >> 8) % (range + 1) * ((g.next() & 1) ? 1 : -1); };
        const int32_t x1 = rnd(), y1 = rnd(), x2 = rnd(), y2 = rnd();
        Canvas c(40, 30);
        VRX_DrawLine(x1, y1, x2, y2, 0xFF, c.bm);
        const int32_t dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        const bool xmajor = dx >= dy;
        const int32_t major = xmajor ? dx : dy, minor = xmajor ? dy : dx;
        int32_t x = x1, y = y1, d = 2 * minor - major;
        Points want;
        for (int32_t i = 0; i <= major; ++i) {
            if (x >= 0 && x < 40 && y >= 0 && y < 30) want.insert({x, y});
            const bool both = d >= 0;
            d += both ? 2 * (minor - major) : 2 * minor;
            if (xmajor || both) x += x1 > x2 ? -1 : 1;
            if (!xmajor || both) y += y1 > y2 ? -1 : 1;
        }
        ASSERT_EQ(c.lit(), want) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

// These control points give x(t) = 3t and y(t) = 3t^2 / 256, so every joint is known.
TEST_P(Primitives, BezierPiecesFollowTheDetail) {
    for (auto [detail, step, pieces] :
         {std::tuple{0, 64, 4}, {1, 64, 4}, {3, 21, 12}, {100, 1, 256}}) {
        Canvas curve(800, 800), joints(800, 800);
        VRX_DrawBezier(0, 0, 256, 0, 512, 256, 768, 768, detail, 0xFF, curve.bm);
        int32_t t = 0, n = 0;
        for (; t + step <= 256; t += step, ++n)
            VRX_DrawLine(3 * t, 3 * t * t / 256, 3 * (t + step), 3 * (t + step) * (t + step) / 256,
                         0xFF, joints.bm);
        EXPECT_EQ(n, pieces);
        EXPECT_EQ(curve.lit(), joints.lit()) << detail;
        EXPECT_EQ(curve.lit().count({768, 768}), detail == 3 ? 0u : 1u); // detail 3 ends at 252
    }
}

TEST_P(Primitives, BoxesNormaliseOutlinesAndCutFills) {
    Points ring = row_of(10, 10, 13), mirrored;
    ring.merge(row_of(12, 10, 13));
    ring.insert({{10, 11}, {13, 11}});
    for (auto [x, y] : ring) mirrored.insert({x - 4, y});
    struct Case {
        int32_t x, y, w, h;
        size_t count;
    };
    for (const Case &k : {Case{10, 10, 4, 3, 10},
                          {10, 10, -4, 3, 10},
                          {10, 10, 0, 3, 6},
                          {20, 0, 5, 5, 0},
                          {-10, -10, 9, 9, 0}}) {
        Canvas c(20, 20);
        VRX_DrawBox(k.x, k.y, k.w, k.h, 0xFF, c.bm);
        EXPECT_EQ(c.lit().size(), k.count) << k.w;
        if (k.w == 4 || k.w == -4) {
            EXPECT_EQ(c.lit(), k.w > 0 ? ring : mirrored);
        }
    }
    Canvas c(20, 20, 0, 64);
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-5, 5}, {5, -5}, {INT32_MAX, INT32_MIN}})
        VRX_DrawFilledBox(5, 5, w, h, 0xFF, c.bm);
    EXPECT_TRUE(c.lit().empty());
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
                  (std::abs(r) < 2 ? Points{{3, 3}} : Points{{3, 3}, {4, 3}, {3, 4}, {4, 4}}));
    }
}

TEST_P(Primitives, CircleOutlines) {
    auto ring = [](int32_t r, int32_t half) { // the square ring of the given half-width
        Canvas c(12, 12);
        VRX_DrawCircle(5, 5, r, 0xFF, c.bm);
        Points want;
        for (int32_t dy = -half; dy <= half; ++dy)
            for (int32_t dx = -half; dx <= half; ++dx)
                if (std::max(std::abs(dx), std::abs(dy)) == half) want.insert({5 + dx, 5 + dy});
        return c.lit() == want;
    };
    EXPECT_TRUE(ring(1, 0));
    EXPECT_TRUE(ring(2, 1));
    EXPECT_TRUE(ring(3, 2)); // the walk reaches x = y = 2: corners too
    Canvas c(12, 12);
    VRX_DrawCircle(5, 5, 0, 0xFF, c.bm);
    EXPECT_EQ(c.lit(), (Points{{4, 5}, {6, 5}, {5, 4}, {5, 6}}));
    c.clear();
    VRX_DrawCircle(5, 5, 5, 0xFF, c.bm); // 2r - 1 pixels across
    const Points p = c.lit();
    EXPECT_TRUE(p.count({1, 5}) && p.count({9, 5}) && p.count({5, 1}) && p.count({5, 9}));
    EXPECT_FALSE(p.count({0, 5}) || p.count({10, 5}) || p.count({5, 0}));
}

TEST_P(Primitives, WireframeTriangleAndPrimitiveState) {
    Canvas c(10, 10);
    VRX_DrawTriangleWireframe({0, 0, 9, 9, 9, 9, 9}, {4, 0, 0, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0, 0},
                              0xFF, c.bm);
    EXPECT_EQ(c.lit().size(), 12u);
    EXPECT_TRUE(c.lit().count({2, 2}));
    int a = 0, b = 0;
    VRX_SetPrimitiveDualTexture({1, 2, 8, 2, &a}, {3, 4, 48, 12, &b});
    EXPECT_EQ(VRX_texture1.data, &b);
    EXPECT_EQ(VRX_texture1.size, 48u);
    VRX_SetPrimitiveOpacity(77);
    EXPECT_EQ(VRX_opacity, 77);
}
