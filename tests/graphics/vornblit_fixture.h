// Shared set-up for the span kernel tests: depth bit and 16-bit layout as video start-up sets
// them, spans filled with one pixel or with seeded noise, and per-channel helpers.
#pragma once
#include "graphics/bitmap.h"
#include "graphics/vornblit.h"
#include "video/video_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

struct Kernels32 : testing::Test {
    void SetUp() override {
        VRX_video.flags = 0;
        VornBlit_Initialise(8, 8, 8, 16, 8, 0);
    }
};
struct Kernels16 : testing::Test {
    void SetUp() override {
        VRX_video.flags = VRX_VIDEO_16BIT;
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    }
    void TearDown() override {
        VRX_video.flags = 0;
        VornBlit_Initialise(5, 5, 5, 10, 5, 0);
    }
};
struct Kernels565 : Kernels16 {
    void SetUp() override {
        Kernels16::SetUp();
        VornBlit_Initialise(5, 6, 5, 11, 5, 0);
    }
};

// A layout with a channel wider than 8 bits, which the vector paths leave to the plain loops.
struct KernelsWide : Kernels16 {
    void SetUp() override {
        Kernels16::SetUp();
        VornBlit_Initialise(2, 4, 10, 14, 10, 0);
    }
};

// Long enough that whole blocks and a ragged tail of a span are both exercised.
constexpr int32_t SPAN = 37;

template <class T> std::vector<T> span_of(T value, int32_t n = SPAN) {
    return std::vector<T>(static_cast<size_t>(n), value);
}

inline std::vector<uint32_t> noise32(uint32_t seed, int32_t n = SPAN) {
    std::vector<uint32_t> v(static_cast<size_t>(n));
    for (auto &p : v) {
        seed = seed * 1664525u + 1013904223u;
        p = seed ^ (seed >> 13);
    }
    return v;
}
inline std::vector<uint16_t> noise16(uint32_t seed, int32_t n = SPAN) {
    std::vector<uint16_t> v(static_cast<size_t>(n));
    for (auto &p : v) {
        seed = seed * 1664525u + 1013904223u;
        p = static_cast<uint16_t>(seed >> 16);
    }
    return v;
}

// Every element of a span equals want.
template <class T> testing::AssertionResult all_equal(const std::vector<T> &v, uint32_t want) {
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] != want)
            return testing::AssertionFailure() << "pixel " << i << " is 0x" << std::hex
                                               << uint32_t(v[i]) << ", want 0x" << want;
    return testing::AssertionSuccess();
}

// A 16-bit pixel from channel values in the current layout, and a channel of one.
inline uint16_t px16(uint32_t r, uint32_t g, uint32_t b) {
    return static_cast<uint16_t>((r << vornblit_redshift) | (g << vornblit_greenshift) |
                                 (b << vornblit_blueshift));
}
inline uint32_t byte_of(uint32_t p, int shift) {
    return (p >> shift) & 0xFF;
}
