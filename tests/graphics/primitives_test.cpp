#include "graphics/primitives.h"
#include "video/video_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {
using Points = std::set<std::pair<int, int>>;

// A bitmap over a vector, cleared to 0; the pixel type follows the depth.
template <typename T> struct Canvas {
    int w, h;
    std::vector<T> px;
    Canvas(int width, int height) : w(width), h(height), px(size_t(width) * height, 0) {}
    VRX_Bitmap bm() { return {w, h, uint32_t(w * h * sizeof(T)), w * h, px.data()}; }
    T at(int x, int y) const { return px[size_t(y) * w + x]; }
    Points lit() const {
        Points p;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (at(x, y)) p.insert({x, y});
        return p;
    }
    // Half-width of the lit run on each row, keyed by row offset from cy (symmetric runs only).
    std::map<int, int> half_widths(int cx, int cy) const {
        std::map<int, int> hw;
        for (auto [x, y] : lit()) {
            int d = std::abs(x - cx);
            if (!hw.count(y - cy) || hw[y - cy] < d) hw[y - cy] = d;
        }
        return hw;
    }
};

struct Prim32 : testing::Test {
    void SetUp() override {
        VRX_video.flags = 0;
        VornBlit_Initialise(8, 8, 8, 16, 8, 0);
    }
};
struct Prim16 : testing::Test {
    void SetUp() override {
        VRX_video.flags = VRX_VIDEO_16BIT;
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    }
    void TearDown() override { VRX_video.flags = 0; }
};

Points row(int y, int x0, int x1) {
    Points p;
    for (int x = x0; x <= x1; ++x) p.insert({x, y});
    return p;
}
} // namespace

TEST(CircleTable, HoldsTruncatedSinglePrecisionQuarterCircle) {
    EXPECT_EQ(VRX_circletab[0], 65536);
    EXPECT_EQ(VRX_circletab[512], 56755);
    EXPECT_EQ(VRX_circletab[1000], 14105);
    EXPECT_EQ(VRX_circletab[1023], 2895);
    std::vector<int> above;
    for (int i = 0; i < 1024; ++i) {
        // floor(65536 * sqrt(1 - (i/1024)^2)) = floor(sqrt(4096 * (1024^2 - i^2)))
        int64_t n = 4096ll * (1048576 - i * i), s = int64_t(std::sqrt(double(n)));
        while (s * s > n) --s;
        while ((s + 1) * (s + 1) <= n) ++s;
        ASSERT_GE(VRX_circletab[i], s) << i;
        ASSERT_LE(VRX_circletab[i], s + 1) << i;
        if (VRX_circletab[i] == s + 1) above.push_back(i);
    }
    EXPECT_THAT(above, testing::ElementsAre(8, 16, 89, 99, 356, 695));
    EXPECT_EQ(VRX_circletab[8], 65534);
    EXPECT_EQ(VRX_circletab[695], 48130);
}

TEST_F(Prim32, PixelsStoreAllBitsAndClip) {
    Canvas<uint32_t> c(8, 4);
    VRX_DrawPixel(3, 2, 0xAB123456, c.bm());
    EXPECT_EQ(c.at(3, 2), 0xAB123456u);
    EXPECT_EQ(VRX_GetPixel(3, 2, c.bm()), 0xAB123456u);
    for (auto [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {8, 0}, {0, -1}, {0, 4}}) {
        VRX_DrawPixel(x, y, 7, c.bm());
        EXPECT_EQ(VRX_GetPixel(x, y, c.bm()), 0u);
    }
    EXPECT_EQ(c.lit().size(), 1u);
    VRX_Bitmap none = c.bm();
    none.data = nullptr;
    EXPECT_EQ(VRX_GetPixel(3, 2, none), 0u);
}

TEST_F(Prim32, BlendModes) {
    Canvas<uint32_t> c(2, 1);
    c.px = {0x00F08010, 0x00F08010};
    VRX_DrawBlendPixel(0, 0, 0x00208030, c.bm(), 2);
    VRX_DrawBlendPixel(1, 0, 0x00208030, c.bm(), 1);
    EXPECT_EQ(c.at(0, 0), 0x00FFFF40u);
    EXPECT_EQ(c.at(1, 0), 0x00888020u);
    // Add drops the top byte; an unknown mode writes nothing; mode 0 replaces.
    c.px[0] = 0xFF010101;
    VRX_DrawBlendPixel(0, 0, 0xFF010101, c.bm(), 2);
    EXPECT_EQ(c.at(0, 0), 0x00020202u);
    VRX_DrawBlendPixel(0, 0, 0x123456, c.bm(), 3);
    VRX_DrawBlendPixel(2, 0, 0x123456, c.bm(), 0);
    EXPECT_EQ(c.at(0, 0), 0x00020202u);
    VRX_DrawBlendPixel(0, 0, 0x123456, c.bm(), 0);
    EXPECT_EQ(c.at(0, 0), 0x123456u);
}

