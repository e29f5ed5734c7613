// The pixel depth and 16-bit layout set as video start-up sets them, and bitmaps over buffers of
// exactly their size (optionally between guard bytes), so the sanitizer sees any stray access.
#pragma once
#include "graphics/bitmap.h"
#include "graphics/video_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

inline void set_depth(bool mode16) {
    VRX_video.flags = mode16 ? uint32_t(VRX_VIDEO_16BIT) : 0u;
    mode16 ? VornBlit_Initialise(5, 5, 5, 10, 5, 0) : VornBlit_Initialise(8, 8, 8, 16, 8, 0);
}
struct Depth32 : testing::Test {
    void SetUp() override { set_depth(false); }
    void TearDown() override { set_depth(false); } // for tests that switch to 16 bits
};
struct Depth16 : testing::Test {
    void SetUp() override { set_depth(true); }
    void TearDown() override { set_depth(false); }
};
struct BothDepths : testing::TestWithParam<bool> {
    bool mode16 = false;
    void SetUp() override { set_depth(mode16 = GetParam()); }
    void TearDown() override { set_depth(false); }
    // A 0xRRGGBB colour as the current depth stores it.
    uint32_t colour(uint32_t rgb) const { return mode16 ? VornBlit_color24to16(rgb) : rgb; }
};
#define INSTANTIATE_BOTH_DEPTHS(suite)                                                             \
    INSTANTIATE_TEST_SUITE_P(Depth, suite, testing::Values(false, true),                           \
                             [](const auto &p) { return p.param ? "16" : "32"; })

inline constexpr auto rgb555 = [](uint32_t r, uint32_t g, uint32_t b) {
    return uint16_t(r << 10 | g << 5 | b);
};
inline constexpr auto rgb565 = [](uint32_t r, uint32_t g, uint32_t b) {
    return uint16_t(r << 11 | g << 5 | b);
};

using Points = std::set<std::pair<int32_t, int32_t>>;
inline Points row_of(int32_t y, int32_t x0, int32_t x1) {
    Points p;
    for (int32_t x = x0; x <= x1; ++x) p.insert({x, y});
    return p;
}

// A w x h bitmap of the depth current at construction, filled with `fill`, with `pad` guard
// bytes on either side of its data.
struct Canvas {
    int32_t w, h, pad;
    uint32_t fill;
    bool wide = !vrx_mode16();
    std::vector<uint8_t> mem;
    VRX_Bitmap bm{};
    Canvas(int32_t w_, int32_t h_, uint32_t fill_ = 0, int32_t pad_ = 0)
        : w(w_), h(h_), pad(pad_), fill(fill_),
          mem(size_t(w * h * (wide ? 4 : 2) + 2 * pad), 0x5A) {
        bm = {w, h, uint32_t(mem.size() - 2 * pad), w * h, mem.data() + pad};
        clear();
    }
    Canvas(const Canvas &) = delete; // bm points into mem
    uint32_t get(int32_t i) const {
        return wide ? static_cast<const uint32_t *>(bm.data)[i]
                    : static_cast<const uint16_t *>(bm.data)[i];
    }
    uint32_t at(int32_t x, int32_t y) const { return get(y * w + x); }
    void set(int32_t i, uint32_t v) {
        wide ? void(static_cast<uint32_t *>(bm.data)[i] = v)
             : void(static_cast<uint16_t *>(bm.data)[i] = uint16_t(v));
    }
    void clear() {
        for (int32_t i = 0; i < w * h; ++i) set(i, fill);
    }
    Points lit() const { // the pixels that no longer hold `fill`
        Points p;
        for (int32_t i = 0; i < w * h; ++i)
            if (get(i) != fill) p.insert({i % w, i / w});
        return p;
    }
    // First and last lit column of every row ({-1, -1} when none); a gap fails the test.
    std::vector<std::pair<int32_t, int32_t>> spans() const {
        std::vector<std::pair<int32_t, int32_t>> out(size_t(h), {-1, -1});
        for (auto [x, y] : lit()) {
            auto &s = out[size_t(y)];
            EXPECT_TRUE(s.first < 0 || s.second + 1 == x) << "gap in row " << y;
            s = {s.first < 0 ? x : s.first, x};
        }
        return out;
    }
    bool guards_intact() const {
        return std::count(mem.begin(), mem.begin() + pad, 0x5A) == pad &&
               std::count(mem.end() - pad, mem.end(), 0x5A) == pad;
    }
};

// A typed w x h bitmap of one fill value, for the drawing routines and effects.
inline constexpr uint32_t kFill = 0x12345678;
inline constexpr const char *kNoData = "bitmap has no data\n";
template <class T> struct Pixels {
    std::vector<T> mem;
    VRX_Bitmap bm{};
    Pixels(int32_t w, int32_t h, T fill = T(kFill)) : mem(size_t(w) * h, fill) {
        bm = {w, h, uint32_t(w * h * sizeof(T)), w * h, mem.data()};
    }
    T &at(int32_t x, int32_t y) { return mem[size_t(y) * bm.width + x]; }
    VRX_Bitmap no_data() const { return {bm.width, bm.height, bm.size, bm.pixels, nullptr}; }
    void pattern() { // a distinct opaque value per pixel
        for (size_t i = 0; i < mem.size(); i++) mem[i] = T(0xFF000000u | (i * 2654435761u >> 8));
    }
    int32_t changed() const {
        return int32_t(mem.size() - std::count(mem.begin(), mem.end(), T(kFill)));
    }
};
using Pixels32 = Pixels<uint32_t>;
using Pixels16 = Pixels<uint16_t>;

// What `op` prints on standard output.
inline std::string printed(const std::function<void()> &op) {
    testing::internal::CaptureStdout();
    op();
    return testing::internal::GetCapturedStdout();
}

// Coordinates mostly near a small target, else anywhere in 32 bits or at an extreme.
struct WildRng {
    uint32_t s;
    uint32_t next() { return s = s * 1664525u + 1013904223u; }
    int32_t coord() {
        static const int32_t edge[] = {
            INT32_MIN, INT32_MIN + 1, -65537, -32769, -32768,        -1,       0,
            1,         32767,         32768,  65536,  INT32_MAX - 1, INT32_MAX};
        const uint32_t r = next();
        if (r & 0x30000000) return int32_t((r >> 8) % 61) - 20;
        return (r & 1) ? int32_t(next()) : edge[(r >> 8) % std::size(edge)];
    }
};
