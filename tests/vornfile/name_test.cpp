#include "vornfile/vornfile_internal.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(VornfileNames, HashIsSignedByteSum) {
    const struct {
        const char *name;
        int32_t hash;
    } cases[] = {{"leds.tga", 786}, {"font_heat.tga", 1314}, {"", 0}, {"\xff", -1}};
    for (const auto &c : cases) EXPECT_EQ(vornfile_gethash(c.name), c.hash) << c.name;
}

TEST(VornfileNames, FoldingTouchesOnlyUpperCaseAsciiLettersAndExactlyNBytes) {
    const char in[] = "LEDS.TGA@Z[\xc4";
    char out[sizeof in + 1] = {};
    out[sizeof in] = 'x';
    file_downcase(out, in, sizeof in);
    EXPECT_STREQ(out, "leds.tga@z[\xc4");
    EXPECT_EQ(out[sizeof in], 'x');
}
