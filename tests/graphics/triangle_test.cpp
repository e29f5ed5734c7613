#include "depth_fixture.h"
#include "graphics/primitives.h"
#include "graphics/triangle.h"
#include "graphics/triangle_scan.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
VRX_Vertex V(int32_t x, int32_t y, int32_t u = 0, int32_t v = 0, int32_t shade = 255) {
    return {x, y, u, v, 0, 0, shade};
}
// Kind 0: flat colour 0xFF8040; 1: grey Gouraud; 2: affine texture.
void draw(int kind, VRX_Vertex a, VRX_Vertex b, VRX_Vertex c, const VRX_Bitmap &bm) {
    if (kind == 0) VRX_DrawTriangle(a, b, c, 0xFF8040, bm);
    if (kind == 1) VRX_DrawTriangleShaded(a, b, c, bm);
    if (kind == 2) VRX_DrawTriangleTextured(a, b, c, bm);
}
using Rows = std::vector<std::pair<int32_t, int32_t>>;
Rows rows(Rows r) { // the rest of 24 rows empty
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
    Rows flat{{0, 0}}; // a flat top: one pixel, then out to the middle vertex, down to (0, 10)
    for (int32_t y = 1; y <= 10; ++y) flat.push_back({0, 11 - y});
    for (auto [a, b] : {std::pair{V(0, 0), V(10, 0)}, {V(10, 0), V(0, 0)}}) {
        Canvas c(24, 24, back());
        VRX_DrawTriangle(a, b, V(0, 10), 0xFF8040, c.bm);
        EXPECT_EQ(c.spans(), rows(flat));
        EXPECT_EQ(c.at(0, 10), colour(0xFF8040));
    }
    // Right angle at (0, 4), exact rows 0 ... y: the flat one keeps the bottom row and both
    // ends, the shaded one neither, the textured one both ends only.
    const Rows want[3] = {{{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}},
                          {{-1, -1}, {0, 0}, {0, 1}, {0, 2}},
                          {{0, 0}, {0, 1}, {0, 2}, {0, 3}}};
    for (int kind = 0; kind < 3; ++kind) {
        Canvas c(24, 24, back());
        draw(kind, V(0, 0), V(0, 4), V(4, 4), c.bm);
        EXPECT_EQ(c.spans(), rows(want[kind])) << kind;
    }
}

TEST_P(Triangles, ShadeAndTextureValues) {
    // Middle vertex on the left: the left side follows the top short edge, then the bottom one;
    // the vertices in any order.
    Canvas c(24, 24, back());
    VRX_Vertex v[3] = {V(8, 0, 0, 0, 0), V(0, 8, 0, 0, 128), V(8, 16, 0, 0, 0)}; // by y
    do {
        c.clear();
        VRX_DrawTriangleShaded(v[0], v[1], v[2], c.bm);
        EXPECT_EQ(std::vector<uint32_t>({c.at(8, 0), c.at(0, 8), c.at(4, 4), c.at(4, 12)}),
                  std::vector<uint32_t>({back(), grey(128), grey(64), grey(64)}));
    } while (std::next_permutation(v, v + 3, [](auto &a, auto &b) { return a.y < b.y; }));
    // Only the low bytes of u and v count: 0x3FA, 0x1FF name column 250 of row 255.
    c.clear();
    VRX_DrawTriangleTextured(V(0, 0, 0x3FA, 0x1FF), V(5, 0, 255, 0x1FF), V(0, 5, 250, 0x1FF), c.bm);
    EXPECT_EQ(c.at(0, 0), texel(0xFFFA));
    EXPECT_EQ(c.at(5, 0), texel(0xFFFF)); // the right end reads the middle vertex's texel
}

