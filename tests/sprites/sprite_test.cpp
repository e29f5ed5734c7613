#include "graphics/font.h"
#include "graphics/sprite.h"
#include "graphics/sprite_internal.h"
#include "sprite_fixture.h"

#include "base/memory.h"

#include <cmath>
#include <functional>
#include <numbers>

using SpriteDepths = BothDepths;
INSTANTIATE_BOTH_DEPTHS(SpriteDepths);
using Sprite32 = Depth32;
using Sprite16 = Depth16;

namespace {

enum Cut { PLAIN, DARK, TINT };

// Cuts one source pixel (stored as the current depth stores it) into a 1 x 1 sprite.
uint32_t cut_one(uint32_t stored, Cut kind, uint32_t tint = 0) {
    Canvas src(1, 1, stored);
    VRX_Sprite s{};
    if (kind == PLAIN) VRX_GetSprite(0, 0, 1, 1, src.bm, &s);
    if (kind == DARK) VRX_GetDarkSprite(0, 0, 1, 1, src.bm, &s);
    if (kind == TINT) VRX_GetColorSprite(0, 0, 1, 1, tint, src.bm, &s);
    const uint32_t v =
        vrx_mode16() ? *static_cast<uint16_t *>(s.data) : *static_cast<uint32_t *>(s.data);
    VRX_DeleteSprite(&s);
    return v;
}

} // namespace

TEST_F(Sprite32, CuttingKeysMagentaAndLowersTheTopByte) {
    const struct {
        uint32_t src;
        Cut kind;
        uint32_t tint, want;
    } rows[] = {
        {0xFFFF00FF, PLAIN, 0, 0},
        {0x00F10FF1, PLAIN, 0, 0},
        {0xFFF00AF5, PLAIN, 0, 0xFEF00AF5},
        {0xFFF110F1, PLAIN, 0, 0xFEF110F1},
        {0x00102030, PLAIN, 0, 0xFF102030},
        {0x01102030, PLAIN, 0, 0x00102030},
        {0xFF808080, DARK, 0, 0x7E404040},
        {0x00808080, DARK, 0, 0xFF404040},
        {0xFFFF00FF, DARK, 0, 0},
        {0xFF808080, TINT, 0x80FF00, 0xFF407F00},
        {0x00FFFFFF, TINT, 0xFFFFFF, 0xFFFEFEFE},
        {0xFFFF00FF, TINT, 0xFFFFFF, 0},
    };
    for (auto r : rows) EXPECT_EQ(cut_one(r.src, r.kind, r.tint), r.want) << std::hex << r.src;
}

TEST_F(Sprite16, CuttingKeepsBlackOpaqueAndKeysMagenta) {
    const struct {
        uint32_t src;
        Cut kind;
        uint32_t tint, want;
    } rows[] = {
        {0x0000, PLAIN, 0, 1},       {0x7C1F, PLAIN, 0, 0}, {0x7E08, PLAIN, 0, 0x7E08},
        {0x7FFF, DARK, 0, 0x3DEF},   {0x0421, DARK, 0, 1},  {0x7FFF, TINT, 0x80FF00, 0x3FC0},
        {0x7FFF, TINT, 0x000000, 1},
    };
    for (auto r : rows) EXPECT_EQ(cut_one(r.src, r.kind, r.tint), r.want) << std::hex << r.src;
}

// A rectangle reaching outside the source keeps its size and comes out wholly transparent.
TEST_P(SpriteDepths, FailedCutLeavesAClearedSprite) {
    Canvas src(8, 6, colour(0x123456));
    const int32_t rects[][4] = {
        {-1, 0, 4, 4}, {0, -1, 4, 4}, {5, 0, 4, 4}, {0, 3, 4, 4}, {8, 6, 1, 1}};
    for (auto [x, y, w, h] : rects) {
        VRX_Sprite s{};
        VRX_GetColorSprite(x, y, w, h, 0xFFFFFF, src.bm, &s);
        ASSERT_NE(s.data, nullptr);
        EXPECT_EQ(s.width, w);
        EXPECT_EQ(s.height, h);
        const auto *b = static_cast<const uint8_t *>(s.data);
        EXPECT_TRUE(std::all_of(b, b + w * h * 4, [](uint8_t v) { return v == 0; }))
            << x << "," << y;
        VRX_DeleteSprite(&s);
    }
    // Sizes that cannot be allocated give no data and the allocator's message.
    for (auto size : {std::pair{-1, 4}, std::pair{65536, 65536}}) {
        VRX_Sprite s{};
        const std::string out =
            printed([&] { VRX_GetSprite(0, 0, size.first, size.second, src.bm, &s); });
        EXPECT_EQ(out.rfind("graphics/sprite.cpp(", 0), 0u) << out;
        EXPECT_NE(out.find("): wrap_malloc("), std::string::npos) << out;
        EXPECT_EQ(s.data, nullptr);
    }
}

