// Random positions, sizes, angles and zooms: no draw may touch memory around the destination.
#include "graphics/draw_bitmap.h"
#include "graphics/effects.h"
#include "graphics/stereo.h"
#include "depth_fixture.h"

#include <random>

// Draws into destinations between two guard bands of one allocation. Returns the first breach
// ("" when none) and counts the draws that landed, so that the guards are known to be tested.
template <class T> static std::string run_random_draws(uint32_t seed, int32_t *landed) {
    const int32_t guard = 1024;
    std::mt19937 rng(seed);
    auto pick = [&](int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
    };
    for (int iter = 0; iter < 2000; iter++) {
        const int32_t dw = pick(1, 50), dh = pick(1, 50), x = pick(-50, 50), y = pick(-50, 50);
        const bool same = pick(0, 2) == 0; // so that the whole-bitmap operations run too
        Pixels<T> src(same ? dw : pick(1, 40), same ? dh : pick(1, 40));
        Pixels<T> band(dw * dh + 2 * guard, 1);
        src.pattern();
        VRX_Bitmap dst{dw, dh, uint32_t(dw * dh * sizeof(T)), dw * dh, &band.at(guard, 0)};
        const std::function<void()> ops[] = {
            [&] { VRX_DrawBitmap(x, y, src.bm, dst); },
            [&] { VRX_DrawBlendBitmap(x, y, src.bm, dst, uint8_t(pick(0, 9))); },
            [&] { VRX_DrawFilteredBitmap(x, y, src.bm, dst, uint8_t(pick(1, 3))); },
            [&] {
                VRX_DrawScaledBitmap(x, y, pick(-3, 150), pick(-3, 150), src.bm, dst, pick(-1, 1));
            },
            [&] {
                VRX_DrawRotatedBitmapXY(x, y, src.bm, dst, pick(-800, 800), pick(-600, 600),
                                        pick(-60, 60), pick(-60, 60));
            },
            [&] { VRX_DrawBitmap3D(src.bm, src.bm, dst, pick(0, 6)); },
            [&] {
                VRX_FadeBitmap(src.bm, dst, uint8_t(pick(0, 255)), uint8_t(pick(0, 3)));
                VRX_AlphawipeBitmap(dst, src.bm, dst, 255);
                VRX_GreyBitmap(src.bm, dst);
            },
        };
        const int32_t op = pick(0, 6);
        ops[op]();
        for (int32_t i = 0; i < guard; i++)
            if (band.at(i, 0) != T(kFill) || band.at(band.bm.width - 1 - i, 0) != T(kFill))
                return "iteration " + std::to_string(iter) + " operation " + std::to_string(op);
        *landed += band.changed() > 0;
    }
    return "";
}

TEST(DrawGuard, NoDrawWritesOutsideTheDestination) {
    for (bool sixteen : {false, true}) {
        set_depth(sixteen);
        int32_t landed = 0;
        std::string breach;
        printed([&] { // mismatched effects print their refusal
            breach = sixteen ? run_random_draws<uint16_t>(5678, &landed)
                             : run_random_draws<uint32_t>(1234, &landed);
        });
        EXPECT_EQ(breach, "") << sixteen;
        EXPECT_GT(landed, 400) << sixteen;
    }
    set_depth(false);
}
