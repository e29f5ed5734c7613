#include "base/memory.h"
#include "sprite_fixture.h"

#include <cmath>
#include <functional>
#include <numbers>

using SpriteDepths = BothDepths;
INSTANTIATE_BOTH_DEPTHS(SpriteDepths);

namespace {

enum Cut { PLAIN, DARK, TINT };

// Cuts one source pixel, stored as the current depth stores it, into a 1 x 1 sprite.
uint32_t cut_one(uint32_t stored, Cut kind, uint32_t tint) {
    Canvas src(1, 1, stored);
    TestSprite t;
    if (kind == PLAIN) VRX_GetSprite(0, 0, 1, 1, src.bm, &t.s);
    if (kind == DARK) VRX_GetDarkSprite(0, 0, 1, 1, src.bm, &t.s);
    if (kind == TINT) VRX_GetColorSprite(0, 0, 1, 1, tint, src.bm, &t.s);
    return t.at(0, 0);
}

using Draw = std::function<void(int32_t x, int32_t y, VRX_Sprite, VRX_Bitmap)>;
#define ON(call) [&](VRX_Bitmap b) { call; }
#define DRAW(call) [&](int32_t x, int32_t y, VRX_Sprite s, VRX_Bitmap b) { call; }

} // namespace

TEST(SpriteCut, KeysMagentaAndKeepsEveryOtherPixelOpaque) {
    const struct {
        bool mode16;
        uint32_t src;
        Cut kind;
        uint32_t tint, want;
    } rows[] = {{0, 0xFFFF00FF, PLAIN, 0, 0},
                {0, 0x00F10FF1, DARK, 0, 0},
                {0, 0xFFF00AF5, PLAIN, 0, 0xFEF00AF5},
                {0, 0xFFF110F1, PLAIN, 0, 0xFEF110F1},
                {0, 0x00102030, PLAIN, 0, 0xFF102030},
                {0, 0x01102030, PLAIN, 0, 0x00102030},
                {0, 0xFF808080, DARK, 0, 0x7E404040},
                {0, 0x00808080, DARK, 0, 0xFF404040},
                {0, 0xFF808080, TINT, 0x80FF00, 0xFF407F00},
                {0, 0x00FFFFFF, TINT, 0xFFFFFF, 0xFFFEFEFE},
                {0, 0xFFFF00FF, TINT, 0xFFFFFF, 0},
                {1, 0x0000, PLAIN, 0, 1},
                {1, 0x7C1F, PLAIN, 0, 0},
                {1, 0x7E08, PLAIN, 0, 0x7E08},
                {1, 0x7FFF, DARK, 0, 0x3DEF},
                {1, 0x0421, DARK, 0, 1},
                {1, 0x7FFF, TINT, 0x80FF00, 0x3FC0},
                {1, 0x7FFF, TINT, 0, 1}};
    for (auto r : rows) {
        set_depth(r.mode16);
        EXPECT_EQ(cut_one(r.src, r.kind, r.tint), r.want) << std::hex << r.src << " " << r.kind;
    }
    set_depth(false);
}

// A rectangle reaching outside the source keeps its size and comes out wholly transparent.
TEST_P(SpriteDepths, FailedCutLeavesAClearedSprite) {
    Canvas src(8, 6, colour(0x123456));
    const int32_t rects[][4] = {{-1, 0, 4, 4}, {0, -1, 4, 4}, {5, 0, 4, 4}, {0, 3, 4, 4}};
    for (auto [x, y, w, h] : rects) {
        TestSprite t;
        VRX_GetColorSprite(x, y, w, h, 0xFFFFFF, src.bm, &t.s);
        ASSERT_EQ(t.s.width * t.s.height, w * h);
        const auto *b = static_cast<const uint8_t *>(t.s.data);
        EXPECT_EQ(std::count(b, b + w * h * 4, 0), w * h * 4) << x << "," << y;
    }
    // Sizes that cannot be allocated give no data and the allocator's message.
    for (auto size : {std::pair{-1, 4}, std::pair{65536, 65536}}) {
        VRX_Sprite s{};
        const std::string out =
            printed([&] { VRX_GetSprite(0, 0, size.first, size.second, src.bm, &s); });
        EXPECT_TRUE(out.starts_with("graphics/sprite.cpp(") && out.ends_with(" failed!\n")) << out;
        EXPECT_EQ(s.data, nullptr);
    }
}

