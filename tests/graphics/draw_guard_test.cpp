// Random arguments for every primitive, bitmap draw and effect in both depths, mostly near a small
// target and else anywhere in 32 bits: none may touch memory around its target or walk billions
// of steps, and enough of them land for the guards to mean something.
#include "depth_fixture.h"
#include "graphics/draw_bitmap.h"
#include "graphics/effects.h"
#include "graphics/primitives.h"
#include "graphics/stereo.h"

#include <chrono>

struct DrawGuard : BothDepths {};
INSTANTIATE_BOTH_DEPTHS(DrawGuard);

TEST_P(DrawGuard, NoRoutineWritesOutsideItsTarget) {
    WildRng g{mode16 ? 5678u : 1234u};
    auto pick = [&](int32_t lo, int32_t hi) {
        return lo + int32_t((g.next() >> 8) % (hi - lo + 1));
    };
    int32_t landed = 0;
    std::string breach;
    const auto start = std::chrono::steady_clock::now();
    printed([&] { // mismatched effects print their refusal
        for (int i = 0; i < 5400; i++) {
            const int32_t w = pick(1, 50), h = pick(1, 50), x = g.coord(), y = g.coord(),
                          c = g.coord(), e = g.coord();
            const bool same = pick(0, 2) == 0; // so that the whole-bitmap operations run too
            Canvas s(same ? w : pick(1, 40), same ? h : pick(1, 40), mode16 ? 0x7FEE : ~0u),
                d(w, h, colour(0x5A5A5A), 1024);
            const uint32_t col = g.next() & 0xFFFFFF;
            // clang-format off
            switch (i % 18) {
            case 0: VRX_DrawPixel(x, y, col, d.bm); break;
            case 1: VRX_DrawBlendPixel(x, y, col, d.bm, pick(0, 3)); break;
            case 2: VRX_DrawHLine(x, y, c, col, d.bm); break;
            case 3: VRX_DrawVLine(x, y, c, col, d.bm); break;
            case 4: VRX_DrawLine(x, y, c, e, col, d.bm); break;
            case 5: VRX_DrawBox(x, y, c, e, col, d.bm); break;
            case 6: VRX_DrawFilledBox(x, y, c, e, col, d.bm); break;
            case 7: VRX_DrawCircle(x, y, c, col, d.bm); break;
            case 8: VRX_DrawFilledCircle(x, y, c, col, d.bm); break;
            case 9:
                VRX_DrawBezier(x, y, c, e, g.coord(), g.coord(), g.coord(), g.coord(),
                               pick(-3, 66), col, d.bm);
                break;
            case 10:
                VRX_DrawTriangleWireframe({x, y, 0, 0, 0, 0, 0}, {c, e, 0, 0, 0, 0, 0},
                                          {g.coord(), g.coord(), 0, 0, 0, 0, 0}, col, d.bm);
                break;
            case 11: VRX_DrawBitmap(x, y, s.bm, d.bm); break;
            case 12: VRX_DrawBlendBitmap(x, y, s.bm, d.bm, uint8_t(pick(0, 9))); break;
            case 13: VRX_DrawFilteredBitmap(x, y, s.bm, d.bm, uint8_t(pick(1, 3))); break;
            case 14:
                VRX_DrawScaledBitmap(x, y, pick(-3, 150), pick(-3, 150), s.bm, d.bm, pick(-1, 1));
                break;
            case 15:
                VRX_DrawRotatedBitmapXY(x, y, s.bm, d.bm, pick(-800, 800), pick(-600, 600),
                                        pick(-60, 60), pick(-60, 60));
                break;
            case 16: VRX_DrawBitmap3D(s.bm, s.bm, d.bm, pick(0, 6)); break;
            default:
                VRX_FadeBitmap(s.bm, d.bm, uint8_t(pick(0, 255)), uint8_t(pick(0, 3)));
                VRX_AlphawipeBitmap(d.bm, s.bm, d.bm, 255);
                VRX_GreyBitmap(s.bm, d.bm);
            }
            // clang-format on
            (void)VRX_GetPixel(x, y, d.bm);
            if (!d.guards_intact()) return void(breach = "draw " + std::to_string(i));
            landed += !d.lit().empty();
        }
    });
    EXPECT_EQ(breach, "");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 20);
    EXPECT_GT(landed, 1000);
}
