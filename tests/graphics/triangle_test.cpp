#include "graphics/primitives.h"
#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"
#include "video/video_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {
const uint32_t kBack32 = 0x12345678, kBack16 = 0x1234;

VRX_Vertex vtx(int32_t x, int32_t y) {
    return VRX_Vertex{x, y, 0, 0, 0, 0, 0};
}
VRX_Vertex shaded(int32_t x, int32_t y, int32_t shade) {
    return VRX_Vertex{x, y, 0, 0, 0, 0, shade};
}
VRX_Vertex textured(int32_t x, int32_t y, int32_t u, int32_t v) {
    return VRX_Vertex{x, y, u, v, 0, 0, 0};
}

// Runs every test in both depths; the bitmap is cleared to a value no triangle here draws.
struct Triangles : testing::TestWithParam<bool> {
    std::vector<uint32_t> store;
    std::vector<uint32_t> texstore;
    VRX_Bitmap bmp{};
    bool mode16 = false;

    void SetUp() override {
        mode16 = GetParam();
        VRX_video.flags = mode16 ? uint32_t(VRX_VIDEO_16BIT) : 0u;
        if (mode16)
            VornBlit_Initialise(5, 5, 5, 10, 5, 0);
        else
            VornBlit_Initialise(8, 8, 8, 16, 8, 0);
        make(24, 24);
        // Texel i holds i itself, so a pixel names the texel it came from.
        texstore.assign(65536, 0);
        for (uint32_t i = 0; i < 65536; ++i) {
            if (mode16)
                reinterpret_cast<uint16_t *>(texstore.data())[i] = uint16_t(i);
            else
                texstore[i] = 0xFF000000u | i;
        }
        VRX_SetPrimitiveTexture(
            VRX_Bitmap{256, 256, 65536u * (mode16 ? 2u : 4u), 65536, texstore.data()});
    }
    void TearDown() override {
        VRX_video.flags = 0;
        VRX_SetPrimitiveTexture(VRX_Bitmap{});
    }
    void make(int32_t w, int32_t h) {
        uint32_t bpp = mode16 ? 2 : 4;
        store.assign(size_t(w) * h, 0);
        bmp = VRX_Bitmap{w, h, uint32_t(w * h) * bpp, w * h, store.data()};
        for (int32_t i = 0; i < w * h; ++i) put(i, back());
    }
    uint32_t back() const { return mode16 ? kBack16 : kBack32; }
    void put(int32_t i, uint32_t p) {
        if (mode16)
            static_cast<uint16_t *>(bmp.data)[i] = uint16_t(p);
        else
            static_cast<uint32_t *>(bmp.data)[i] = p;
    }
    uint32_t px(int32_t x, int32_t y) const {
        int32_t i = y * bmp.width + x;
        return mode16 ? static_cast<uint16_t *>(bmp.data)[i] : static_cast<uint32_t *>(bmp.data)[i];
    }
    uint32_t colour(uint32_t rgb) const { return mode16 ? VornBlit_color24to16(rgb) : rgb; }
    uint32_t grey(uint32_t g) const {
        return mode16 ? VornBlit_color24to16(g * 0x010101u) : g * 0x010101u;
    }
    uint32_t texel(uint32_t i) const { return mode16 ? i : 0xFF000000u | i; }

    // First and last drawn column of each row ({-1, -1}: empty); a gap inside a row fails.
    std::vector<std::array<int32_t, 2>> spans() const {
        std::vector<std::array<int32_t, 2>> out;
        for (int32_t y = 0; y < bmp.height; ++y) {
            std::array<int32_t, 2> s{-1, -1};
            for (int32_t x = 0; x < bmp.width; ++x) {
                if (px(x, y) == back()) continue;
                if (s[0] < 0) s[0] = x;
                EXPECT_EQ(s[1] < 0 ? x : s[1] + 1, x) << "gap in row " << y;
                s[1] = x;
            }
            out.push_back(s);
        }
        return out;
    }
    int32_t drawn() const {
        int32_t n = 0;
        for (int32_t y = 0; y < bmp.height; ++y)
            for (int32_t x = 0; x < bmp.width; ++x) n += px(x, y) != back();
        return n;
    }
    std::vector<uint32_t> image() const {
        std::vector<uint32_t> out;
        for (int32_t y = 0; y < bmp.height; ++y)
            for (int32_t x = 0; x < bmp.width; ++x) out.push_back(px(x, y));
        return out;
    }
};