TEST(SpriteRules, TransparencyKeyCollisionEdgesAndRotationTable) {
    const std::pair<uint32_t, int32_t> keys[] = {{0xFF00FF, 1}, {0xABF10FF1, 1}, {0xF00FF1, 0},
                                                 {0xF110F1, 0}, {0xF10FF0, 0},   {0, 0}};
    for (auto [c, want] : keys) EXPECT_EQ(VRX_CheckSpriteTransparency(c), want) << std::hex << c;
    const struct {
        int32_t r[8], want;
    } hits[] = {{{0, 0, 10, 10, 10, 0, 5, 5}, 0},
                {{0, 0, 10, 10, 9, 9, 5, 5}, 1},
                {{0, 0, 10, 10, 0, 10, 5, 5}, 0},
                {{0, 0, 10, 10, -5, -5, 5, 5}, 0},
                {{0, 0, 10, 10, -5, 3, 5, 5}, 0},
                {{0, 0, 10, 10, 3, -5, 5, 5}, 0},
                {{0, 0, 10, 10, -4, -4, 5, 5}, 1},
                {{2, 2, 1, 1, 0, 0, 10, 10}, 1},
                {{INT32_MAX - 1, 0, INT32_MAX, 1, INT32_MIN, 0, INT32_MAX, 1}, 0}};
    for (auto h : hits) {
        const int32_t *r = h.r;
        EXPECT_EQ(VRX_CheckSpriteCollision(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]), h.want)
            << r[0] << "," << r[1] << " vs " << r[4] << "," << r[5];
    }
    for (int i = 0; i < 450; i++)
        ASSERT_EQ(spriterotate_sincos[i],
                  int32_t(std::trunc(-32767.0 * std::sin(i * std::numbers::pi / 180))))
            << i;
}

TEST_P(SpriteDepths, CreateShareAndDelete) {
    const uint32_t before = g_mem_in_use;
    VRX_Sprite s{};
    VRX_CreateSprite(3, 2, &s);
    const int32_t bytes = mode16 ? 2 : 4;
    const auto *data = static_cast<const uint8_t *>(s.data);
    EXPECT_EQ(std::count(data, data + 6 * bytes, 0), 6 * bytes);
    VRX_Bitmap bm{};
    EXPECT_EQ(VRX_GetBitmapFromSprite(&bm, s), &bm);
    EXPECT_EQ(std::vector<int64_t>({bm.width, bm.height, bm.size, bm.pixels, bm.data == s.data}),
              std::vector<int64_t>({3, 2, 6 * bytes, 6, 1}));
    VRX_DeleteSprite(&s);
    VRX_DeleteSprite(&s); // a second delete is harmless
    EXPECT_EQ(s.data, nullptr);
    EXPECT_EQ(g_mem_in_use, before);
}

// A draw at (x, y) into a small target equals the same draw into a larger one, cut to the small
// target: clipping at every side loses nothing and adds nothing.
TEST_P(SpriteDepths, EveryDrawClipsAtEverySide) {
    TestSprite t(16, 12, sprite_pattern(16, 12));
    const std::pair<const char *, Draw> draws[] = {
        {"plain", VRX_DrawSprite},
        {"mirrored", VRX_DrawMirroredSprite},
        {"mix", DRAW(VRX_DrawBlendSprite(x, y, s, b, 1))},
        {"scaled", DRAW(VRX_DrawScaledSprite(x, y, 37, 9, s, b))},
        {"rotated", DRAW(VRX_DrawRotatedSpriteZoom(x, y, s, b, 33, 150))},
        {"pivot", DRAW(VRX_DrawRotatedSpriteXY(x, y, s, b, 200, 128, 2, 11))}};
    const int32_t W = 24, H = 20, margin = 64, at[] = {-40, -15, -8, -1, 0, 3, 10, 19, 23, 24, 60};
    for (auto &[name, draw] : draws)
        for (int32_t x : at)
            for (int32_t y : at) {
                Canvas small(W, H, 0x5, 16), big(W + 2 * margin, H + 2 * margin, 0x5);
                draw(x, y, t.s, small.bm);
                draw(x + margin, y + margin, t.s, big.bm);
                ASSERT_TRUE(small.guards_intact()) << name << " " << x << "," << y;
                for (int32_t j = 0; j < H; j++)
                    for (int32_t i = 0; i < W; i++)
                        ASSERT_EQ(small.at(i, j), big.at(i + margin, j + margin))
                            << name << " at " << x << "," << y << " pixel " << i << "," << j;
            }
}

