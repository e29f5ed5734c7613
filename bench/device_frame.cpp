// One device frame (all 72 LEDs drawn, then presented) against memset of the pixels it covers.
#include "game/tintfall.h"
#include "video/video.h"

#include "ratio_report.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
// A radius-12 disc covers 439 pixels, a radius-6 disc 111.
const size_t covered_pixels = 64 * 439 + 8 * 111;
const size_t page_pixels = 640 * 480;

void light_every_led() {
    GlowbyJr::AuxLEDs = 0xFF;
    for (uint32_t i = 0; i < 192; i++) GlowbyJr::GlowbyFrame[i] = static_cast<uint8_t>(i % 16);
}

void BM_DeviceFrame(benchmark::State &state) {
    light_every_led();
    for (auto _ : state) {
        Glo.update_glowbyjr();
        benchmark::ClobberMemory();
        GlowbyJr::GlowbyFrame[0] ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(covered_pixels));
}
BENCHMARK(BM_DeviceFrame);

std::vector<uint32_t> target(page_pixels);
std::vector<uint32_t> page(page_pixels);

void BM_MemsetCovered(benchmark::State &state) {
    int value = 0x40;
    for (auto _ : state) {
        std::memset(target.data(), value, covered_pixels * 4);
        benchmark::ClobberMemory();
        value ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(covered_pixels));
}
BENCHMARK(BM_MemsetCovered);

// The present copies the whole back buffer once; this baseline adds that copy.
void BM_MemsetCoveredAndPageCopy(benchmark::State &state) {
    int value = 0x40;
    for (auto _ : state) {
        std::memset(target.data(), value, covered_pixels * 4);
        std::memcpy(page.data(), target.data(), page_pixels * 4);
        benchmark::ClobberMemory();
        value ^= 1;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(covered_pixels));
}
BENCHMARK(BM_MemsetCoveredAndPageCopy);

} // namespace

int main(int argc, char **argv) {
#ifndef _WIN32
    setenv("SDL_VIDEODRIVER", "dummy", 0); // no window is needed to measure
#endif
    VRX_InitVideo(640, 480, 32, 0);
    RatioReporter reporter("ratio of the device frame to memset of the pixels it covers",
                           [](const std::string &name) -> std::vector<Ratio> {
                               if (name != "BM_DeviceFrame") return {};
                               return {{"BM_MemsetCovered"}, {"BM_MemsetCoveredAndPageCopy"}};
                           });
    return run_with_ratios(argc, argv, reporter);
}
