// Bitmaps over vectors of exactly their size (so the sanitizer sees any stray read) and the
// depth set as video start-up would set it.
#pragma once
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "video/video_state.h"

template <class T> struct DrawingPixels {
    std::vector<T> mem;
    VRX_Bitmap bm{};
    DrawingPixels(int32_t w, int32_t h, T fill = 0) : mem(size_t(w) * h, fill) {
        bm = {w, h, uint32_t(w * h * sizeof(T)), w * h, mem.data()};
    }
    T &at(int32_t x, int32_t y) { return mem[size_t(y) * bm.width + x]; }
    // A distinct opaque value per pixel.
    void pattern() {
        for (size_t i = 0; i < mem.size(); i++) mem[i] = T(0xFF000000u | (i * 2654435761u >> 8));
    }
};
using Pixels32 = DrawingPixels<uint32_t>;
using Pixels16 = DrawingPixels<uint16_t>;

struct DrawingDepth32 : testing::Test {
    void SetUp() override {
        VRX_video.flags = 0;
        VornBlit_Initialise(8, 8, 8, 16, 8, 0);
    }
};
struct DrawingDepth16 : testing::Test {
    void SetUp() override {
        VRX_video.flags = VRX_VIDEO_16BIT;
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    }
    void TearDown() override { VRX_video.flags = 0; }
};

// Counts the destination pixels that no longer hold `fill`.
template <class T> int32_t pixels_changed(const DrawingPixels<T> &p, T fill) {
    int32_t n = 0;
    for (T v : p.mem) n += v != fill;
    return n;
}
