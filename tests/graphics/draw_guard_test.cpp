// Random positions, sizes, angles and zooms: no draw may touch memory around the destination.
#include "graphics/draw_bitmap.h"
#include "graphics/effects.h"
#include "graphics/stereo.h"
#include "drawing_fixture.h"

#include <random>
#include <string>

namespace {
constexpr size_t kGuard = 4096;
constexpr uint32_t kGuardWord = 0xDEADBEEF;

// A destination whose pixels sit between two guard bands of the same allocation.
template <class T> struct Guarded {
    std::vector<T> mem;
    VRX_Bitmap bm{};
    Guarded(int32_t w, int32_t h) : mem(size_t(w) * h + 2 * kGuard, T(kGuardWord)) {
        bm = {w, h, uint32_t(w * h * sizeof(T)), w * h, mem.data() + kGuard};
        std::fill(mem.begin() + kGuard, mem.end() - kGuard, T(0x5A5A5A5A));
    }
    bool guards_intact() const {
        for (size_t i = 0; i < kGuard; i++)
            if (mem[i] != T(kGuardWord) || mem[mem.size() - 1 - i] != T(kGuardWord)) return false;
        return true;
    }
    bool drawn() const {
        for (size_t i = kGuard; i < mem.size() - kGuard; i++)
            if (mem[i] != T(0x5A5A5A5A)) return true;
        return false;
    }
};

// Returns the first breach ("" when none) and counts the draws that changed something.
template <class T> std::string run_random_draws(uint32_t seed, int32_t *drawn) {
    std::mt19937 rng(seed);
    auto pick = [&](int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
    };
    *drawn = 0;
    for (int iter = 0; iter < 3000; iter++) {
        const int32_t dw = pick(1, 50), dh = pick(1, 50);
        // Equal sizes now and then, so that the whole-bitmap operations run too.
        const bool same = pick(0, 2) == 0;
        DrawingPixels<T> src(same ? dw : pick(1, 40), same ? dh : pick(1, 40));
        src.pattern();
        Guarded<T> dst(dw, dh);
        const int32_t x = pick(-50, 50), y = pick(-50, 50);
        const int32_t op = pick(0, 8);
        switch (op) {
        case 0:
            VRX_DrawBitmap(x, y, src.bm, dst.bm);
            break;
        case 1:
            VRX_DrawBlendBitmap(x, y, src.bm, dst.bm, uint8_t(pick(0, 9)));
            break;
        case 2:
            VRX_DrawFilteredBitmap(x, y, src.bm, dst.bm, uint8_t(pick(1, 3)));
            break;
        case 3:
            VRX_DrawScaledBitmap(x, y, pick(-3, 150), pick(-3, 150), src.bm, dst.bm, pick(-1, 1));
            break;
        case 4:
            VRX_DrawZoomedBitmap(x, y, pick(-50, 500), src.bm, dst.bm);
            break;
        case 5:
            VRX_DrawRotatedBitmapZoom(x, y, src.bm, dst.bm, pick(-800, 800), pick(-600, 600));
            break;
        case 6:
            VRX_DrawRotatedBitmapXY(x, y, src.bm, dst.bm, pick(-800, 800), pick(-600, 600),
                                    pick(-60, 60), pick(-60, 60));
            break;
        case 7:
            VRX_DrawBitmap3D(src.bm, src.bm, dst.bm, pick(0, 6));
            break;
        default:
            VRX_FadeBitmap(src.bm, dst.bm, uint8_t(pick(0, 255)), uint8_t(pick(0, 3)));
            VRX_AlphawipeBitmap(dst.bm, src.bm, dst.bm, 255);
            VRX_GreyBitmap(src.bm, dst.bm);
            break;
        }
        if (!dst.guards_intact()) {
            return "iteration " + std::to_string(iter) + " operation " + std::to_string(op);
        }
        *drawn += dst.drawn();
    }
    return "";
}

using DrawGuard = DrawingDepth32;
using DrawGuardDepth16 = DrawingDepth16;
} // namespace

// The draws mostly land, so the guards are really exercised.
TEST_F(DrawGuard, NoDrawWritesOutsideTheDestination) {
    int32_t drawn = 0;
    testing::internal::CaptureStdout(); // mismatched effects print their refusal
    std::string breach = run_random_draws<uint32_t>(1234, &drawn);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(breach, "");
    EXPECT_GT(drawn, 600);
}

TEST_F(DrawGuardDepth16, NoDrawWritesOutsideTheDestination) {
    int32_t drawn = 0;
    testing::internal::CaptureStdout();
    std::string breach = run_random_draws<uint16_t>(5678, &drawn);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(breach, "");
    EXPECT_GT(drawn, 600);
}
