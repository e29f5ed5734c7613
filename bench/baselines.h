// Baselines and set-up that several benchmark programs share.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/video_state.h"
#include "graphics/bitmap.h"

// memcpy of `bytes` from one buffer to another, the yardstick most ratios divide by.
inline void copy_baseline(benchmark::State &state, size_t bytes) {
    std::vector<uint8_t> a(bytes, 1), b(bytes);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}

// The same for a w x h picture of 32-bit pixels given as the benchmark's two arguments.
inline void copy_baseline_wh(benchmark::State &state) {
    copy_baseline(state, size_t(state.range(0)) * size_t(state.range(1)) * 4);
}

// 32-bit pixels with 8-bit channels and no mode flags, as the bitmap drawing benchmarks draw.
inline void set_depth32() {
    VRX_video.flags = 0;
    VornBlit_Initialise(8, 8, 8, 16, 8, 0);
}

// Opaque pixels that differ from their neighbours, so that no kernel meets a flat run.
inline void fill_noise(void *pixels, size_t n) {
    auto *p = static_cast<uint32_t *>(pixels);
    for (size_t i = 0; i < n; i++) p[i] = 0xFF000000u | (uint32_t(i) * 2654435761u >> 8);
}