TEST(SpriteRules, TransparencyKeyAndCollisionEdges) {
    const std::pair<uint32_t, int32_t> keys[] = {{0xFF00FF, 1}, {0x00F100F1, 1}, {0xABF10FF1, 1},
                                                 {0xF00FF1, 0}, {0xF110F1, 0},   {0xF10FF0, 0},
                                                 {0xFFFFFF, 0}, {0, 0}};
    for (auto [c, want] : keys) EXPECT_EQ(VRX_CheckSpriteTransparency(c), want) << std::hex << c;
    const struct {
        int32_t r[8], want;
    } hits[] = {
        {{0, 0, 10, 10, 10, 0, 5, 5}, 0},
        {{0, 0, 10, 10, 9, 9, 5, 5}, 1},
        {{0, 0, 10, 10, 0, 10, 5, 5}, 0},
        {{0, 0, 10, 10, -5, -5, 5, 5}, 0},
        {{0, 0, 10, 10, -4, -4, 5, 5}, 1},
        {{2, 2, 1, 1, 0, 0, 10, 10}, 1},
        {{INT32_MAX - 1, 0, INT32_MAX, 1, INT32_MIN, 0, INT32_MAX, 1}, 0},
    };
    for (auto h : hits) {
        const int32_t *r = h.r;
        EXPECT_EQ(VRX_CheckSpriteCollision(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]), h.want)
            << r[0] << "," << r[1] << " vs " << r[4] << "," << r[5];
    }
}

TEST(SpriteRules, RotationTableHoldsEveryTruncatedNegatedSine) {
    for (int i = 0; i < 450; i++)
        ASSERT_EQ(spriterotate_sincos[i],
                  int32_t(std::trunc(-32767.0 * std::sin(i * std::numbers::pi / 180))))
            << i;
    EXPECT_EQ(spriterotate_sincos[1], -571);
    EXPECT_EQ(spriterotate_sincos[270], 32767);
}

TEST_P(SpriteDepths, CreateMaskClearShareAndDelete) {
    const uint32_t before = g_mem_in_use;
    VRX_Sprite s{};
    VRX_CreateSprite(3, 2, &s);
    const int bytes = mode16 ? 2 : 4;
    const auto *b = static_cast<const uint8_t *>(s.data);
    EXPECT_TRUE(std::all_of(b, b + 6 * bytes, [](uint8_t v) { return v == 0; }));
    VRX_Bitmap bm{};
    EXPECT_EQ(VRX_GetBitmapFromSprite(&bm, s), &bm);
    EXPECT_EQ(bm.width, 3);
    EXPECT_EQ(bm.height, 2);
    EXPECT_EQ(bm.size, uint32_t(6 * bytes));
    EXPECT_EQ(bm.pixels, 6);
    EXPECT_EQ(bm.data, s.data);
    VRX_DeleteSprite(&s);
    EXPECT_EQ(s.data, nullptr);
    VRX_DeleteSprite(&s); // a second delete is harmless
    EXPECT_EQ(g_mem_in_use, before);

    // The mask keeps only the bits it has: here the colour without its opacity.
    const std::vector<uint32_t> px = {mode16 ? 0x7FFFu : 0xFF123456u,
                                      mode16 ? 0x001Fu : 0x80FFFFFFu};
    VRX_Sprite m{};
    if (mode16) {
        std::vector<uint16_t> p16(px.begin(), px.end());
        CreateMaskedSprite(2, 1, p16.data(), &m, 0xFF0000);
        EXPECT_EQ(static_cast<uint16_t *>(m.data)[0], 0x7C00);
        EXPECT_EQ(static_cast<uint16_t *>(m.data)[1], 0);
    } else {
        CreateMaskedSprite(2, 1, px.data(), &m, 0x00FFFFFF);
        EXPECT_EQ(static_cast<uint32_t *>(m.data)[0], 0x123456u);
        EXPECT_EQ(static_cast<uint32_t *>(m.data)[1], 0xFFFFFFu);
    }
    VRX_DeleteSprite(&m);
}

