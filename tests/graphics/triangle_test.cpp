#include "depth_fixture.h"
#include "graphics/primitives.h"
#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"

#include <algorithm>
#include <array>

namespace {
VRX_Vertex V(int32_t x, int32_t y, int32_t u = 0, int32_t v = 0, int32_t shade = 0) {
    return {x, y, u, v, 0, 0, shade};
}
VRX_Vertex S(int32_t x, int32_t y, int32_t shade) {
    return {x, y, 0, 0, 0, 0, shade};
}
using Rows = std::vector<std::pair<int32_t, int32_t>>;
Rows rows(Rows r) { // the rest of the 24 rows empty
    r.resize(24, {-1, -1});
    return r;
}

// Targets cleared to a value no triangle here draws; texel i of the 256 x 256 texture holds i.
struct Triangles : BothDepths {
    std::vector<uint32_t> tex = std::vector<uint32_t>(65536);
    void SetUp() override {
        BothDepths::SetUp();
        for (uint32_t i = 0; i < 65536; ++i)
            mode16 ? void(reinterpret_cast<uint16_t *>(tex.data())[i] = uint16_t(i))
                   : void(tex[i] = texel(i));
        VRX_SetPrimitiveTexture({256, 256, 65536u * (mode16 ? 2 : 4), 65536, tex.data()});
    }
    void TearDown() override {
        VRX_SetPrimitiveTexture({});
        BothDepths::TearDown();
    }
    uint32_t back() const { return mode16 ? 0x1234 : 0x12345678; }
    uint32_t grey(uint32_t g) const { return colour(g * 0x010101u); }
    uint32_t texel(uint32_t i) const { return mode16 ? i : 0xFF000000u | i; }
};
INSTANTIATE_BOTH_DEPTHS(Triangles);
} // namespace

TEST_P(Triangles, FirstRowsBottomRowsAndSpanEnds) {
    Canvas c(24, 24, back());
    VRX_DrawTriangle(V(0, 0), V(10, 0), V(0, 10), 0xFF8040, c.bm);
    Rows want{{0, 0}}; // a flat top starts with one pixel, then reaches the middle vertex
    for (int32_t y = 1; y <= 10; ++y) want.push_back({0, 11 - y});
    EXPECT_EQ(c.spans(), rows(want));
    EXPECT_EQ(c.at(0, 10), colour(0xFF8040));

    // Right angle at (0, 4): flat keeps the bottom row and both ends, shaded neither, textured
    // both ends only.
    struct Case {
        void (*draw)(const Canvas &);
        Rows want;
    };
    for (const Case &k :
         {Case{[](const Canvas &c) { VRX_DrawTriangle(V(0, 0), V(0, 4), V(4, 4), 1, c.bm); },
               {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}}},
          Case{[](const Canvas &c) {
                   VRX_DrawTriangleShaded(S(0, 0, 255), S(0, 4, 255), S(4, 4, 255), c.bm);
               },
               {{-1, -1}, {0, 0}, {0, 1}, {0, 2}}},
          Case{[](const Canvas &c) { VRX_DrawTriangleTextured(V(0, 0), V(0, 4), V(4, 4), c.bm); },
               {{0, 0}, {0, 1}, {0, 2}, {0, 3}}}}) {
        Canvas t(24, 24, back());
        k.draw(t);
        EXPECT_EQ(t.spans(), rows(k.want));
    }
}

TEST_P(Triangles, ShadedSpansStepTheGreyAndLeaveTheRightEndAndBottomRow) {
    Canvas c(24, 24, back());
    VRX_DrawTriangleShaded(S(0, 0, 255), S(8, 0, 255), S(0, 8, 255), c.bm);
    Rows want;
    for (int32_t y = 0; y < 8; ++y) want.push_back({0, 7 - y});
    EXPECT_EQ(c.spans(), rows(want));
    EXPECT_EQ(c.at(3, 4), grey(255));
    // 0 at the left (0x100: only the low byte counts), 128 sixteen pixels on: 8 per pixel.
    c.clear();
    VRX_DrawTriangleShaded(S(0, 0, 0x100), S(16, 0, 128), S(0, 16, 0), c.bm);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16 - y; ++x) ASSERT_EQ(c.at(x, y), grey(8 * x)) << x << "," << y;
    EXPECT_EQ(c.lit().size(), 16u * 17 / 2);
    // Middle vertex on the left: the left side follows the top short edge, then the bottom one.
    c.clear();
    VRX_DrawTriangleShaded(S(8, 0, 0), S(0, 8, 128), S(8, 16, 0), c.bm);
    EXPECT_EQ(c.at(8, 0), back());
    EXPECT_EQ(c.at(0, 8), grey(128));
    EXPECT_EQ(c.at(4, 4), grey(64));
    EXPECT_EQ(c.at(4, 12), grey(64));
}

