// The device frame's discs against memset of the same row spans, and a full-screen box against
// memset of the whole screen, in one run.
#include "graphics/primitives.h"
#include "graphics/video_state.h"

#include "ratio_report.h"

#include <cstring>
#include <string>
#include <vector>

namespace {
const int W = 640, H = 480;

// Half-widths of the discs per row offset 0..r-1 (the rows at +-r are never drawn).
const int HALF12[] = {12, 11, 11, 11, 11, 10, 10, 9, 8, 7, 6, 4};
const int HALF6[] = {6, 5, 5, 5, 4, 3};

struct Disc {
    int x, y, r;
};

std::vector<Disc> device_discs() {
    std::vector<Disc> d;
    for (int i = 0; i < 8; ++i) d.push_back({210 + 30 * i, 115, 6});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) d.push_back({206 + 31 * x, 356 - 31 * y, 12});
    return d;
}

struct Span {
    int offset, n; // in pixels from the bitmap start
};

// The row spans the discs cover, for the baseline: 64 * 439 + 8 * 111 pixels in all.
std::vector<Span> disc_spans() {
    std::vector<Span> s;
    for (const Disc &d : device_discs()) {
        const int *half = d.r == 12 ? HALF12 : HALF6;
        for (int dy = -(d.r - 1); dy <= d.r - 1; ++dy) {
            int hw = half[dy < 0 ? -dy : dy];
            s.push_back({(d.y + dy) * W + d.x - hw, 2 * hw + 1});
        }
    }
    return s;
}

std::vector<uint32_t> pixels(W *H);
VRX_Bitmap screen{W, H, W *H * 4, W *H, pixels.data()};

void BM_DeviceDiscs(benchmark::State &state) {
    VRX_video.flags = 0;
    std::vector<Disc> discs = device_discs();
    uint32_t colour = 0x405060;
    for (auto _ : state) {
        for (const Disc &d : discs) VRX_DrawFilledCircle(d.x, d.y, d.r, colour, screen);
        benchmark::ClobberMemory();
        colour ^= 0x010101;
    }
    state.SetBytesProcessed(state.iterations() * (64 * 439 + 8 * 111) * 4);
}
BENCHMARK(BM_DeviceDiscs);

void BM_MemsetRowSpans(benchmark::State &state) {
    std::vector<Span> spans = disc_spans();
    int value = 0x40;
    for (auto _ : state) {
        for (const Span &s : spans) std::memset(pixels.data() + s.offset, value, size_t(s.n) * 4);
        benchmark::ClobberMemory();
        value ^= 1;
    }
    state.SetBytesProcessed(state.iterations() * (64 * 439 + 8 * 111) * 4);
}
BENCHMARK(BM_MemsetRowSpans);

void BM_FilledBoxScreen(benchmark::State &state) {
    VRX_video.flags = 0;
    uint32_t colour = 0x405060;
    for (auto _ : state) {
        VRX_DrawFilledBox(0, 0, W, H, colour, screen);
        benchmark::ClobberMemory();
        colour ^= 0x010101;
    }
    state.SetBytesProcessed(state.iterations() * W * H * 4);
}
BENCHMARK(BM_FilledBoxScreen);

void BM_MemsetScreen(benchmark::State &state) {
    int value = 0x40;
    for (auto _ : state) {
        std::memset(pixels.data(), value, size_t(W) * H * 4);
        benchmark::ClobberMemory();
        value ^= 1;
    }
    state.SetBytesProcessed(state.iterations() * W * H * 4);
}
BENCHMARK(BM_MemsetScreen);
} // namespace

int main(int argc, char **argv) {
    RatioReporter reporter("ratio to memset of the same bytes",
                           [](const std::string &name) -> std::vector<Ratio> {
                               if (name == "BM_DeviceDiscs") return {{"BM_MemsetRowSpans", 2.0}};
                               if (name == "BM_FilledBoxScreen") return {{"BM_MemsetScreen", 1.5}};
                               return {};
                           });
    return run_with_ratios(argc, argv, reporter);
}
