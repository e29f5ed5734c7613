#include "graphics/triangle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const uint32_t kUnwritten = 0xDEADBEEF;

// Texel i holds i, so each pixel names the texel it came from.
struct PerspectiveSpan : testing::Test {
    std::vector<uint32_t> texture = std::vector<uint32_t>(65536);
    std::vector<uint32_t> dst = std::vector<uint32_t>(64, kUnwritten);
    void SetUp() override {
        for (uint32_t i = 0; i < 65536; ++i) texture[i] = i;
    }
    // u = 96 / (1 + i / 16) texels along the span: 96 at pixel 0, 48 at 16, 32 at 32, 24 at 48.
    void receding(int32_t count) {
        persptextfill_c(dst.data(), texture.data(), count, 96 << 16, 0, 65536, 0, 0, 4096);
    }
};
} // namespace

TEST_F(PerspectiveSpan, CountOf20IsARunOf16ThenARemainderOf4) {
    receding(20);
    // Run 1 steps linearly from 96 towards 48: (48 - 96) / 16 = -3 per pixel.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dst[i], uint32_t(96 - 3 * i)) << i;
    // The remainder starts at 48 and heads for the value 16 pixels on (32): -1 per pixel.
    EXPECT_EQ(dst[16], 48u);
    EXPECT_EQ(dst[19], 45u);
    EXPECT_EQ(dst[20], kUnwritten);
}

TEST_F(PerspectiveSpan, CountOf32IsTwoRunsOf16) {
    receding(32);
    EXPECT_EQ(dst[15], 51u);
    for (int i = 16; i < 32; ++i) EXPECT_EQ(dst[i], uint32_t(48 - (i - 16))) << i;
    EXPECT_EQ(dst[32], kUnwritten);
}

TEST_F(PerspectiveSpan, ThirdRunStepsByHalfTexels) {
    receding(36);
    EXPECT_EQ(dst[32], 32u);
    EXPECT_EQ(dst[33], 31u);
    EXPECT_EQ(dst[34], 31u);
    EXPECT_EQ(dst[35], 30u);
    EXPECT_EQ(dst[36], kUnwritten);
}

TEST_F(PerspectiveSpan, CountOfZeroOrLessWritesNothing) {
    receding(0);
    receding(-5);
    for (uint32_t p : dst) EXPECT_EQ(p, kUnwritten);
}

TEST_F(PerspectiveSpan, RowWrapsAt256AndColumnRunsOn) {
    // v from row 255 one row per pixel, column fixed at 3.
    persptextfill_c(dst.data(), texture.data(), 3, 3 << 16, 255 << 16, 65536, 0, 65536, 0);
    EXPECT_EQ(dst[0], 255u * 256 + 3);
    EXPECT_EQ(dst[1], 3u);
    EXPECT_EQ(dst[2], 256u + 3);
    // Column 254 onward in row 0 reads on into row 1.
    persptextfill_c(dst.data(), texture.data(), 3, 254 << 16, 0, 65536, 65536, 0, 0);
    EXPECT_EQ(dst[2], 256u);
    // Past the last texel the index wraps to the first instead of leaving the texture.
    persptextfill_c(dst.data(), texture.data(), 3, 254 << 16, 255 << 16, 65536, 65536, 0, 0);
    EXPECT_EQ(dst[1], 65535u);
    EXPECT_EQ(dst[2], 0u);
}

TEST_F(PerspectiveSpan, ZeroOrTinyDepthStaysInsideTheTexture) {
    // An exact-size texture: the sanitizer build reports any read outside it.
    std::vector<uint32_t> exact(texture);
    persptextfill_c(dst.data(), exact.data(), 40, 1 << 30, -(1 << 30), 0, 12345, -999, 1);
    persptextfill_c(dst.data(), exact.data(), 40, INT32_MAX, INT32_MIN, 1, INT32_MAX, INT32_MIN,
                    -1);
    persptextfill_c(dst.data(), exact.data(), 40, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(dst[40], kUnwritten);
}