using Rows = std::vector<std::array<int32_t, 2>>;
Rows with_empty_rows(Rows rows, size_t height) {
    rows.resize(height, {-1, -1});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Depths, Triangles, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool> &p) {
                             return p.param ? "Depth16" : "Depth32";
                         });
} // namespace

TEST_P(Triangles, FlatTopRowIsOnePixelThenReachesTheMiddleVertex) {
    VRX_DrawTriangle(vtx(0, 0), vtx(10, 0), vtx(0, 10), 0xFF8040, bmp);
    Rows want{{0, 0}};
    for (int32_t y = 1; y <= 10; ++y) want.push_back({0, 11 - y});
    EXPECT_EQ(spans(), with_empty_rows(want, 24));
    EXPECT_EQ(px(0, 10), colour(0xFF8040));
    EXPECT_EQ(px(10, 1), colour(0xFF8040));

    // The right top vertex given first: the two top vertices change roles, same picture.
    auto first = image();
    make(24, 24);
    VRX_DrawTriangle(vtx(10, 0), vtx(0, 0), vtx(0, 10), 0xFF8040, bmp);
    EXPECT_EQ(image(), first);
}

TEST_P(Triangles, EachKindKeepsItsBottomRowAndSpanEndRule) {
    // Right angle at (0, 4): row y of the exact triangle covers 0 ... y.
    VRX_DrawTriangle(vtx(0, 0), vtx(0, 4), vtx(4, 4), 0x00FF00, bmp);
    EXPECT_EQ(spans(), with_empty_rows({{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}}, 24));

    make(24, 24);
    VRX_DrawTriangleShaded(shaded(0, 0, 255), shaded(0, 4, 255), shaded(4, 4, 255), bmp);
    EXPECT_EQ(spans(), with_empty_rows({{-1, -1}, {0, 0}, {0, 1}, {0, 2}}, 24));
    EXPECT_EQ(px(2, 3), grey(255));

    make(24, 24);
    VRX_DrawTriangleTextured(textured(0, 0, 0, 0), textured(0, 4, 0, 0), textured(4, 4, 0, 0), bmp);
    EXPECT_EQ(spans(), with_empty_rows({{0, 0}, {0, 1}, {0, 2}, {0, 3}}, 24));
}

TEST_P(Triangles, WhiteShadedTriangleLeavesRightEndAndBottomRow) {
    VRX_DrawTriangleShaded(shaded(0, 0, 255), shaded(8, 0, 255), shaded(0, 8, 255), bmp);
    Rows want;
    for (int32_t y = 0; y < 8; ++y) want.push_back({0, 7 - y});
    EXPECT_EQ(spans(), with_empty_rows(want, 24));
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8 - y; ++x) EXPECT_EQ(px(x, y), grey(255));
}

TEST_P(Triangles, ShadeStepsAcrossAndOnlyTheLowByteCounts) {
    // 0 at the left, 128 sixteen pixels right: 8 grey levels per pixel on every row.
    VRX_DrawTriangleShaded(shaded(0, 0, 0x100), shaded(16, 0, 128), shaded(0, 16, 0), bmp);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16 - y; ++x) ASSERT_EQ(px(x, y), grey(8 * x)) << x << "," << y;
    EXPECT_EQ(drawn(), 16 * 17 / 2);
}

TEST_P(Triangles, ShadeAlongTheLeftEdgeFollowsTheShortEdges) {
    // Middle vertex on the left: the left side changes from the top edge to the bottom one.
    VRX_DrawTriangleShaded(shaded(8, 0, 0), shaded(0, 8, 128), shaded(8, 16, 0), bmp);
    EXPECT_EQ(px(8, 0), back()); // right end excluded on the one-pixel top row
    EXPECT_EQ(px(0, 8), grey(128));
    EXPECT_EQ(px(4, 4), grey(64));
    EXPECT_EQ(px(4, 12), grey(64));
}

TEST_P(Triangles, LeftEdgeClippingAdvancesShade) {
    VRX_DrawTriangleShaded(shaded(0, 0, 0), shaded(16, 0, 128), shaded(0, 16, 0), bmp);
    auto whole = image();
    make(24, 24);
    VRX_DrawTriangleShaded(shaded(-5, 0, 0), shaded(11, 0, 128), shaded(-5, 16, 0), bmp);
    EXPECT_EQ(px(0, 0), grey(40));
    for (int32_t y = 0; y < 24; ++y)
        for (int32_t x = 0; x + 5 < 24; ++x)
            ASSERT_EQ(px(x, y), whole[size_t(y) * 24 + x + 5]) << x << "," << y;
}

