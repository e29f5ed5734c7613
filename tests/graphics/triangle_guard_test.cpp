#include "depth_fixture.h"
#include "graphics/primitives.h"
#include "graphics/triangle.h"

struct TriangleGuard : BothDepths {};
INSTANTIATE_BOTH_DEPTHS(TriangleGuard);

// Random and degenerate triangles into a 19 x 11 target between guard bytes, with a texture of
// exactly 256 x 256 texels (the sanitizer build reports any read past it).
TEST_P(TriangleGuard, RandomTrianglesStayInside) {
    const uint32_t back = mode16 ? 0x0F0F : 0x0F0F0F0F;
    Canvas c(19, 11, back, 64);
    std::vector<uint8_t> tex(65536 * (mode16 ? 2 : 4), 0x80); // never the background
    VRX_SetPrimitiveTexture({256, 256, uint32_t(tex.size()), 65536, tex.data()});
    WildRng g{77};
    int32_t drawn = 0;
    for (int i = 0; i < 6000; ++i) {
        VRX_Vertex v[3];
        for (auto &p : v)
            p = {g.coord(), g.coord(), int32_t(g.next()), int32_t(g.next()),
                 0,         0,         int32_t(g.next())};
        if (i % 7 == 1) v[1].y = v[0].y; // shared rows, repeated vertices, shared columns
        if (i % 7 == 2) v[2] = v[0];
        if (i % 7 == 3) v[1].x = v[2].x = v[0].x;
        if (i % 3 == 0) VRX_DrawTriangle(v[0], v[1], v[2], g.next(), c.bm);
        if (i % 3 == 1) VRX_DrawTriangleShaded(v[0], v[1], v[2], c.bm);
        if (i % 3 == 2) VRX_DrawTriangleTextured(v[0], v[1], v[2], c.bm);
        if (c.lit().empty()) continue;
        ++drawn;
        (void)c.spans(); // one run per row: no span spills into the next row
        ASSERT_FALSE(HasFailure()) << "triangle " << i;
        c.clear();
    }
    EXPECT_TRUE(c.guards_intact());
    EXPECT_GT(drawn, 500); // the random set does reach the target
    VRX_SetPrimitiveTexture({});
}

TEST(PerspectiveSpanGuard, RandomSpansStayInside) {
    std::vector<uint32_t> tex(65536, 7), buf(200 + 2 * 16, 0x5A5A5A5A);
    WildRng g{77};
    for (int i = 0; i < 3000; ++i) {
        const int32_t count = int32_t(g.next() % 201);
        int32_t p[6];
        for (auto &x : p) x = g.coord();
        if (i % 10 == 0) p[2] = i % 20 ? 0 : 1; // zero or tiny depth
        persptextfill_c(buf.data() + 16, tex.data(), count, p[0], p[1], p[2], p[3], p[4], p[5]);
        auto guard = [](uint32_t w) { return w == 0x5A5A5A5Au; };
        ASSERT_TRUE(std::all_of(buf.begin(), buf.begin() + 16, guard) &&
                    std::all_of(buf.begin() + 16 + count, buf.end(), guard))
            << i;
        std::fill(buf.begin() + 16, buf.end(), 0x5A5A5A5Au);
    }
}