TEST_F(Prim16, PixelsConvertAndBlendUnderTheLayoutMasks) {
    Canvas<uint16_t> c(4, 1);
    VRX_DrawPixel(0, 0, 0xFFFFFF, c.bm());
    EXPECT_EQ(c.at(0, 0), 0x7FFF);
    EXPECT_EQ(VRX_GetPixel(0, 0, c.bm()), 0xFFF8F8F8u);
    EXPECT_EQ(VRX_GetPixel(4, 0, c.bm()), 0u);
    VRX_DrawBlendPixel(0, 0, 0x000000, c.bm(), 1);
    EXPECT_EQ(c.at(0, 0), 0x7BDE >> 1);
    c.px[1] = 0x7C00;
    VRX_DrawBlendPixel(1, 0, 0x080808, c.bm(), 2);
    EXPECT_EQ(c.at(1, 0), 0x7C21);
}

TEST_F(Prim32, SpansSkipSinglePixels) {
    Canvas<uint32_t> c(640, 3);
    auto span = [&](int x1, int x2) {
        std::fill(c.px.begin(), c.px.end(), 0);
        VRX_DrawHLine(x1, x2, 1, 1, c.bm());
        return c.lit();
    };
    EXPECT_TRUE(span(5, 5).empty());
    EXPECT_EQ(span(5, 6), row(1, 5, 6));
    EXPECT_EQ(span(-5, 3), row(1, 0, 3));
    EXPECT_EQ(span(630, 700), row(1, 630, 639));
    EXPECT_TRUE(span(6, 5).empty());
    EXPECT_TRUE(span(-5, 0).empty());    // clips to one pixel
    EXPECT_TRUE(span(639, 900).empty()); // clips to one pixel
    EXPECT_EQ(span(INT32_MIN, INT32_MAX), row(1, 0, 639));
    VRX_DrawHLine(0, 10, 3, 1, c.bm());
    VRX_DrawHLine(0, 10, -1, 1, c.bm());
    EXPECT_EQ(c.lit(), row(1, 0, 639));

    Canvas<uint32_t> v(3, 10);
    VRX_DrawVLine(1, 4, 4, 1, v.bm());
    VRX_DrawVLine(1, 5, 4, 1, v.bm());
    VRX_DrawVLine(3, 0, 9, 1, v.bm());
    EXPECT_TRUE(v.lit().empty());
    VRX_DrawVLine(1, 4, 5, 1, v.bm());
    EXPECT_EQ(v.lit(), (Points{{1, 4}, {1, 5}}));
    VRX_DrawVLine(0, INT32_MIN, INT32_MAX, 1, v.bm());
    EXPECT_EQ(v.lit().size(), 12u);
}