TEST_P(Triangles, TexturedSpansIncludeBothEnds) {
    // u follows x and v follows y, one texel per pixel.
    VRX_DrawTriangleTextured(textured(0, 0, 0, 0), textured(16, 0, 16, 0), textured(0, 16, 0, 16),
                             bmp);
    Rows want;
    for (int32_t y = 0; y < 16; ++y) want.push_back({0, 16 - y});
    EXPECT_EQ(spans(), with_empty_rows(want, 24));
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x <= 16 - y; ++x) ASSERT_EQ(px(x, y), texel(256 * y + x));
}

TEST_P(Triangles, LeftEdgeClippingAdvancesTextureCoordinates) {
    VRX_DrawTriangleTextured(textured(-5, 0, 0, 0), textured(11, 0, 16, 0), textured(-5, 16, 0, 16),
                             bmp);
    EXPECT_EQ(px(0, 0), texel(5));
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x <= 11 - y; ++x) ASSERT_EQ(px(x, y), texel(256 * y + x + 5));
    EXPECT_EQ(drawn(), 12 * 13 / 2);
}

TEST_P(Triangles, RightEndReadsTheMiddleVertexTexelAndOnlyLowBytesCount) {
    // u from 250 to 255 over five pixels: the sixth pixel, the right end, reads u = 255.
    VRX_DrawTriangleTextured(textured(0, 0, 250, 0), textured(5, 0, 255, 0), textured(0, 5, 250, 0),
                             bmp);
    EXPECT_EQ(px(0, 0), texel(250));
    EXPECT_EQ(px(5, 0), texel(255));
    EXPECT_EQ(px(6, 0), back());
    make(24, 24);
    // 0x1FF and 0x3FA name row 255 and column 250.
    VRX_DrawTriangleTextured(textured(0, 0, 0x3FA, 0x1FF), textured(5, 0, 255, 0x1FF),
                             textured(0, 5, 250, 0x1FF), bmp);
    EXPECT_EQ(px(0, 0), texel(0xFFFA));
    EXPECT_EQ(px(5, 0), texel(0xFFFF));
}

TEST_P(Triangles, VertexOrderDoesNotChangeThePicture) {
    VRX_Vertex v[3] = {VRX_Vertex{3, 1, 10, 20, 0, 0, 30}, VRX_Vertex{20, 7, 60, 5, 0, 0, 200},
                       VRX_Vertex{9, 19, 0, 90, 0, 0, 90}};
    std::array<int, 3> order{0, 1, 2};
    std::vector<uint32_t> flat, shade, tex;
    do {
        make(24, 24);
        VRX_DrawTriangle(v[order[0]], v[order[1]], v[order[2]], 0x123456, bmp);
        if (flat.empty()) flat = image();
        EXPECT_EQ(image(), flat);
        make(24, 24);
        VRX_DrawTriangleShaded(v[order[0]], v[order[1]], v[order[2]], bmp);
        if (shade.empty()) shade = image();
        EXPECT_EQ(image(), shade);
        make(24, 24);
        VRX_DrawTriangleTextured(v[order[0]], v[order[1]], v[order[2]], bmp);
        if (tex.empty()) tex = image();
        EXPECT_EQ(image(), tex);
    } while (std::next_permutation(order.begin(), order.end()));
    spans(); // every kind fills rows without gaps
    EXPECT_GT(drawn(), 100);
}

TEST_P(Triangles, OneRowTriangleIsOnePixelFlatAndNothingOtherwise) {
    VRX_DrawTriangle(vtx(5, 3), vtx(9, 3), vtx(2, 3), 0xFFFFFF, bmp);
    EXPECT_EQ(drawn(), 1);
    EXPECT_EQ(px(5, 3), colour(0xFFFFFF));
    make(24, 24);
    VRX_DrawTriangleShaded(shaded(5, 3, 9), shaded(9, 3, 9), shaded(2, 3, 9), bmp);
    VRX_DrawTriangleTextured(vtx(5, 3), vtx(9, 3), vtx(2, 3), bmp);
    EXPECT_EQ(drawn(), 0);
}

