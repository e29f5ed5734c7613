#include "graphics/primitives.h"
#include "video/video_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {
// clang-format off
const int32_t kExtremes[] = {INT32_MIN, INT32_MIN + 1, -1000000000, -65536, -40000, -32768, -32767,
    -13, -1, 0, 1, 6, 12, 13, 32767, 32768, 65536, 1000000000, INT32_MAX - 1, INT32_MAX};
// clang-format on

struct Rng {
    uint32_t s = 2024;
    uint32_t next() { return s = s * 1664525u + 1013904223u; }
    int32_t coord() {
        uint32_t r = next();
        if (r & 0x10000) return kExtremes[(r >> 8) % (sizeof kExtremes / sizeof kExtremes[0])];
        return int32_t((r >> 8) % 41) - 14;
    }
};

// Draws every primitive with wild arguments into a 13x7 bitmap that sits inside a larger buffer.
template <typename T> void run_guard(bool mode16) {
    VRX_video.flags = mode16 ? uint32_t(VRX_VIDEO_16BIT) : 0u;
    if (mode16)
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    else
        VornBlit_Initialise(8, 8, 8, 16, 8, 0);
    const int w = 13, h = 7, pad = 64;
    const T guard = T(0x5A5A5A5A);
    std::vector<T> buf(w * h + 2 * pad, guard);
    VRX_Bitmap b{w, h, uint32_t(w * h * sizeof(T)), w * h, buf.data() + pad};
    Rng g;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3000; ++i) {
        int32_t a = g.coord(), c = g.coord(), d = g.coord(), e = g.coord();
        uint32_t col = g.next() & 0xFFFFFF;
        switch (i % 11) {
        case 0:
            VRX_DrawPixel(a, c, col, b);
            break;
        case 1:
            VRX_DrawBlendPixel(a, c, col, b, int32_t(g.next() % 4));
            break;
        case 2:
            VRX_DrawHLine(a, c, d, col, b);
            break;
        case 3:
            VRX_DrawVLine(a, c, d, col, b);
            break;
        case 4:
            VRX_DrawLine(a, c, d, e, col, b);
            break;
        case 5:
            VRX_DrawBox(a, c, d, e, col, b);
            break;
        case 6:
            VRX_DrawFilledBox(a, c, d, e, col, b);
            break;
        case 7:
            VRX_DrawCircle(a, c, d, col, b);
            break;
        case 8:
            VRX_DrawFilledCircle(a, c, d, col, b);
            break;
        case 9:
            VRX_DrawBezier(a, c, d, e, g.coord(), g.coord(), g.coord(), g.coord(),
                           int32_t(g.next() % 70) - 3, col, b);
            break;
        default:
            VRX_DrawTriangleWireframe({a, c, 0, 0, 0, 0, 0}, {d, e, 0, 0, 0, 0, 0},
                                      {g.coord(), g.coord(), 0, 0, 0, 0, 0}, col, b);
        }
        (void)VRX_GetPixel(a, c, b);
    }
    auto secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(secs, 20.0); // huge radii and lines must not walk billions of steps
    int changed = 0;
    for (int i = 0; i < w * h; ++i) changed += buf[pad + i] != guard;
    EXPECT_GT(changed, w * h / 2); // the shapes did reach the bitmap
    for (int i = 0; i < pad; ++i) {
        ASSERT_EQ(buf[i], guard) << i;
        ASSERT_EQ(buf[pad + w * h + i], guard) << i;
    }
    VRX_video.flags = 0;
}
} // namespace

TEST(PrimitiveBounds, WildArgumentsStayInside32) {
    run_guard<uint32_t>(false);
}

TEST(PrimitiveBounds, WildArgumentsStayInside16) {
    run_guard<uint16_t>(true);
}

TEST(PrimitiveBounds, HugeRadiiCoverTheBitmapAndNullDataIsIgnored) {
    VRX_video.flags = 0;
    std::vector<uint32_t> px(13 * 7, 0);
    VRX_Bitmap b{13, 7, 13 * 7 * 4, 13 * 7, px.data()};
    VRX_DrawFilledCircle(6, 3, INT32_MIN, 1, b);
    for (uint32_t p : px) ASSERT_EQ(p, 1u);
    VRX_DrawCircle(6, 3, INT32_MAX, 2, b); // the ring lies far outside
    for (uint32_t p : px) ASSERT_EQ(p, 1u);
    b.data = nullptr;
    VRX_DrawFilledBox(0, 0, 5, 5, 1, b);
    VRX_DrawFilledCircle(3, 3, 12, 1, b);
    VRX_DrawLine(0, 0, 5, 5, 1, b);
    VRX_DrawBox(0, 0, 5, 5, 1, b);
    VRX_DrawHLine(0, 5, 0, 1, b);
    VRX_DrawVLine(0, 0, 5, 1, b);
    VRX_DrawBlendPixel(0, 0, 1, b, 2);
    EXPECT_EQ(VRX_GetPixel(0, 0, b), 0u);
}