TEST_F(Prim32, LinesFollowBresenhamFromTheFirstEnd) {
    Canvas<uint32_t> c(8, 8);
    VRX_DrawLine(0, 0, 4, 2, 1, c.bm());
    EXPECT_EQ(c.lit(), (Points{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    c = Canvas<uint32_t>(8, 8);
    VRX_DrawLine(4, 2, 0, 0, 1, c.bm());
    EXPECT_EQ(c.lit(), (Points{{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
    c = Canvas<uint32_t>(8, 8);
    VRX_DrawLine(1, 0, 2, 4, 1, c.bm()); // y-major, d = 0 steps both
    EXPECT_EQ(c.lit(), (Points{{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}}));
    c = Canvas<uint32_t>(8, 8);
    VRX_DrawLine(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1, c.bm());
    Points diag;
    for (int i = 0; i < 8; ++i) diag.insert({i, i});
    EXPECT_EQ(c.lit(), diag);
}

// Lines that start and end far outside the bitmap draw exactly what a full walk would.
TEST_F(Prim32, ClippedLinesMatchAFullWalk) {
    uint32_t seed = 12345;
    auto rnd = [&](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int((seed >> 8) % uint32_t(hi - lo + 1));
    };
    for (int n = 0; n < 300; ++n) {
        int range = n < 200 ? 120 : 30000;
        int x1 = rnd(-range, range), y1 = rnd(-range, range);
        int x2 = rnd(-range, range), y2 = rnd(-range, range);
        Canvas<uint32_t> c(40, 30);
        VRX_DrawLine(x1, y1, x2, y2, 1, c.bm());
        Points want;
        int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        int sx = x1 > x2 ? -1 : 1, sy = y1 > y2 ? -1 : 1, x = x1, y = y1;
        bool xmajor = dx >= dy;
        int major = xmajor ? dx : dy, minor = xmajor ? dy : dx, d = 2 * minor - major;
        for (int i = 0; i <= major; ++i) {
            if (x >= 0 && x < 40 && y >= 0 && y < 30) want.insert({x, y});
            bool both = d >= 0;
            d += both ? 2 * (minor - major) : 2 * minor;
            if (xmajor || both) x += sx;
            if (!xmajor || both) y += sy;
        }
        ASSERT_EQ(c.lit(), want) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

// x(t) = 3t and y(t) = 3t^2/256 for these control points, so every joint is known.
TEST_F(Prim32, BezierPiecesFollowTheDetail) {
    auto curve = [](int detail) {
        Canvas<uint32_t> c(800, 800);
        VRX_DrawBezier(0, 0, 256, 0, 512, 256, 768, 768, detail, 1, c.bm());
        return c.lit();
    };
    auto joints = [](int step) {
        Canvas<uint32_t> c(800, 800);
        int lx = 0, ly = 0, pieces = 0;
        for (int t = step; t <= 256; t += step, ++pieces) {
            VRX_DrawLine(lx, ly, 3 * t, 3 * t * t / 256, 1, c.bm());
            lx = 3 * t, ly = 3 * t * t / 256;
        }
        return std::make_pair(c.lit(), pieces);
    };
    auto [four, n4] = joints(64);
    EXPECT_EQ(n4, 4);
    EXPECT_EQ(curve(0), four);
    EXPECT_EQ(curve(1), four);
    EXPECT_TRUE(four.count({768, 768}));
    auto [all, n256] = joints(1);
    EXPECT_EQ(n256, 256);
    EXPECT_EQ(curve(100), all);
    auto [twelve, n12] = joints(21);
    EXPECT_EQ(n12, 12);
    Points three = curve(3);
    EXPECT_EQ(three, twelve);
    EXPECT_TRUE(three.count({756, 744}));
    EXPECT_FALSE(three.count({768, 768}));
}

TEST_F(Prim32, BoxOutlines) {
    Canvas<uint32_t> c(20, 20);
    VRX_DrawBox(10, 10, 4, 3, 1, c.bm());
    Points ring = row(10, 10, 13);
    ring.merge(row(12, 10, 13));
    ring.insert({10, 11});
    ring.insert({13, 11});
    EXPECT_EQ(c.lit(), ring);
    c = Canvas<uint32_t>(20, 20);
    VRX_DrawBox(10, 10, -4, 3, 1, c.bm());
    Points mirrored;
    for (auto [x, y] : ring) mirrored.insert({x - 4, y});
    EXPECT_EQ(c.lit(), mirrored);
    // A zero width still draws its edges, from x back to x - 1.
    c = Canvas<uint32_t>(20, 20);
    VRX_DrawBox(10, 10, 0, 3, 1, c.bm());
    EXPECT_EQ(c.lit().size(), 6u);
    c = Canvas<uint32_t>(20, 20);
    VRX_DrawBox(20, 0, 5, 5, 1, c.bm());
    VRX_DrawBox(-10, -10, 9, 9, 1, c.bm());
    EXPECT_TRUE(c.lit().empty());
}

TEST_F(Prim32, FilledBoxesCutToTheBitmap) {
    Canvas<uint32_t> c(20, 20);
    for (auto [w, h] : std::vector<std::pair<int, int>>{{0, 5}, {5, 0}, {-5, 5}, {5, -5}})
        VRX_DrawFilledBox(5, 5, w, h, 1, c.bm());
    EXPECT_TRUE(c.lit().empty());
    VRX_DrawFilledBox(-5, -5, 10, 10, 1, c.bm());
    VRX_DrawFilledBox(15, 17, 100, 100, 1, c.bm());
    Points want;
    for (int y = 0; y < 5; ++y) want.merge(row(y, 0, 4));
    for (int y = 17; y < 20; ++y) want.merge(row(y, 15, 19));
    EXPECT_EQ(c.lit(), want);
    c = Canvas<uint32_t>(20, 20);
    VRX_DrawFilledBox(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1, c.bm());
    EXPECT_TRUE(c.lit().empty());
    VRX_DrawFilledBox(-1, -1, INT32_MAX, INT32_MAX, 1, c.bm());
    EXPECT_EQ(c.lit().size(), 400u);
}

TEST_F(Prim32, FilledCircleCoverage) {
    struct Case {
        int r;
        std::vector<int> half; // half-width per row offset from the centre row
        size_t total;
    };
    for (const Case &k : {Case{4, {4, 3, 3, 2}, 47}, Case{6, {6, 5, 5, 5, 4, 3}, 111},
                          Case{12, {12, 11, 11, 11, 11, 10, 10, 9, 8, 7, 6, 4}, 439}}) {
        std::map<int, int> want;
        for (int dy = 0; dy < int(k.half.size()); ++dy) want[dy] = want[-dy] = k.half[dy];
        for (int sign : {1, -1}) {
            Canvas<uint32_t> c(40, 40);
            VRX_DrawFilledCircle(20, 20, sign * k.r, 0xFF0000, c.bm());
            EXPECT_EQ(c.half_widths(20, 20), want) << k.r;
            EXPECT_EQ(c.lit().size(), k.total) << k.r;
            EXPECT_EQ(c.lit().count({20 - k.r, 20}) + c.lit().count({20 + k.r, 20}), 2u);
        }
    }
}

TEST_F(Prim32, SmallFilledCircles) {
    for (int r : {0, 1, -1}) {
        Canvas<uint32_t> c(8, 8);
        VRX_DrawFilledCircle(3, 3, r, 1, c.bm());
        EXPECT_EQ(c.lit(), (Points{{3, 3}})) << r;
    }
    for (int r : {2, 3, -3}) {
        Canvas<uint32_t> c(8, 8);
        VRX_DrawFilledCircle(3, 3, r, 1, c.bm());
        EXPECT_EQ(c.lit(), (Points{{3, 3}, {4, 3}, {3, 4}, {4, 4}})) << r;
    }
}

TEST_F(Prim32, CircleOutlines) {
    auto ring = [](int r) {
        Canvas<uint32_t> c(12, 12);
        VRX_DrawCircle(5, 5, r, 1, c.bm());
        return c.lit();
    };
    EXPECT_EQ(ring(1), (Points{{5, 5}}));
    EXPECT_EQ(ring(0), (Points{{4, 5}, {6, 5}, {5, 4}, {5, 6}}));
    Points eight;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) eight.insert({5 + dx, 5 + dy});
    EXPECT_EQ(ring(2), eight);
    Points sixteen;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (std::abs(dx) == 2 || std::abs(dy) == 2) sixteen.insert({5 + dx, 5 + dy});
    // The walk reaches x = y = 2, so the whole 5x5 ring (16 pixels) is drawn, corners too.
    EXPECT_EQ(ring(3), sixteen);
    // The outline of radius r is 2r - 1 pixels across.
    Points ten = ring(5);
    EXPECT_TRUE(ten.count({1, 5}) && ten.count({9, 5}) && ten.count({5, 1}) && ten.count({5, 9}));
    EXPECT_FALSE(ten.count({0, 5}) || ten.count({10, 5}));
}

TEST_F(Prim32, WireframeTriangleAndTextures) {
    Canvas<uint32_t> c(10, 10);
    VRX_DrawTriangleWireframe({0, 0, 9, 9, 9, 9, 9}, {4, 0, 0, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0, 0},
                              1, c.bm());
    EXPECT_EQ(c.lit().size(), 12u);
    EXPECT_TRUE(c.lit().count({2, 2}));
    int a = 0, b = 0;
    VRX_SetPrimitiveDualTexture({1, 2, 8, 2, &a}, {3, 4, 48, 12, &b});
    EXPECT_EQ(VRX_texture1.data, &b);
    EXPECT_EQ(VRX_texture1.width, 3);
    EXPECT_EQ(VRX_texture1.size, 48u);
    VRX_SetPrimitiveTexture({5, 6, 120, 30, &a});
    EXPECT_EQ(VRX_texture1.data, &a);
    VRX_SetPrimitiveOpacity(77);
    EXPECT_EQ(VRX_opacity, 77);
}

TEST_F(Prim16, FillsInHalfWordPixels) {
    Canvas<uint16_t> c(40, 40);
    VRX_DrawFilledCircle(20, 20, 12, 0xFFFFFF, c.bm());
    EXPECT_EQ(c.lit().size(), 439u);
    EXPECT_EQ(c.at(20, 20), 0x7FFF);
    c = Canvas<uint16_t>(40, 40);
    VRX_DrawHLine(-5, 2, 0, 0x0000FF, c.bm());
    VRX_DrawFilledBox(37, 37, 5, 5, 0x0000FF, c.bm());
    EXPECT_EQ(c.lit().size(), 3u + 9u);
    EXPECT_EQ(c.at(39, 39), 0x001F);
    VRX_DrawCircle(20, 20, 3, 0xFF0000, c.bm());
    EXPECT_EQ(c.at(22, 20), 0x7C00);
}
