#include "vornfile/vornfile.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(VornfileNames, HashIsSignedByteSum) {
    EXPECT_EQ(vornfile_gethash("leds.tga"), 786);
    EXPECT_EQ(vornfile_gethash("font_heat.tga"), 1314);
    EXPECT_EQ(vornfile_gethash(""), 0);
    EXPECT_EQ(vornfile_gethash("\xff"), -1);
    EXPECT_EQ(vornfile_gethash("a\x80"), 97 - 128);
}

TEST(VornfileNames, FoldingTouchesOnlyUpperCaseAsciiLetters) {
    char out[9];
    file_downcase(out, "LEDS.TGA", 9);
    EXPECT_STREQ(out, "leds.tga");

    const char in[] = {'@', 'A', 'Z', '[', '\xc4', 'z', 0};
    char folded[sizeof in];
    file_downcase(folded, in, sizeof in);
    const char want[] = {'@', 'a', 'z', '[', '\xc4', 'z', 0};
    EXPECT_EQ(std::memcmp(folded, want, sizeof want), 0);

    // Exactly n bytes are written.
    char guard[4] = {'x', 'x', 'x', 'x'};
    file_downcase(guard, "AB", 2);
    EXPECT_EQ(std::memcmp(guard, "abxx", 4), 0);
}

TEST(VornfileNames, GetintIsLittleEndian) {
    const uint8_t bytes[] = {0xFE, 0x7E, 0x02, 0x80};
    EXPECT_EQ(getint(bytes), 0x80027EFEu);
}
