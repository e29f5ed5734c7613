#include "fixture.h"

#include <vector>

namespace {
// clang-format off
const char *const digit_art[10] = { // rows 0..5, top first
    ".#." "#.#" "#.#" "#.#" "#.#" ".#.", // 0
    "##." ".#." ".#." ".#." ".#." "###", // 1
    "##." "..#" ".#." "#.." "#.." "###", // 2
    "##." "..#" ".##" "..#" "..#" "##.", // 3
    "#.#" "#.#" "###" "..#" "..#" "..#", // 4
    "###" "#.." ".#." "..#" "..#" "##.", // 5
    ".##" "#.." "##." "#.#" "#.#" ".#.", // 6
    "###" "..#" ".##" "..#" "..#" "..#", // 7
    ".#." "#.#" ".#." "#.#" "#.#" ".#.", // 8
    ".#." "#.#" ".##" "..#" "..#" ".#.", // 9
};
// clang-format on
const uint8_t row_colour[6] = {19, 19, 18, 17, 16, 16};
} // namespace

class Drawing : public Handheld {
  protected:
    // Adds to a slate_text picture the glyph of d at columns x..x+2, rows 1..6, in its row colours.
    static void put(std::string &slate, int32_t x, int32_t d) {
        for (int32_t i = 0; i < 18; i++)
            if (digit_art[d][i] == '#')
                slate[8 * (1 + i / 3) + x + i % 3] = 'a' + row_colour[i / 3] - 1;
    }
};

TEST_F(Drawing, PixelClampsColoursAndWrapsCoordinates) {
    // Top left is device row 7; indices above 25 become white; rows and columns wrap.
    const struct {
        uint8_t x, y, colour, index, stored;
    } cases[] = {{0, 0, 25, 7, 25},
                 {1, 0, 26, 15, 1},
                 {2, 7, 200, 16, 1},
                 {8, 0, 3, 7, 3},
                 {3, 9, 4, 30, 4}};
    for (auto c : cases) {
        DrawPixel(c.x, c.y, c.colour);
        EXPECT_EQ(GameSlate[c.index], c.stored) << +c.x << "," << +c.y;
    }
    ClearSlate();
    for (uint8_t xy : {8, 248, 255}) DrawPixelSafe(xy, 0, 3), DrawPixelSafe(0, xy, 3);
    EXPECT_EQ(slate_text(), blank_slate);
    DrawPixelSafe(7, 7, 30);
    EXPECT_EQ(GameSlate[56], 1);
}

TEST_F(Drawing, SpriteClipsLeftAndStillConsumesEveryByte) {
    uint8_t sprite[2 * 8];
    for (uint8_t i = 0; i < 16; i++) sprite[i] = static_cast<uint8_t>(i + 1);
    DrawSprite(-3, 2, 8, 2, sprite);
    EXPECT_EQ(sprdata, sprite + 16);
    EXPECT_EQ(slate_text(), std::string(16, '.') + "defgh...lmnop..." + std::string(32, '.'));
}

// Every digit's glyph appears among these.
TEST_F(Drawing, NumberShowsLastFourDigitsFourColumnsApart) {
    const struct {
        int32_t x, n, at0, at4; // digits expected at columns 0 and 4; -1: nothing on the matrix
    } cases[] = {{-8, 42, 4, 2}, {8, 42, -1, -1},   {-15, 42, -1, -1},
                 {-8, 5, 0, 5},  {-8, 16, 1, 6},    {-8, 78, 7, 8},
                 {-8, 9, 0, 9},  {-8, 12345, 4, 5}, {0, 12345, 2, 3}};
    for (auto c : cases) {
        ClearSlate();
        DrawNumber(c.x, 1, c.n);
        std::string want = blank_slate;
        if (c.at0 >= 0) put(want, 0, c.at0), put(want, 4, c.at4);
        EXPECT_EQ(slate_text(), want) << c.x << " " << c.n;
    }
    ClearSlate();
    DrawNSprite(0, 0, 4, 6, 10); // no glyph 10
    EXPECT_EQ(slate_text(), blank_slate);
}

TEST(TitleBitmap, SpellsTintfallInTheRowGradient) {
    const char *word = "TINTFALL";
    std::string letter[8]; // 3 columns by 6 rows, '#' and '.'
    for (int32_t y = 0; y < 6; y++)
        for (int32_t x = 0; x < 48; x++) {
            uint8_t c = title_data[48 * y + x];
            bool in_letter = x >= 4 && x < 36 && (x - 4) % 4 < 3;
            EXPECT_TRUE(c == 0 || (in_letter && c == row_colour[y])) << x << "," << y;
            if (in_letter) letter[(x - 4) / 4] += c ? '#' : '.';
        }
    for (int32_t a = 0; a < 8; a++) {
        EXPECT_NE(letter[a], std::string(18, '.')) << word[a];
        for (int32_t b = a + 1; b < 8; b++) // equal letters alike, different letters not
            EXPECT_EQ(letter[a] == letter[b], word[a] == word[b]) << word[a] << word[b];
    }
}

TEST_F(Drawing, SplashFadeColours) {
    const struct {
        int32_t t;
        std::vector<uint8_t> e16_19;
    } steps[] = {{0, std::vector<uint8_t>(12, 0)},
                 {2, std::vector<uint8_t>(12, 0)},
                 {126, {0, 1, 3, 0, 2, 5, 0, 5, 8, 2, 8, 11}},
                 {128, {0, 2, 4, 0, 3, 6, 1, 6, 9, 3, 9, 12}}}; // the blue ramp
    for (const auto &s : steps) {
        SplashColors(s.t);
        EXPECT_EQ(std::vector<uint8_t>(ColorTable[16], ColorTable[20]), s.e16_19) << s.t;
    }
}
