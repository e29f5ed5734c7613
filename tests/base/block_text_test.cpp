#include "base/block.h"
#include "base/dbg.h"
#include "base/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

TEST(Blocks, SetWritesWordThenTailAndNoFurther) {
    unsigned char buf[10];
    std::memset(buf, 0xEE, sizeof buf);
    wrap_memset(buf + 1, 0x5A, 6);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(buf[i], 0x5A) << i;
    EXPECT_EQ(buf[0], 0xEE);
    EXPECT_EQ(buf[7], 0xEE);
    wrap_memclr(buf, 3);
    EXPECT_EQ(buf[2], 0);
    EXPECT_EQ(buf[3], 0x5A);
}

TEST(Blocks, CopyCountsAndZeroLength) {
    const char src[] = "abcdefgh";
    char dst[9] = "........";
    wrap_memcpy(dst, src, 0);
    EXPECT_STREQ(dst, "........");
    wrap_memcpy(dst, src, 7);
    EXPECT_STREQ(dst, "abcdefg.");
    uint16_t s16[3] = {1, 2, 3}, d16[3] = {};
    wrap_memcpy16(d16, s16, 2);
    EXPECT_EQ(d16[1], 2);
    EXPECT_EQ(d16[2], 0);
    uint32_t s32[3] = {7, 8, 9}, d32[3] = {};
    wrap_memcpy32(d32, s32, 3);
    EXPECT_EQ(d32[2], 9u);
}

TEST(Text, UpcaseTouchesOnlyAsciiLowerCase) {
    char ext[] = ".tga";
    EXPECT_EQ(upcase(ext), ext);
    EXPECT_STREQ(ext, ".TGA");
    char mixed[] = "a1_z{\xe9}`";
    upcase(mixed);
    EXPECT_STREQ(mixed, "A1_Z{\xe9}`");
}

TEST(DiagnosticsDeathTest, AssertPrintsAndExitsWithOne) {
    // The message goes to standard output; route it to stderr so the death test can see it.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            _dbg_assert("graphics/bitmap.cpp", 42, "src.data");
        },
        testing::ExitedWithCode(1), "graphics/bitmap.cpp\\(42\\): assertion failed: src.data");
}