// Whole draws: target offset (i, j) from (x, y) shows the mapped sprite pixel where it is opaque.
TEST_P(SpriteDepths, WholeDrawsShowTheirSpritePixels) {
    TestSprite t(16, 16, sprite_pattern(16, 16));
    enum Map { SAME, MIRROR, HALF };
    const struct {
        Map map;
        Draw draw;
        int32_t side;
    } rows[] = {{SAME, VRX_DrawSprite, 16},
                {MIRROR, VRX_DrawMirroredSprite, 16},
                {HALF, DRAW(VRX_DrawScaledSprite(x, y, 32, 32, s, b)), 32}};
    for (auto &r : rows) {
        Canvas dst(80, 80, 0x7);
        r.draw(30, 20, t.s, dst.bm);
        Points want;
        for (int32_t j = 0; j < r.side; j++)
            for (int32_t i = 0; i < r.side; i++) {
                const int32_t sx = r.map == MIRROR ? 15 - i : r.map == HALF ? i / 2 : i;
                const int32_t sy = r.map == HALF ? j / 2 : j;
                if (!t.at(sx, sy)) continue;
                want.insert({30 + i, 20 + j});
                ASSERT_EQ(dst.at(30 + i, 20 + j), t.at(sx, sy)) << r.map << " " << i << "," << j;
            }
        EXPECT_EQ(dst.lit(), want) << r.map;
    }
}

TEST_F(Depth32, BlendModesPickTheirKernels) {
    const uint32_t target = 0x00204060, pixel = 0xFE80A0C0;
    const std::pair<int8_t, uint32_t> modes[] = {{0, pixel},      {1, 0x7F507090}, {2, 0x00A0E0FF},
                                                 {3, 0x00102848}, {4, 0x3F385878}, {5, 0x3D6888A8},
                                                 {6, target},     {-1, target}};
    TestSprite t(2, 1, {pixel, 0x00FFFFFF});
    for (auto [mode, want] : modes) {
        Canvas dst(2, 1, target);
        VRX_DrawBlendSprite(0, 0, t.s, dst.bm, mode);
        EXPECT_EQ(dst.at(0, 0), want) << int(mode);
        EXPECT_EQ(dst.at(1, 0), target) << int(mode); // transparent pixel
    }
}

// The area each sized draw of a solid 16 x 16 sprite covers, drawn at (30, 20).
TEST_P(SpriteDepths, SizedDrawsCoverTheirAreas) {
    TestSprite solid(16, 16, std::vector<uint32_t>(256, mode16 ? 0x1234u : 0xFF123456u));
    const VRX_Bitmap none{80, 80, 0, 0, nullptr}; // the other eye
    const struct {
        const char *name;
        std::function<void(VRX_Bitmap)> draw;
        int32_t x, y, w, h;
    } rows[] = {
        {"0x0", ON(VRX_DrawScaledSprite(30, 20, 0, -5, solid.s, b)), 30, 20, 1, 1},
        {"47%", ON(VRX_DrawZoomedSprite(30, 20, 47, solid.s, b)), 30, 20, 7, 7},
        {"150%", ON(VRX_DrawZoomedSprite(30, 20, 150, solid.s, b)), 30, 20, 24, 24},
        {"left 0", ON(VRX_DrawSprite3D(30, 20, 0, solid.s, b, none)), 37, 20, 16, 16},
        {"right 0", ON(VRX_DrawSprite3D(30, 20, 0, solid.s, none, b)), 23, 20, 16, 16},
        {"left 100", ON(VRX_DrawSprite3D(30, 20, 100, solid.s, b, none)), 30, 20, 32, 32},
        {"right 132", ON(VRX_DrawSprite3D(30, 20, 132, solid.s, none, b)), 32, 20, 37, 37},
        {"rotated", ON(VRX_DrawRotatedSprite(30, 20, solid.s, b, 0)), 30, 20, 17, 17},
        // Magnified, the picture is cut to the box of twice the side around the centre.
        {"rotated x4", ON(VRX_DrawRotatedSpriteZoom(30, 20, solid.s, b, 0, 512)), 22, 12, 32, 32},
        // Zoom 0 counts as 1: only the pivot's own pixel lands inside the sprite.
        {"zoom 0", ON(VRX_DrawRotatedSpriteZoom(30, 20, solid.s, b, 45, 0)), 38, 28, 1, 1},
        {"no data", ON(VRX_DrawZoomedSprite(30, 20, 100, VRX_Sprite{4, 4, nullptr}, b)), 0, 0, 0,
         0}};
    for (auto &r : rows) {
        Canvas dst(80, 80, 0x7);
        r.draw(dst.bm);
        Points want;
        for (int32_t j = 0; j < r.h; j++)
            for (int32_t i = 0; i < r.w; i++) want.insert({r.x + i, r.y + j});
        EXPECT_EQ(dst.lit(), want) << r.name;
    }
}