namespace {

// Where a draw call lands, as a picture: expected target pixel for sprite pixel (sx, sy) at
// target (x, y), or the canvas fill.
using Draw = std::function<void(int32_t x, int32_t y, VRX_Sprite, VRX_Bitmap)>;

// A draw at (x, y) into a small target equals the same draw into a larger one shifted by
// `margin`, cut to the small target: clipping at every side loses nothing and adds nothing.
void expect_clips_like_whole(const Draw &draw, const VRX_Sprite &s, int32_t x, int32_t y) {
    const int32_t W = 24, H = 20, margin = 64;
    Canvas small(W, H, 0x5, 16), big(W + 2 * margin, H + 2 * margin, 0x5);
    draw(x, y, s, small.bm);
    draw(x + margin, y + margin, s, big.bm);
    ASSERT_TRUE(small.guards_intact()) << x << "," << y;
    for (int32_t j = 0; j < H; j++)
        for (int32_t i = 0; i < W; i++)
            ASSERT_EQ(small.at(i, j), big.at(i + margin, j + margin))
                << "draw at " << x << "," << y << " pixel " << i << "," << j;
}

} // namespace

TEST_P(SpriteDepths, EveryDrawClipsAtEverySide) {
    TestSprite t(16, 12, sprite_pattern(16, 12));
    const std::pair<const char *, Draw> draws[] = {
        {"plain", VRX_DrawSprite},
        {"mirrored", VRX_DrawMirroredSprite},
        {"mix", [](int32_t x, int32_t y, VRX_Sprite s,
                   VRX_Bitmap b) { VRX_DrawBlendSprite(x, y, s, b, 1); }},
        {"scaled", [](int32_t x, int32_t y, VRX_Sprite s,
                      VRX_Bitmap b) { VRX_DrawScaledSprite(x, y, 37, 9, s, b); }},
        {"rotated", [](int32_t x, int32_t y, VRX_Sprite s,
                       VRX_Bitmap b) { VRX_DrawRotatedSpriteZoom(x, y, s, b, 33, 150); }},
        {"pivot", [](int32_t x, int32_t y, VRX_Sprite s,
                     VRX_Bitmap b) { VRX_DrawRotatedSpriteXY(x, y, s, b, 200, 128, 2, 11); }},
    };
    const int32_t at[] = {-40, -15, -8, -1, 0, 3, 10, 15, 19, 23, 24, 60};
    for (auto &[name, draw] : draws) {
        SCOPED_TRACE(name);
        for (int32_t x : at)
            for (int32_t y : at) expect_clips_like_whole(draw, t.s, x, y);
    }
}

// Values of one call, against a picture drawn pixel by pixel from the rule.
TEST_P(SpriteDepths, PlainAndMirroredPlaceEveryOpaquePixel) {
    TestSprite t(16, 16, sprite_pattern(16, 16));
    for (bool mirror : {false, true}) {
        const std::pair<int32_t, int32_t> at[] = {
            {-8, -8}, {640, 0}, {632, 472}, {100, 50}, {0, -16}};
        for (auto [x, y] : at) {
            Canvas dst(640, 480, 0x7);
            (mirror ? VRX_DrawMirroredSprite : VRX_DrawSprite)(x, y, t.s, dst.bm);
            Points want;
            for (int32_t j = 0; j < 16; j++)
                for (int32_t i = 0; i < 16; i++) {
                    const int32_t tx = x + i, ty = y + j;
                    const uint32_t p = t.at(mirror ? 15 - i : i, j);
                    if (tx < 0 || ty < 0 || tx >= 640 || ty >= 480 || p == 0) continue;
                    want.insert({tx, ty});
                    ASSERT_EQ(dst.at(tx, ty), p) << x << "," << y << " " << i << "," << j;
                }
            EXPECT_EQ(dst.lit(), want) << x << "," << y;
        }
    }
}