TEST_P(Triangles, TexturedSpansIncludeBothEndsAndWrapCoordinates) {
    Canvas c(24, 24, back());
    VRX_DrawTriangleTextured(V(0, 0, 0, 0), V(16, 0, 16, 0), V(0, 16, 0, 16), c.bm);
    for (int32_t y = 0; y < 24; ++y)
        for (int32_t x = 0; x < 24; ++x)
            ASSERT_EQ(c.at(x, y), y < 16 && x <= 16 - y ? texel(256 * y + x) : back()) << x << "," << y;
    // Only the low bytes of u and v count: 0x3FA, 0x1FF name column 250 of row 255.
    c.clear();
    VRX_DrawTriangleTextured(V(0, 0, 0x3FA, 0x1FF), V(5, 0, 255, 0x1FF), V(0, 5, 250, 0x1FF), c.bm);
    EXPECT_EQ(c.at(0, 0), texel(0xFFFA));
    EXPECT_EQ(c.at(5, 0), texel(0xFFFF)); // the right end reads the middle vertex's texel
    EXPECT_EQ(c.at(6, 0), back());
}

TEST_P(Triangles, ClippingAdvancesShadeAndTextureAndKeepsTheLastColumn) {
    Canvas whole(24, 24, back()), cut(24, 24, back());
    VRX_DrawTriangleShaded(S(0, 0, 0), S(16, 0, 128), S(0, 16, 0), whole.bm);
    VRX_DrawTriangleShaded(S(-5, 0, 0), S(11, 0, 128), S(-5, 16, 0), cut.bm);
    EXPECT_EQ(cut.at(0, 0), grey(40));
    for (int32_t y = 0; y < 24; ++y)
        for (int32_t x = 0; x + 5 < 24; ++x) ASSERT_EQ(cut.at(x, y), whole.at(x + 5, y));
    cut.clear();
    VRX_DrawTriangleTextured(V(-5, 0, 0, 0), V(11, 0, 16, 0), V(-5, 16, 0, 16), cut.bm);
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x <= 11 - y; ++x) ASSERT_EQ(cut.at(x, y), texel(256 * y + x + 5));
    EXPECT_EQ(cut.lit().size(), 12u * 13 / 2);
    Canvas small(10, 10, back());
    VRX_DrawTriangleShaded(S(0, 0, 255), S(20, 0, 255), S(0, 20, 255), small.bm);
    for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(small.at(9, y), grey(255)) << y;
}

TEST_P(Triangles, VertexOrderDoesNotChangeThePicture) {
    const VRX_Vertex v[3] = {
        {3, 1, 10, 20, 0, 0, 30}, {20, 7, 60, 5, 0, 0, 200}, {9, 19, 0, 90, 0, 0, 90}};
    std::array<int, 3> o{0, 1, 2};
    Canvas first[3] = {{24, 24, back()}, {24, 24, back()}, {24, 24, back()}};
    VRX_DrawTriangle(v[0], v[1], v[2], 0x123456, first[0].bm);
    VRX_DrawTriangleShaded(v[0], v[1], v[2], first[1].bm);
    VRX_DrawTriangleTextured(v[0], v[1], v[2], first[2].bm);
    while (std::next_permutation(o.begin(), o.end())) {
        Canvas c[3] = {{24, 24, back()}, {24, 24, back()}, {24, 24, back()}};
        VRX_DrawTriangle(v[o[0]], v[o[1]], v[o[2]], 0x123456, c[0].bm);
        VRX_DrawTriangleShaded(v[o[0]], v[o[1]], v[o[2]], c[1].bm);
        VRX_DrawTriangleTextured(v[o[0]], v[o[1]], v[o[2]], c[2].bm);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(c[k].mem, first[k].mem) << k;
    }
    for (const Canvas &c : first) {
        (void)c.spans(); // rows without gaps
        EXPECT_GT(c.lit().size(), 100u);
    }
    Canvas flat(24, 24, back()); // a flat top given right vertex first
    VRX_DrawTriangle(V(10, 0), V(0, 0), V(0, 10), 0x123456, flat.bm);
    EXPECT_EQ(flat.spans()[0], (std::pair{0, 0}));
    EXPECT_EQ(flat.spans()[1], (std::pair{0, 10}));
}

