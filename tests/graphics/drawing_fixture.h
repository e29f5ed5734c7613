// Bitmaps over vectors of exactly their size (so the sanitizer sees any stray read) and the
// depth set as video start-up would set it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "video/video_state.h"

inline constexpr uint32_t kDrawFill = 0x12345678;
inline constexpr const char *kDrawNoData = "bitmap has no data\n";

template <class T> struct DrawingPixels {
    std::vector<T> mem;
    VRX_Bitmap bm{};
    DrawingPixels(int32_t w, int32_t h, T fill = T(kDrawFill)) : mem(size_t(w) * h, fill) {
        bm = {w, h, uint32_t(w * h * sizeof(T)), w * h, mem.data()};
    }
    T &at(int32_t x, int32_t y) { return mem[size_t(y) * bm.width + x]; }
    VRX_Bitmap no_data() const { return {bm.width, bm.height, bm.size, bm.pixels, nullptr}; }
    // A distinct opaque value per pixel.
    void pattern() {
        for (size_t i = 0; i < mem.size(); i++) mem[i] = T(0xFF000000u | (i * 2654435761u >> 8));
    }
    // Pixels that no longer hold the fill.
    int32_t changed() const {
        int32_t n = 0;
        for (T v : mem) n += v != T(kDrawFill);
        return n;
    }
};
using Pixels32 = DrawingPixels<uint32_t>;
using Pixels16 = DrawingPixels<uint16_t>;

// What `op` prints on standard output.
inline std::string drawing_printed(const std::function<void()> &op) {
    testing::internal::CaptureStdout();
    op();
    return testing::internal::GetCapturedStdout();
}

inline void drawing_set_depth16(bool on) {
    VRX_video.flags = on ? uint32_t(VRX_VIDEO_16BIT) : 0u;
    on ? VornBlit_Initialise(5, 5, 5, 10, 5, 0) : VornBlit_Initialise(8, 8, 8, 16, 8, 0);
}

// Each test starts in 32-bit mode; a 16-bit test switches with drawing_set_depth16(true).
struct DrawingFixture : testing::Test {
    void SetUp() override { drawing_set_depth16(false); }
    void TearDown() override { drawing_set_depth16(false); }
};