TEST_F(Sprite32, BlendModesPickTheirKernels) {
    const uint32_t target = 0x00204060, pixel = 0xFE80A0C0;
    const std::pair<int8_t, uint32_t> modes[] = {
        {0, pixel},      {1, 0x7F507090}, {2, 0x00A0E0FF}, {3, 0x00102848},
        {4, 0x3F385878}, {5, 0x3D6888A8}, {6, target},     {-1, target},
    };
    TestSprite t(2, 1, {pixel, 0x00FFFFFF});
    for (auto [mode, want] : modes) {
        Canvas dst(2, 1, target);
        VRX_DrawBlendSprite(0, 0, t.s, dst.bm, mode);
        EXPECT_EQ(dst.at(0, 0), want) << int(mode);
        EXPECT_EQ(dst.at(1, 0), target) << int(mode); // transparent pixel
    }
}

TEST_P(SpriteDepths, ScaledAndZoomedSizes) {
    TestSprite t(16, 16, sprite_pattern(16, 16));
    TestSprite solid(15, 15, std::vector<uint32_t>(225, mode16 ? 0x1234u : 0xFF123456u));
    // Drawn size 0 x 0: the top-left pixel only.
    Canvas dst(64, 64, 0x7);
    VRX_DrawScaledSprite(5, 6, 0, 0, solid.s, dst.bm);
    EXPECT_EQ(dst.lit(), Points({{5, 6}}));
    // 32 x 32: every pixel in a 2 x 2 block.
    dst.clear();
    VRX_DrawScaledSprite(0, 0, 32, 32, t.s, dst.bm);
    for (int32_t j = 0; j < 32; j++)
        for (int32_t i = 0; i < 32; i++) {
            const uint32_t p = t.at(i / 2, j / 2);
            ASSERT_EQ(dst.at(i, j), p ? p : 0x7) << i << "," << j;
        }
    // Zoom percentages: 50 % of 15 is 7; 0 % is one pixel; 200 % of 15 is 30.
    const std::pair<int32_t, int32_t> zooms[] = {{50, 7}, {0, 1}, {-30, 1}, {200, 30}, {100, 15}};
    for (auto [zoom, side] : zooms) {
        dst.clear();
        VRX_DrawZoomedSprite(3, 4, zoom, solid.s, dst.bm);
        Points want;
        for (int32_t j = 0; j < side; j++)
            for (int32_t i = 0; i < side; i++) want.insert({3 + i, 4 + j});
        EXPECT_EQ(dst.lit(), want) << zoom;
    }
    // A sprite without data is simply not drawn at any size.
    dst.clear();
    VRX_DrawZoomedSprite(0, 0, 100, VRX_Sprite{4, 4, nullptr}, dst.bm);
    EXPECT_TRUE(dst.lit().empty());
}

TEST_P(SpriteDepths, StereoPairSpreadsTheEyesByDepth) {
    TestSprite solid(10, 10, std::vector<uint32_t>(100, mode16 ? 0x1234u : 0xFF123456u));
    const struct {
        int32_t depth, left_x, right_x, side;
    } rows[] = {{0, 57, 43, 10}, {100, 50, 50, 20}, {132, 48, 52, 23}};
    for (auto r : rows) {
        Canvas left(100, 40, 0x7), right(100, 40, 0x7);
        VRX_DrawSprite3D(50, 5, r.depth, solid.s, left.bm, right.bm);
        for (auto [c, x] : {std::pair{&left, r.left_x}, std::pair{&right, r.right_x}}) {
            auto spans = c->spans();
            EXPECT_EQ(spans[5], std::make_pair(x, x + r.side - 1)) << r.depth;
            EXPECT_EQ(spans[5 + r.side - 1].first, x) << r.depth;
            EXPECT_EQ(spans[5 + r.side].first, -1) << r.depth;
        }
    }
}

