// Random positions, sizes, angles and zooms in both depths: no draw may touch memory around the
// destination, and enough of them land for the guards to mean something.
#include "graphics/draw_bitmap.h"
#include "graphics/effects.h"
#include "graphics/stereo.h"
#include "depth_fixture.h"

#include <random>

TEST(DrawGuard, NoDrawWritesOutsideTheDestination) {
    for (bool mode16 : {false, true}) {
        set_depth(mode16);
        std::mt19937 rng(mode16 ? 5678 : 1234);
        auto pick = [&](int32_t lo, int32_t hi) {
            return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
        };
        int32_t landed = 0;
        std::string breach;
        printed([&] { // mismatched effects print their refusal
            for (int iter = 0; iter < 2000; iter++) {
                const int32_t w = pick(1, 50), h = pick(1, 50), x = pick(-50, 50),
                              y = pick(-50, 50);
                const bool same = pick(0, 2) == 0; // so that the whole-bitmap operations run too
                Canvas s(same ? w : pick(1, 40), same ? h : pick(1, 40), mode16 ? 0x7FEE : ~0u),
                    d(w, h, mode16 ? 0x1234 : kFill, 1024);
                const int32_t op = pick(0, 6);
                // clang-format off
                switch (op) {
                case 0: VRX_DrawBitmap(x, y, s.bm, d.bm); break;
                case 1: VRX_DrawBlendBitmap(x, y, s.bm, d.bm, uint8_t(pick(0, 9))); break;
                case 2: VRX_DrawFilteredBitmap(x, y, s.bm, d.bm, uint8_t(pick(1, 3))); break;
                case 3:
                    VRX_DrawScaledBitmap(x, y, pick(-3, 150), pick(-3, 150), s.bm, d.bm, pick(-1, 1));
                    break;
                case 4:
                    VRX_DrawRotatedBitmapXY(x, y, s.bm, d.bm, pick(-800, 800), pick(-600, 600),
                                            pick(-60, 60), pick(-60, 60));
                    break;
                case 5: VRX_DrawBitmap3D(s.bm, s.bm, d.bm, pick(0, 6)); break;
                default:
                    VRX_FadeBitmap(s.bm, d.bm, uint8_t(pick(0, 255)), uint8_t(pick(0, 3)));
                    VRX_AlphawipeBitmap(d.bm, s.bm, d.bm, 255);
                    VRX_GreyBitmap(s.bm, d.bm);
                }
                // clang-format on
                if (!d.guards_intact())
                    return void(breach = "iteration " + std::to_string(iter) + " op " +
                                         std::to_string(op));
                landed += !d.lit().empty();
            }
        });
        EXPECT_EQ(breach, "") << mode16;
        EXPECT_GT(landed, 400) << mode16;
    }
    set_depth(false);
}