TEST_P(Triangles, OutsideTheTargetDrawsNothing) {
    VRX_Vertex above[3] = {vtx(2, -20), vtx(20, -9), vtx(5, -1)};
    VRX_Vertex right[3] = {vtx(24, 0), vtx(40, 10), vtx(30, 23)};
    VRX_Vertex below[3] = {vtx(2, 24), vtx(20, 30), vtx(5, 40)};
    for (auto *t : {above, right, below}) {
        VRX_DrawTriangle(t[0], t[1], t[2], 0xFFFFFF, bmp);
        VRX_DrawTriangleShaded(t[0], t[1], t[2], bmp);
        VRX_DrawTriangleTextured(t[0], t[1], t[2], bmp);
    }
    EXPECT_EQ(drawn(), 0);
}

TEST_P(Triangles, ShadedTriangleKeepsTheLastColumnWhenClippedOnTheRight) {
    make(10, 10);
    VRX_DrawTriangleShaded(shaded(0, 0, 255), shaded(20, 0, 255), shaded(0, 20, 255), bmp);
    for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(px(9, y), grey(255)) << y;
}

TEST_P(Triangles, FlatTopSlantingRightIsFilledByShadedAndTextured) {
    // The long edge moves further per row than the top edge is wide.
    VRX_DrawTriangleShaded(shaded(0, 0, 255), shaded(4, 0, 255), shaded(30, 5, 255), bmp);
    Rows want{{0, 3}, {6, 8}, {12, 13}, {18, 18}};
    EXPECT_EQ(spans(), with_empty_rows(want, 24));
    make(24, 24);
    VRX_DrawTriangleTextured(vtx(0, 0), vtx(4, 0), vtx(30, 5), bmp);
    Rows wantt{{0, 4}, {6, 9}, {12, 14}, {18, 19}, {-1, -1}};
    EXPECT_EQ(spans(), with_empty_rows(wantt, 24));
}

TEST_P(Triangles, MissingDataOrTextureDrawsNothing) {
    VRX_Bitmap none{24, 24, 24 * 24 * 4, 24 * 24, nullptr};
    VRX_DrawTriangle(vtx(0, 0), vtx(10, 0), vtx(0, 10), 0xFFFFFF, none);
    VRX_DrawTriangleShaded(vtx(0, 0), vtx(10, 0), vtx(0, 10), none);
    VRX_DrawTriangleTextured(vtx(0, 0), vtx(10, 0), vtx(0, 10), none);
    // A record claiming more pixels than its data holds is refused as a whole.
    VRX_Bitmap shortdata = bmp;
    shortdata.height = 25;
    VRX_DrawTriangle(vtx(0, 0), vtx(10, 0), vtx(0, 10), 0xFFFFFF, shortdata);
    // The texture must hold 256 x 256 texels of the current depth.
    std::vector<uint32_t> small(128 * 128);
    VRX_SetPrimitiveTexture(VRX_Bitmap{128, 128, 128 * 128 * 4, 128 * 128, small.data()});
    VRX_DrawTriangleTextured(vtx(0, 0), vtx(10, 0), vtx(0, 10), bmp);
    VRX_SetPrimitiveTexture(VRX_Bitmap{256, 256, 65536 * 4, 65536, nullptr});
    VRX_DrawTriangleTextured(vtx(0, 0), vtx(10, 0), vtx(0, 10), bmp);
    EXPECT_EQ(drawn(), 0);
}

// Long spans with steep steps would overflow the kernels' 32-bit values in one call; they go
// out in pieces and every pixel still follows start + i * step.
TEST_P(Triangles, SteepLongSpansKeepTheirValues) {
    make(1000, 2);
    const int64_t s0 = -5 * 65536 + 12345, ds = 0x7F1234;
    vrx_span_shade(bmp, 0, 0, 1000, s0, ds);
    for (int64_t i = 0; i < 1000; ++i)
        ASSERT_EQ(px(int32_t(i), 0), grey(uint32_t(((s0 + i * ds) >> 16) & 0xFF))) << i;
    const int64_t u0 = (1ll << 40) + 77, v0 = -3 * 256, du = -0x7FFF01, dv = 0x7F80;
    vrx_span_texture(bmp, VRX_texture1.data, 1, 0, 1000, u0, v0, du, dv);
    for (int64_t i = 0; i < 1000; ++i) {
        int64_t u = u0 + i * du, v = v0 + i * dv;
        ASSERT_EQ(px(int32_t(i), 1), texel(uint32_t(((v & ~0xFFll) + (u >> 8)) & 0xFFFF))) << i;
    }
}