TEST_P(SpriteDepths, RotationAtZeroCoversSeventeenSquare) {
    TestSprite t(16, 16, sprite_pattern(16, 16));
    TestSprite solid(16, 16, std::vector<uint32_t>(256, mode16 ? 0x1234u : 0xFF123456u));
    const int k[17] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 9, 10, 11, 12, 13, 14, 15};
    Canvas dst(80, 80, 0x7);
    VRX_DrawRotatedSprite(30, 20, solid.s, dst.bm, 0);
    Points want;
    for (int32_t j = 0; j < 17; j++)
        for (int32_t i = 0; i < 17; i++) want.insert({30 + i, 20 + j});
    EXPECT_EQ(dst.lit(), want);
    dst.clear();
    VRX_DrawRotatedSprite(30, 20, t.s, dst.bm, 0);
    for (int32_t j = 0; j < 17; j++)
        for (int32_t i = 0; i < 17; i++) {
            const uint32_t p = t.at(k[i], k[j]);
            ASSERT_EQ(dst.at(30 + i, 20 + j), p ? p : 0x7) << i << "," << j;
        }
    // Magnified, the picture is cut to the box of twice the sprite's side around its centre.
    dst.clear();
    VRX_DrawRotatedSpriteZoom(30, 20, solid.s, dst.bm, 0, 512);
    want.clear();
    for (int32_t j = 0; j < 32; j++)
        for (int32_t i = 0; i < 32; i++) want.insert({22 + i, 12 + j});
    EXPECT_EQ(dst.lit(), want);
    // Whole turns and their negatives are the same picture.
    auto picture = [&](int32_t angle, int32_t zoom) {
        Canvas c(80, 80, 0x7);
        VRX_DrawRotatedSpriteZoom(30, 20, t.s, c.bm, angle, zoom);
        return std::vector<uint8_t>(c.mem);
    };
    EXPECT_EQ(picture(360, 128), picture(0, 128));
    EXPECT_EQ(picture(-90, 128), picture(270, 128));
    EXPECT_EQ(picture(-450, 77), picture(270, 77));
    EXPECT_NE(picture(90, 128), picture(270, 128));
    // Zoom 0 is zoom 1: a speck at the centre, not a division by zero.
    Canvas c(80, 80, 0x7);
    VRX_DrawRotatedSpriteZoom(30, 20, solid.s, c.bm, 45, 0);
    EXPECT_LE(c.lit().size(), 1u);
}

// About the top-left pixel, a quarter turn clockwise swings the sprite to the left of it.
TEST_F(Sprite32, QuarterTurnAboutAPivot) {
    TestSprite solid(8, 4, std::vector<uint32_t>(32, 0xFF123456u));
    Canvas dst(40, 40, 0x7);
    VRX_DrawRotatedSpriteXY(20, 10, solid.s, dst.bm, 90, 128, 0, 0);
    const Points lit = dst.lit();
    ASSERT_FALSE(lit.empty());
    for (auto [x, y] : lit) {
        EXPECT_LE(x, 20);
        EXPECT_GE(x, 16);
        EXPECT_GE(y, 10);
        EXPECT_LE(y, 18);
    }
}

TEST_P(SpriteDepths, DrawingASpriteWithoutDataStopsTheProgram) {
    Canvas dst(8, 8);
    const VRX_Sprite none{4, 4, nullptr};
    const std::function<void()> draws[] = {
        [&] { VRX_DrawSprite(0, 0, none, dst.bm); },
        [&] { VRX_DrawMirroredSprite(0, 0, none, dst.bm); },
        [&] { VRX_DrawBlendSprite(0, 0, none, dst.bm, 2); },
        [&] { VRX_DrawRotatedSprite(0, 0, none, dst.bm, 10); },
        [&] { VRX_DrawRotatedSpriteXY(0, 0, none, dst.bm, 10, 0, 1, 1); },
    };
    for (auto &draw : draws)
        EXPECT_EXIT((dup2(2, 1), draw()), testing::ExitedWithCode(1),
                    "graphics/sprite.cpp\\(.+\\): assertion failed: src.data\n");
}