TEST_P(SpriteDepths, DrawingASpriteWithoutDataStopsTheProgram) {
    Canvas dst(8, 8);
    const VRX_Sprite none{4, 4, nullptr};
    const std::function<void()> draws[] = {
        [&] { VRX_DrawSprite(0, 0, none, dst.bm); },
        [&] { VRX_DrawMirroredSprite(0, 0, none, dst.bm); },
        [&] { VRX_DrawBlendSprite(0, 0, none, dst.bm, 2); },
        [&] { VRX_DrawRotatedSpriteXY(0, 0, none, dst.bm, 10, 0, 1, 1); }};
    for (auto &draw : draws)
        EXPECT_EXIT((dup2(2, 1), draw()), testing::ExitedWithCode(1),
                    "graphics/sprite.cpp\\(.+\\): assertion failed: src.data\n");
}

// Coordinates, sizes, angles, zooms and pivots anywhere in 32 bits stay inside the target.
TEST_P(SpriteDepths, WildArgumentsStayInsideTheTarget) {
    TestSprite t(9, 13, sprite_pattern(9, 13));
    Canvas dst(40, 30, 0x7, 64);
    WildRng rng{0x5EED};
    for (int n = 0; n < 3000; n++) {
        const int32_t x = rng.coord(), y = rng.coord(), a = rng.coord(), b = rng.coord();
        const int32_t px = rng.coord(), py = rng.coord();
        VRX_DrawSprite(x, y, t.s, dst.bm);
        VRX_DrawMirroredSprite(x, y, t.s, dst.bm);
        VRX_DrawBlendSprite(x, y, t.s, dst.bm, int8_t(a));
        VRX_DrawScaledSprite(x, y, a, b, t.s, dst.bm);
        VRX_DrawZoomedSprite(x, y, a, t.s, dst.bm);
        VRX_DrawSprite3D(x, y, a, t.s, dst.bm, dst.bm);
        VRX_DrawRotatedSpriteZoom(x, y, t.s, dst.bm, a, b);
        VRX_DrawRotatedSpriteXY(x, y, t.s, dst.bm, a, b, px, py);
        ASSERT_TRUE(dst.guards_intact()) << n;
    }
}

// Every box pixel against the sprite pixel the turn maps it to, computed one pixel at a time;
// angles wrap to 0...359.
TEST_P(SpriteDepths, RotationMatchesThePerPixelMapping) {
    TestSprite t(13, 7, sprite_pattern(13, 7));
    const int32_t cases[][4] = {{0, 128, 6, 3},          {30, 128, 6, 3},  {90, 128, 0, 0},
                                {137, 200, 12, 6},       {211, 77, -3, 9}, {300, -90, 6, 3},
                                {45, 1000, 2, 5},        {359, 128, 6, 3}, {180, 64, 13, 7},
                                {360, 128, 6, 3},        {-90, 128, 6, 3}, {-450, 77, 3, 5},
                                {3 * 360 + 7, 128, 6, 3}};
    for (auto [angle, zoom, px, py] : cases) {
        Canvas dst(60, 50, 0x7);
        const int32_t x = 20, y = 18;
        VRX_DrawRotatedSpriteXY(x, y, t.s, dst.bm, angle, zoom, px, py);
        const int32_t a = (angle % 360 + 360) % 360;
        const int64_t sn = spriterotate_sincos[a] / zoom, cs = -spriterotate_sincos[a + 90] / zoom;
        const int32_t D = 26, left = x - (D - 13) / 2 - (6 - px), top = y - (D - 7) / 2 - (3 - py);
        for (int32_t j = -D / 2; j < D / 2; j++)
            for (int32_t i = -D / 2; i < D / 2; i++) {
                const int64_t sx = ((i * cs - j * sn) >> 8) + px,
                              sy = ((i * sn + j * cs) >> 8) + py;
                const bool in = sx >= 0 && sx < 13 && sy >= 0 && sy < 7;
                const uint32_t want =
                    in && t.at(int32_t(sx), int32_t(sy)) ? t.at(int32_t(sx), int32_t(sy)) : 0x7;
                ASSERT_EQ(dst.at(left + D / 2 + i, top + D / 2 + j), want)
                    << angle << "/" << zoom << " at " << i << "," << j;
            }
    }
}
