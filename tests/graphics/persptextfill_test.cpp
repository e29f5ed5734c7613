#include "depth_fixture.h"
#include "graphics/triangle.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
const uint32_t UNWRITTEN = 0xDEADBEEF;

// Texel i holds i, so each pixel names the texel it came from.
struct PerspectiveSpan : testing::Test {
    std::vector<uint32_t> texture = std::vector<uint32_t>(65536);
    std::vector<uint32_t> dst = std::vector<uint32_t>(64, UNWRITTEN);
    void SetUp() override {
        set_depth(false);
        std::iota(texture.begin(), texture.end(), 0u);
    }
    void fill(int32_t count, int32_t uw, int32_t vw, int32_t w, int32_t duw, int32_t dvw,
              int32_t dw) {
        persptextfill_c(dst.data(), texture.data(), count, uw, vw, w, duw, dvw, dw);
    }
};
} // namespace

// u = 96 / (1 + i / 16) along the span: 96 at pixel 0, 48 at 16, 32 at 32, 24 at 48; each run
// of 16 steps linearly towards the value 16 pixels on.
TEST_F(PerspectiveSpan, RunsOf16ThenTheRemainder) {
    struct Case {
        int32_t count;
        std::vector<std::pair<int32_t, uint32_t>> px;
    };
    for (const Case &k : {Case{20, {{0, 96}, {1, 93}, {15, 51}, {16, 48}, {19, 45}}},
                          Case{32, {{15, 51}, {16, 48}, {31, 33}}},
                          Case{36, {{32, 32}, {33, 31}, {34, 31}, {35, 30}}}, // half texels
                          Case{0, {}}, Case{-5, {}}}) {
        dst.assign(64, UNWRITTEN);
        fill(k.count, 96 << 16, 0, 65536, 0, 0, 4096);
        for (auto [i, want] : k.px) EXPECT_EQ(dst[i], want) << k.count << " pixel " << i;
        EXPECT_EQ(std::count(dst.begin(), dst.end(), UNWRITTEN), 64 - std::max(k.count, 0));
    }
}

TEST_F(PerspectiveSpan, RowWrapsAt256AndColumnRunsOn) {
    fill(3, 3 << 16, 255 << 16, 65536, 0, 65536, 0); // one row down per pixel, column 3
    EXPECT_EQ(dst[0], 255u * 256 + 3);
    EXPECT_EQ(dst[1], 3u);
    fill(3, 254 << 16, 0, 65536, 65536, 0, 0); // column 256 of row 0 is row 1
    EXPECT_EQ(dst[2], 256u);
    fill(3, 254 << 16, 255 << 16, 65536, 65536, 0, 0); // past the last texel: the first
    EXPECT_EQ(dst[1], 65535u);
    EXPECT_EQ(dst[2], 0u);
}

TEST_F(PerspectiveSpan, RandomSpansStayInside) {
    WildRng g{77};
    for (int i = 0; i < 3000; ++i) {
        const int32_t count = int32_t(g.next() % 201), w = i % 10 ? g.coord() : i % 20 ? 0 : 1;
        Canvas c(count, 1, UNWRITTEN, 64); // zero or tiny depths among them
        persptextfill_c(static_cast<uint32_t *>(c.bm.data), texture.data(), count, g.coord(),
                        g.coord(), w, g.coord(), g.coord(), g.coord());
        ASSERT_TRUE(c.guards_intact()) << i;
    }
}
