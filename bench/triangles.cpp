// Triangles of about 100 pixels, each against memset of the pixels it covers, in the same run.
#include "graphics/primitives.h"
#include "graphics/triangle.h"
#include "graphics/video_state.h"

#include "baselines.h"
#include "ratio_report.h"

#include <cstring>
#include <vector>

namespace {
enum Kind { FLAT, SHADED, TEXTURED, PERSPECTIVE };

const int32_t W = 640, H = 480;
const VRX_Vertex V0{100, 100, 0, 0, 0, 0, 20};
const VRX_Vertex V1{117, 106, 200, 40, 0, 0, 240};
const VRX_Vertex V2{104, 113, 30, 220, 0, 0, 120};

struct Span {
    int32_t y, x, n;
};

struct Scene {
    std::vector<uint32_t> screen = std::vector<uint32_t>(size_t(W) * H, 0);
    std::vector<uint32_t> texture = std::vector<uint32_t>(65536);
    VRX_Bitmap bmp{W, H, uint32_t(W *H * 4), W *H, nullptr};
    std::vector<Span> spans; // rows of the textured triangle, for the perspective spans
    Scene() {
        VRX_video.flags = 0;
        bmp.data = screen.data();
        fill_noise(texture.data(), texture.size());
        VRX_SetPrimitiveTexture(VRX_Bitmap{256, 256, 65536 * 4, 65536, texture.data()});
        VRX_DrawTriangleTextured(V0, V1, V2, bmp);
        for (int32_t y = 0; y < H; ++y) {
            int32_t x = 0;
            while (x < W && screen[size_t(y) * W + x] == 0) ++x;
            int32_t e = x;
            while (e < W && screen[size_t(y) * W + e] != 0) ++e;
            if (e > x) spans.push_back({y, x, e - x});
        }
    }
    void draw(Kind kind) {
        switch (kind) {
        case FLAT:
            VRX_DrawTriangle(V0, V1, V2, 0x336699, bmp);
            break;
        case SHADED:
            VRX_DrawTriangleShaded(V0, V1, V2, bmp);
            break;
        case TEXTURED:
            VRX_DrawTriangleTextured(V0, V1, V2, bmp);
            break;
        case PERSPECTIVE:
            for (const Span &s : spans) {
                int32_t w = 65536 + s.y * 512;
                persptextfill_c(screen.data() + size_t(s.y) * W + s.x, texture.data(), s.n,
                                s.x * w / 4, s.y * w / 2, w, 3000, 1000, 300);
            }
            break;
        }
    }
    int32_t covered(Kind kind) {
        std::fill(screen.begin(), screen.end(), 0);
        draw(kind);
        int32_t n = 0;
        for (uint32_t p : screen) n += p != 0;
        return n;
    }
};

void BM_Triangle(benchmark::State &state, Kind kind) {
    Scene scene;
    state.counters["pixels"] = scene.covered(kind);
    for (auto _ : state) {
        scene.draw(kind);
        benchmark::ClobberMemory();
    }
}

// memset over as many pixels as the triangle covers.
void BM_Memset(benchmark::State &state, Kind kind) {
    Scene scene;
    const int32_t pixels = scene.covered(kind);
    uint32_t *row = scene.screen.data() + size_t(V0.y) * W + V0.x;
    int value = 0;
    for (auto _ : state) {
        std::memset(row, value++, size_t(pixels) * 4);
        benchmark::ClobberMemory();
    }
}
} // namespace

BENCHMARK_CAPTURE(BM_Triangle, flat, FLAT);
BENCHMARK_CAPTURE(BM_Memset, flat, FLAT);
BENCHMARK_CAPTURE(BM_Triangle, shaded, SHADED);
BENCHMARK_CAPTURE(BM_Memset, shaded, SHADED);
BENCHMARK_CAPTURE(BM_Triangle, textured, TEXTURED);
BENCHMARK_CAPTURE(BM_Memset, textured, TEXTURED);
BENCHMARK_CAPTURE(BM_Triangle, perspective, PERSPECTIVE);
BENCHMARK_CAPTURE(BM_Memset, perspective, PERSPECTIVE);

int main(int argc, char **argv) {
    RatioReporter reporter("triangle / memset of the pixels it covers",
                           [](const std::string &name) -> std::vector<Ratio> {
                               const std::string tri = "BM_Triangle/";
                               if (name.rfind(tri, 0) != 0) return {};
                               return {{"BM_Memset/" + name.substr(tri.size())}};
                           });
    return run_with_ratios(argc, argv, reporter);
}