// Shade 0 at the left (0x100: only the low byte counts), 128 sixteen pixels on: 8 per pixel;
// texel (u, v) at pixel (u, v). Cut five columns off, the rest is unchanged.
TEST_P(Triangles, ClippingAdvancesShadeAndTextureAndKeepsTheLastColumn) {
    Canvas whole(24, 24, back()), cut(24, 24, back()), small(10, 10, back());
    VRX_DrawTriangleShaded(V(0, 0, 0, 0, 0x100), V(16, 0, 0, 0, 128), V(0, 16, 0, 0, 0), whole.bm);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16 - y; ++x) ASSERT_EQ(whole.at(x, y), grey(8 * x)) << x << y;
    EXPECT_EQ(whole.lit().size(), 16u * 17 / 2);
    VRX_DrawTriangleShaded(V(-5, 0, 0, 0, 0), V(11, 0, 0, 0, 128), V(-5, 16, 0, 0, 0), cut.bm);
    EXPECT_EQ(cut.at(0, 0), grey(40));
    for (int32_t i = 0; i < 24 * 19; ++i)
        ASSERT_EQ(cut.at(i % 19, i / 19), whole.at(i % 19 + 5, i / 19));
    cut.clear();
    VRX_DrawTriangleTextured(V(-5, 0, 0, 0), V(11, 0, 16, 0), V(-5, 16, 0, 16), cut.bm);
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x <= 11 - y; ++x) ASSERT_EQ(cut.at(x, y), texel(256 * y + x + 5));
    EXPECT_EQ(cut.lit().size(), 12u * 13 / 2);
    VRX_DrawTriangleShaded(V(0, 0), V(20, 0), V(0, 20), small.bm);
    for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(small.at(9, y), grey(255)) << y;
}

TEST_P(Triangles, DegenerateOutsideAndMissingTargetsDrawLittleOrNothing) {
    Canvas c(24, 24, back());
    VRX_DrawTriangle(V(5, 3), V(9, 3), V(2, 3), 0xFFFFFF, c.bm); // one row: the pixel at a.x
    EXPECT_EQ(c.lit(), (Points{{5, 3}}));
    c.clear();
    VRX_Bitmap none = c.bm, tall = c.bm;
    none.data = nullptr;
    tall.height = 25; // more pixels than its data holds: refused as a whole
    for (int kind = 0; kind < 3; ++kind) {
        if (kind) draw(kind, V(5, 3), V(9, 3), V(2, 3), c.bm);
        draw(kind, V(2, -20), V(20, -9), V(5, -1), c.bm); // above, right, below
        draw(kind, V(24, 0), V(40, 10), V(30, 23), c.bm);
        draw(kind, V(2, 24), V(20, 30), V(5, 40), c.bm);
        draw(kind, V(0, 0), V(10, 0), V(0, 10), none);
        draw(kind, V(0, 0), V(10, 0), V(0, 10), tall);
    }
    std::vector<uint32_t> small(128 * 128); // the texture must hold 256 x 256 texels
    VRX_SetPrimitiveTexture({128, 128, 128 * 128 * 4, 128 * 128, small.data()});
    VRX_DrawTriangleTextured(V(0, 0), V(10, 0), V(0, 10), c.bm);
    EXPECT_TRUE(c.lit().empty());
}

TEST_P(Triangles, FlatTopSlantingPastItsWidthIsStillFilled) {
    Canvas c(24, 24, back());
    VRX_DrawTriangleShaded(V(0, 0), V(4, 0), V(30, 5), c.bm);
    EXPECT_EQ(c.spans(), rows({{0, 3}, {6, 8}, {12, 13}, {18, 18}}));
    c.clear();
    VRX_DrawTriangleTextured(V(0, 0), V(4, 0), V(30, 5), c.bm);
    EXPECT_EQ(c.spans(), rows({{0, 4}, {6, 9}, {12, 14}, {18, 19}}));
}

// Random and degenerate triangles into a 19 x 11 target between guard bytes, with a texture of
// exactly 256 x 256 texels (the sanitizer build reports any read past it).
TEST_P(Triangles, RandomTrianglesStayInside) {
    Canvas c(19, 11, back(), 64);
    std::fill(tex.begin(), tex.end(), 0x80808080u); // never the background
    WildRng g{77};
    int32_t drawn = 0;
    for (int i = 0; i < 6000; ++i) {
        VRX_Vertex v[3];
        for (auto &p : v)
            p = V(g.coord(), g.coord(), int32_t(g.next()), int32_t(g.next()), int32_t(g.next()));
        if (i % 7 == 1) v[1].y = v[0].y; // shared rows, repeated vertices, shared columns
        if (i % 7 == 2) v[2] = v[0];
        if (i % 7 == 3) v[1].x = v[2].x = v[0].x;
        draw(i % 3, v[0], v[1], v[2], c.bm);
        if (c.lit().empty()) continue;
        ++drawn;
        (void)c.spans(); // one run per row: no span spills into the next row
        ASSERT_FALSE(HasFailure()) << "triangle " << i;
        c.clear();
    }
    EXPECT_TRUE(c.guards_intact());
    EXPECT_GT(drawn, 500); // the random set does reach the target
}

