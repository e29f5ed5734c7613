#include "graphics/primitives.h"
#include "graphics/triangle.h"
#include "video/video_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
const int32_t kWild[] = {
    INT32_MIN, INT32_MIN + 1, -2000000000, -65537, -32769,     -32768,        -1,       0, 1, 12,
    32767,     32768,         65536,       99999,  2000000000, INT32_MAX - 1, INT32_MAX};

struct Rng {
    uint32_t s = 77;
    uint32_t next() { return s = s * 1664525u + 1013904223u; }
    // Mostly near the target, sometimes anywhere in 32 bits, sometimes an extreme.
    int32_t coord() {
        uint32_t r = next();
        switch ((r >> 28) & 3) {
        case 0:
            return kWild[(r >> 8) % (sizeof kWild / sizeof kWild[0])];
        case 1:
            return int32_t(next());
        default:
            return int32_t((r >> 8) % 61) - 20;
        }
    }
};

// Random triangles into a 19x11 target with guard words before and after its data, and a
// texture of exactly 256 x 256 texels (the sanitizer build reports any read past it).
template <typename T> void run_guard(bool mode16) {
    VRX_video.flags = mode16 ? uint32_t(VRX_VIDEO_16BIT) : 0u;
    if (mode16)
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    else
        VornBlit_Initialise(8, 8, 8, 16, 8, 0);
    const int32_t w = 19, h = 11, pad = 64;
    const T guard = T(0x5A5A5A5A), back = T(0x0F0F0F0F);
    std::vector<T> buf(w * h + 2 * pad, guard);
    std::fill(buf.begin() + pad, buf.end() - pad, back);
    VRX_Bitmap b{w, h, uint32_t(w * h * sizeof(T)), w * h, buf.data() + pad};
    std::vector<T> tex(65536);
    for (size_t i = 0; i < tex.size(); ++i) tex[i] = T(i | 0x80008000u); // never the background
    VRX_SetPrimitiveTexture(
        VRX_Bitmap{256, 256, uint32_t(tex.size() * sizeof(T)), 65536, tex.data()});
    Rng g;
    int32_t drawn_triangles = 0;
    for (int i = 0; i < 6000; ++i) {
        VRX_Vertex v[3];
        for (auto &p : v) {
            p = VRX_Vertex{g.coord(),         g.coord(),         int32_t(g.next()),
                           int32_t(g.next()), int32_t(g.next()), int32_t(g.next()),
                           int32_t(g.next())};
        }
        // Some degenerate ones: shared rows, shared columns, repeated vertices.
        if (i % 7 == 1) v[1].y = v[0].y;
        if (i % 7 == 2) v[2] = v[0];
        if (i % 7 == 3) v[1].x = v[0].x, v[2].x = v[0].x;
        switch (i % 3) {
        case 0:
            VRX_DrawTriangle(v[0], v[1], v[2], g.next(), b);
            break;
        case 1:
            VRX_DrawTriangleShaded(v[0], v[1], v[2], b);
            break;
        default:
            VRX_DrawTriangleTextured(v[0], v[1], v[2], b);
            break;
        }
        if (std::count(buf.begin() + pad, buf.end() - pad, back) < w * h) {
            ++drawn_triangles;
            // A triangle row is one run: a span spilling past the right edge into the next
            // row would show as a second run there.
            for (int32_t y = 0; y < h; ++y) {
                const T *row = buf.data() + pad + y * w;
                int32_t runs = 0;
                for (int32_t x = 0; x < w; ++x)
                    runs += row[x] != back && (x == 0 || row[x - 1] == back);
                ASSERT_LE(runs, 1) << "triangle " << i << " row " << y;
            }
            std::fill(buf.begin() + pad, buf.end() - pad, back);
        }
    }
    for (int32_t i = 0; i < pad; ++i) {
        ASSERT_EQ(buf[i], guard) << "before the data at " << i;
        ASSERT_EQ(buf[pad + w * h + i], guard) << "after the data at " << i;
    }
    EXPECT_GT(drawn_triangles, 500); // the random set does reach the target
    VRX_SetPrimitiveTexture(VRX_Bitmap{});
    VRX_video.flags = 0;
}
} // namespace

TEST(TriangleGuard, RandomTrianglesStayInside32) {
    run_guard<uint32_t>(false);
}

TEST(TriangleGuard, RandomTrianglesStayInside16) {
    run_guard<uint16_t>(true);
}

TEST(TriangleGuard, RandomPerspectiveSpansStayInside) {
    std::vector<uint32_t> tex(65536, 7);
    std::vector<uint32_t> buf(200 + 2 * 16, 0x5A5A5A5A);
    Rng g;
    for (int i = 0; i < 3000; ++i) {
        int32_t count = int32_t(g.next() % 201);
        int32_t p[6];
        for (auto &x : p) x = g.coord();
        persptextfill_c(buf.data() + 16, tex.data(), count, p[0], p[1], p[2], p[3], p[4], p[5]);
        for (int32_t k = 0; k < 16; ++k) ASSERT_EQ(buf[k], 0x5A5A5A5Au);
        for (int32_t k = 16 + count; k < int32_t(buf.size()); ++k) ASSERT_EQ(buf[k], 0x5A5A5A5Au);
        std::fill(buf.begin() + 16, buf.end(), 0x5A5A5A5Au);
    }
}
