// Bitmap drawing against memcpy of the same destination bytes, in one run. Prints the ratio
// (CPU time of the draw / CPU time of the copy) after the table; the plain draw should stay
// within 1.25.
#include <benchmark/benchmark.h>

#include "baselines.h"
#include "ratio_report.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "graphics/draw_bitmap.h"
#include "graphics/video_state.h"

namespace {

struct Picture {
    std::vector<uint32_t> mem;
    VRX_Bitmap bm;
    Picture(int32_t w, int32_t h) : mem(size_t(w) * h) {
        for (size_t i = 0; i < mem.size(); i++) mem[i] = uint32_t(0xFF000000u | (i * 2654435761u));
        bm = {w, h, uint32_t(w * h * 4), w * h, mem.data()};
    }
};

void BM_Memcpy(benchmark::State &state) {
    copy_baseline_wh(state);
}
BENCHMARK(BM_Memcpy)->Args({640, 480})->Args({480, 480});

void BM_DrawBitmap(benchmark::State &state) {
    set_depth32();
    Picture src(640, 480), dst(640, 480);
    for (auto _ : state) {
        VRX_DrawBitmap(0, 0, src.bm, dst.bm);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawBitmap);

void BM_DrawBlendBitmap(benchmark::State &state) {
    set_depth32();
    Picture src(640, 480), dst(640, 480);
    for (auto _ : state) {
        VRX_DrawBlendBitmap(0, 0, src.bm, dst.bm, uint8_t(state.range(0)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawBlendBitmap)->DenseRange(1, 7);

void BM_DrawFilteredBitmap(benchmark::State &state) {
    set_depth32();
    Picture src(640, 480), dst(640, 480);
    for (auto _ : state) {
        VRX_DrawFilteredBitmap(0, 0, src.bm, dst.bm, uint8_t(state.range(0)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawFilteredBitmap)->Arg(2)->Arg(3);

// Source of (640 x 480) / scale onto 640 x 480; range(0) is the filter, range(1) 1 for 2x.
void BM_DrawScaledBitmap(benchmark::State &state) {
    set_depth32();
    const bool enlarge = state.range(1) != 0;
    Picture src(enlarge ? 320 : 1280, enlarge ? 240 : 960), dst(640, 480);
    for (auto _ : state) {
        VRX_DrawScaledBitmap(0, 0, 640, 480, src.bm, dst.bm, int32_t(state.range(0)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawScaledBitmap)->Args({0, 1})->Args({1, 1})->Args({0, 0})->Args({1, 0});

// 320 x 240 turned by 45 degrees: a 480 x 480 square of destination pixels is visited.
void BM_DrawRotatedBitmap(benchmark::State &state) {
    set_depth32();
    Picture src(320, 240), dst(640, 480);
    for (auto _ : state) {
        VRX_DrawRotatedBitmap(160, 120, src.bm, dst.bm, 45);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawRotatedBitmap);

} // namespace

int main(int argc, char **argv) {
    RatioReporter reporter("ratio to memcpy of the same destination bytes",
                           [](const std::string &name) -> std::vector<Ratio> {
                               if (name.rfind("BM_Memcpy", 0) == 0) return {};
                               if (name == "BM_DrawRotatedBitmap") return {{"BM_Memcpy/480/480"}};
                               return {{"BM_Memcpy/640/480", name == "BM_DrawBitmap" ? 1.25 : 0}};
                           });
    return run_with_ratios(argc, argv, reporter);
}
