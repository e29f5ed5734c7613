// Presentation costs: the page copy of a 640x480 frame and the 2x scaler's modes, each
// against memcpy of the same bytes in the same run (report the ratios, not the times).
#include <benchmark/benchmark.h>

#include "baselines.h"
#include "ratio_report.h"

#include <cstring>
#include <vector>

#include "vrx_library.h"
#include "graphics/scale2x.h"
#include "hw_win32/win32.h"
#include "video/video.h"

namespace {
const int32_t W = 640, H = 480;

void set_up_video() {
    static bool done = false;
    if (done) return;
    VRX_Initialise();
    VRX_InitVideo(W, H, 32, 0);
    fill_noise(VRX_screenbitmap.data, size_t(W) * H);
    done = true;
}

void BM_MemcpyFrame(benchmark::State &state) {
    copy_baseline(state, size_t(W) * H * 4);
}
BENCHMARK(BM_MemcpyFrame);

void BM_PageCopy32(benchmark::State &state) {
    set_up_video();
    for (auto _ : state) {
        VRX_video_drawvpage32(dibarea, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_PageCopy32);

void BM_MemcpyDoubledFrame(benchmark::State &state) {
    copy_baseline(state, size_t(W) * H * 16);
}
BENCHMARK(BM_MemcpyDoubledFrame);

// A picture with flat areas, edges and a dither, so that every rule of the edge modes runs.
void BM_Scale2x(benchmark::State &state) {
    // Made once and kept: the benchmark calls this function several times per mode.
    static VRX_Bitmap src = {}, dst = {};
    if (!src.data) VRX_CreateBitmap(W, H, &src);
    if (!dst.data) VRX_CreateBitmap(2 * W, 2 * H, &dst);
    auto *p = static_cast<uint32_t *>(src.data);
    for (int32_t y = 0; y < H; y++)
        for (int32_t x = 0; x < W; x++)
            p[y * W + x] = (x < W / 3)       ? 0xFF203040u
                           : (x < 2 * W / 3) ? (((x + y) & 1) ? 0xFFFFFFFFu : 0xFF000000u)
                                             : ((x + y) % 97 < 40 ? 0xFF806040u : 0xFF102030u);
    int32_t mode = int32_t(state.range(0));
    for (auto _ : state) {
        VRX_ScaleBitmap2x32(src, dst, mode);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 16);
}
BENCHMARK(BM_Scale2x)->Arg(1)->Arg(2)->Arg(3)->Arg(4);
} // namespace

int main(int argc, char **argv) {
    RatioReporter reporter("ratio to memcpy of the same bytes (the scaler: destination bytes)",
                           [](const std::string &name) -> std::vector<Ratio> {
                               if (name == "BM_PageCopy32") return {{"BM_MemcpyFrame"}};
                               if (name.rfind("BM_Scale2x", 0) == 0)
                                   return {{"BM_MemcpyDoubledFrame"}};
                               return {};
                           });
    return run_with_ratios(argc, argv, reporter);
}