// Spans whose steps would overflow 32 bits go out in pieces: every pixel must be what the
// kernel gives for that pixel's own start value.
TEST_P(Triangles, SpansCutIntoPiecesMatchSinglePixels) {
    const int32_t n = 300;
    for (int kind = 1; kind <= 2; ++kind) {
        Canvas whole(n, 1, back()), single(n, 1, back());
        const int64_t s = 0x00ABCDEF, ds = (1 << 23) - 7, u = 0x123456, du = -(1 << 23) + 3,
                      v = 0x4321, dv = (1 << 15) - 5;
        if (kind == 1) vrx_span_shade(whole.bm, 0, 0, n, s, ds);
        if (kind == 2) vrx_span_texture(whole.bm, tex.data(), 0, 0, n, u, v, du, dv);
        for (int32_t i = 0; i < n; ++i) {
            if (kind == 1) vrx_kernel_shade(single.bm, 0, i, 1, (s + i * ds) & 0xFFFFFF, ds);
            if (kind == 2)
                vrx_kernel_texture(single.bm, tex.data(), 0, i, 1, (u + i * du) & 0xFFFFFF,
                                   (v + i * dv) & 0xFFFF, du, dv);
        }
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(whole.get(i), single.get(i)) << kind << " " << i;
    }
}

// Texel i holds i, so each pixel names the texel it came from.
const uint32_t UNWRITTEN = 0xDEADBEEF;
struct PerspectiveSpan : Depth32 {
    std::vector<uint32_t> texture = std::vector<uint32_t>(65536), dst;
    void SetUp() override {
        Depth32::SetUp();
        std::iota(texture.begin(), texture.end(), 0u);
    }
    void fill(int32_t count, int32_t uw, int32_t vw, int32_t w, int32_t duw, int32_t dvw,
              int32_t dw) {
        dst.assign(64, UNWRITTEN);
        persptextfill_c(dst.data(), texture.data(), count, uw, vw, w, duw, dvw, dw);
    }
};

// u = 96 / (1 + i / 16) along the span: 96 at pixel 0, 48 at 16, 32 at 32, 24 at 48; each run
// of 16 steps linearly towards the value 16 pixels on; 35 and 33 are half texels.
TEST_F(PerspectiveSpan, RunsOf16ThenTheRemainder) {
    const std::pair<int32_t, std::vector<std::pair<int32_t, uint32_t>>> cases[] = {
        {20, {{0, 96}, {1, 93}, {15, 51}, {16, 48}, {19, 45}}},
        {32, {{15, 51}, {16, 48}, {31, 33}}},
        {36, {{32, 32}, {33, 31}, {34, 31}, {35, 30}}},
        {0, {}},
        {-5, {}}};
    for (const auto &[count, px] : cases) {
        fill(count, 96 << 16, 0, 65536, 0, 0, 4096);
        for (auto [i, want] : px) EXPECT_EQ(dst[i], want) << count << " pixel " << i;
        EXPECT_EQ(std::count(dst.begin(), dst.end(), UNWRITTEN), 64 - std::max(count, 0));
    }
}

TEST_F(PerspectiveSpan, RowWrapsAt256AndColumnRunsOn) {
    fill(3, 3 << 16, 255 << 16, 65536, 0, 65536, 0); // one row down per pixel, column 3
    EXPECT_EQ(dst[0], 255u * 256 + 3);
    EXPECT_EQ(dst[1], 3u);
    fill(3, 254 << 16, 0, 65536, 65536, 0, 0); // column 256 of row 0 is row 1
    EXPECT_EQ(dst[2], 256u);
    fill(3, 254 << 16, 255 << 16, 65536, 65536, 0, 0); // past the last texel: the first
    EXPECT_EQ(dst[1], 65535u);
    EXPECT_EQ(dst[2], 0u);
}

TEST_F(PerspectiveSpan, RandomSpansStayInside) {
    WildRng g{77};
    for (int i = 0; i < 3000; ++i) {
        const int32_t count = int32_t(g.next() % 201), w = i % 10 ? g.coord() : i % 20 ? 0 : 1;
        Canvas c(count, 1, UNWRITTEN, 64); // zero or tiny depths among them
        persptextfill_c(static_cast<uint32_t *>(c.bm.data), texture.data(), count, g.coord(),
                        g.coord(), w, g.coord(), g.coord(), g.coord());
        ASSERT_TRUE(c.guards_intact()) << i;
    }
}