TEST_P(Triangles, DegenerateOutsideAndMissingTargetsDrawLittleOrNothing) {
    Canvas c(24, 24, back());
    VRX_DrawTriangle(V(5, 3), V(9, 3), V(2, 3), 0xFFFFFF, c.bm); // one row: the pixel at a.x
    EXPECT_EQ(c.lit(), (Points{{5, 3}}));
    c.clear();
    VRX_DrawTriangleShaded(S(5, 3, 9), S(9, 3, 9), S(2, 3, 9), c.bm);
    VRX_DrawTriangleTextured(V(5, 3), V(9, 3), V(2, 3), c.bm);
    const VRX_Vertex away[3][3] = {{V(2, -20), V(20, -9), V(5, -1)},
                                   {V(24, 0), V(40, 10), V(30, 23)},
                                   {V(2, 24), V(20, 30), V(5, 40)}};
    for (auto &t : away) {
        VRX_DrawTriangle(t[0], t[1], t[2], 0xFFFFFF, c.bm);
        VRX_DrawTriangleShaded(t[0], t[1], t[2], c.bm);
        VRX_DrawTriangleTextured(t[0], t[1], t[2], c.bm);
    }
    VRX_Bitmap none = c.bm, tall = c.bm;
    none.data = nullptr;
    tall.height = 25; // more pixels than its data holds: refused as a whole
    for (VRX_Bitmap b : {none, tall}) {
        VRX_DrawTriangle(V(0, 0), V(10, 0), V(0, 10), 0xFFFFFF, b);
        VRX_DrawTriangleShaded(V(0, 0), V(10, 0), V(0, 10), b);
        VRX_DrawTriangleTextured(V(0, 0), V(10, 0), V(0, 10), b);
    }
    std::vector<uint32_t> small(128 * 128); // the texture must hold 256 x 256 texels
    VRX_SetPrimitiveTexture({128, 128, 128 * 128 * 4, 128 * 128, small.data()});
    VRX_DrawTriangleTextured(V(0, 0), V(10, 0), V(0, 10), c.bm);
    EXPECT_TRUE(c.lit().empty());
}

TEST_P(Triangles, FlatTopSlantingPastItsWidthIsStillFilled) {
    Canvas c(24, 24, back());
    VRX_DrawTriangleShaded(S(0, 0, 255), S(4, 0, 255), S(30, 5, 255), c.bm);
    EXPECT_EQ(c.spans(), rows({{0, 3}, {6, 8}, {12, 13}, {18, 18}}));
    c.clear();
    VRX_DrawTriangleTextured(V(0, 0), V(4, 0), V(30, 5), c.bm);
    EXPECT_EQ(c.spans(), rows({{0, 4}, {6, 9}, {12, 14}, {18, 19}}));
}

// Steep steps along a long span would overflow the kernels' 32-bit values in one call; the span
// goes out in pieces and every pixel still follows start + i * step.
TEST_P(Triangles, SteepLongSpansKeepTheirValues) {
    Canvas c(1000, 2, back());
    const int64_t s0 = -5 * 65536 + 12345, ds = 0x7F1234;
    vrx_span_shade(c.bm, 0, 0, 1000, s0, ds);
    const int64_t u0 = (1ll << 40) + 77, v0 = -3 * 256, du = -0x7FFF01, dv = 0x7F80;
    vrx_span_texture(c.bm, VRX_texture1.data, 1, 0, 1000, u0, v0, du, dv);
    for (int64_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(c.at(int32_t(i), 0), grey(uint32_t(((s0 + i * ds) >> 16) & 0xFF))) << i;
        const int64_t u = u0 + i * du, v = v0 + i * dv;
        ASSERT_EQ(c.at(int32_t(i), 1), texel(uint32_t(((v & ~0xFFll) + (u >> 8)) & 0xFFFF))) << i;
    }
}
