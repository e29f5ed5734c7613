#include "depth_fixture.h"
#include "graphics/primitives.h"

#include <chrono>

struct PrimitiveGuard : BothDepths {};
INSTANTIATE_BOTH_DEPTHS(PrimitiveGuard);

// Every primitive with wild arguments into a 13 x 7 bitmap between guard bytes; huge radii and
// lines must neither write outside nor walk billions of steps.
TEST_P(PrimitiveGuard, WildArgumentsStayInside) {
    Canvas c(13, 7, 0x5A5A5A5A & (mode16 ? 0xFFFF : ~0u), 64);
    WildRng g{2024};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3000; ++i) {
        const int32_t a = g.coord(), b = g.coord(), d = g.coord(), e = g.coord();
        const uint32_t col = g.next() & 0xFFFFFF;
        // clang-format off
        switch (i % 11) {
        case 0: VRX_DrawPixel(a, b, col, c.bm); break;
        case 1: VRX_DrawBlendPixel(a, b, col, c.bm, int32_t(g.next() % 4)); break;
        case 2: VRX_DrawHLine(a, b, d, col, c.bm); break;
        case 3: VRX_DrawVLine(a, b, d, col, c.bm); break;
        case 4: VRX_DrawLine(a, b, d, e, col, c.bm); break;
        case 5: VRX_DrawBox(a, b, d, e, col, c.bm); break;
        case 6: VRX_DrawFilledBox(a, b, d, e, col, c.bm); break;
        case 7: VRX_DrawCircle(a, b, d, col, c.bm); break;
        case 8: VRX_DrawFilledCircle(a, b, d, col, c.bm); break;
        case 9:
            VRX_DrawBezier(a, b, d, e, g.coord(), g.coord(), g.coord(), g.coord(),
                           int32_t(g.next() % 70) - 3, col, c.bm);
            break;
        default:
            VRX_DrawTriangleWireframe({a, b, 0, 0, 0, 0, 0}, {d, e, 0, 0, 0, 0, 0},
                                      {g.coord(), g.coord(), 0, 0, 0, 0, 0}, col, c.bm);
        }
        // clang-format on
        (void)VRX_GetPixel(a, b, c.bm);
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 20);
    EXPECT_GT(c.lit().size(), 13u * 7 / 2); // the shapes did reach the bitmap
    EXPECT_TRUE(c.guards_intact());

    c.clear();
    VRX_DrawFilledCircle(6, 3, INT32_MIN, 0xFF, c.bm);
    VRX_DrawCircle(6, 3, INT32_MAX, 2, c.bm); // the ring lies far outside
    for (int32_t i = 0; i < 13 * 7; ++i) ASSERT_EQ(c.get(i), colour(0xFF));
    c.bm.data = nullptr; // no data: nothing is touched
    VRX_DrawFilledBox(0, 0, 5, 5, 1, c.bm);
    VRX_DrawFilledCircle(3, 3, 12, 1, c.bm);
    VRX_DrawBlendPixel(0, 0, 1, c.bm, 2);
    EXPECT_EQ(VRX_GetPixel(0, 0, c.bm), 0u);
}
