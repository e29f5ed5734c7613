// 100 sprites of 32 x 32 drawn plain, blended and rotated, against memcpy of their pixels
// (100 x 32 x 32 words) in the same run. Prints each draw's CPU time as a ratio to the copy.
#include <benchmark/benchmark.h>

#include "baselines.h"
#include "ratio_report.h"

#include <cstring>
#include <string>
#include <vector>

#include "graphics/sprite.h"
#include "graphics/video_state.h"

namespace {

constexpr int32_t COUNT = 100, SIDE = 32;

// A sprite with a transparent corner in every fourth pixel row, like a cut picture with a key.
struct Sprites {
    std::vector<uint32_t> pixels;
    VRX_Sprite s{};
    std::vector<uint32_t> screen = std::vector<uint32_t>(640 * 480, 0xFF203040);
    VRX_Bitmap target{640, 480, 640 * 480 * 4, 640 * 480, screen.data()};
    Sprites() : pixels(SIDE * SIDE) {
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] =
                (i / SIDE) % 4 == 0 && i % SIDE < 8 ? 0 : 0xFF000000u | uint32_t(i * 40503u);
        CreateMaskedSprite(SIDE, SIDE, pixels.data(), &s, 0xFFFFFFFF);
    }
    ~Sprites() { VRX_DeleteSprite(&s); }
    // Positions spread over the screen, all wholly inside.
    static int32_t x(int32_t i) { return (i * 97) % (640 - 2 * SIDE) + SIDE / 2; }
    static int32_t y(int32_t i) { return (i * 61) % (480 - 2 * SIDE) + SIDE / 2; }
};

void BM_Memcpy(benchmark::State &state) {
    copy_baseline(state, size_t(COUNT) * SIDE * SIDE * 4);
}
BENCHMARK(BM_Memcpy);

void BM_DrawSprite(benchmark::State &state) {
    set_depth32();
    Sprites sp;
    for (auto _ : state) {
        for (int32_t i = 0; i < COUNT; i++) VRX_DrawSprite(sp.x(i), sp.y(i), sp.s, sp.target);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawSprite);

void BM_DrawBlendSprite(benchmark::State &state) {
    set_depth32();
    Sprites sp;
    const auto mode = int8_t(state.range(0));
    for (auto _ : state) {
        for (int32_t i = 0; i < COUNT; i++)
            VRX_DrawBlendSprite(sp.x(i), sp.y(i), sp.s, sp.target, mode);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawBlendSprite)->DenseRange(1, 5);

// Angle 30 at natural size: a 64 x 64 box per sprite, about 1024 pixels of it inside.
void BM_DrawRotatedSprite(benchmark::State &state) {
    set_depth32();
    Sprites sp;
    for (auto _ : state) {
        for (int32_t i = 0; i < COUNT; i++)
            VRX_DrawRotatedSprite(sp.x(i), sp.y(i), sp.s, sp.target, 30);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawRotatedSprite);

} // namespace

int main(int argc, char **argv) {
    RatioReporter reporter("ratio to memcpy of the sprites' pixels",
                           [](const std::string &name) -> std::string {
                               return name == "BM_Memcpy" ? "" : "BM_Memcpy";
                           });
    return run_with_ratios(argc, argv, reporter);
}
