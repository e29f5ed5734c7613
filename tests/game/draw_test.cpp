#include "fixture.h"

#include <string>

namespace {
// The slate as seen in game coordinates, one string per row from the top; '.' is 0, other
// cells show their index as a letter ('a' = 1).
std::string row_text(int32_t y) {
    std::string s;
    for (uint8_t x = 0; x < 8; x++) {
        uint8_t c = ReadPixel(x, static_cast<uint8_t>(y));
        s += c ? static_cast<char>('a' + c - 1) : '.';
    }
    return s;
}

bool slate_empty() {
    for (uint8_t c : GameSlate)
        if (c) return false;
    return true;
}

const char *const digit_art[10][6] = {
    {".#.", "#.#", "#.#", "#.#", "#.#", ".#."}, {"##.", ".#.", ".#.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "#..", "###"}, {"##.", "..#", ".##", "..#", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#", "..#"}, {"###", "#..", ".#.", "..#", "..#", "##."},
    {".##", "#..", "##.", "#.#", "#.#", ".#."}, {"###", "..#", ".##", "..#", "..#", "..#"},
    {".#.", "#.#", ".#.", "#.#", "#.#", ".#."}, {".#.", "#.#", ".##", "..#", "..#", ".#."}};
const uint8_t row_colour[6] = {19, 19, 18, 17, 16, 16};

// Checks that the glyph of `digit` stands with its top-left cell at (x, y), columns clipped to
// the matrix.
void expect_digit(int32_t x, int32_t y, int32_t digit) {
    for (int32_t dy = 0; dy < 6; dy++)
        for (int32_t dx = 0; dx < 3; dx++) {
            int32_t cx = x + dx, cy = y + dy;
            if (cx < 0 || cx > 7 || cy < 0 || cy > 7) continue;
            uint8_t want = digit_art[digit][dy][dx] == '#' ? row_colour[dy] : 0;
            EXPECT_EQ(ReadPixel(static_cast<uint8_t>(cx), static_cast<uint8_t>(cy)), want)
                << "digit " << digit << " cell " << dx << "," << dy;
        }
}

void expect_column_empty(int32_t x) {
    for (uint8_t y = 0; y < 8; y++) EXPECT_EQ(ReadPixel(static_cast<uint8_t>(x), y), 0);
}
} // namespace

using Drawing = Handheld;

TEST_F(Drawing, PixelClampsColoursAndWrapsCoordinates) {
    DrawPixel(0, 0, 25);
    EXPECT_EQ(GameSlate[7], 25); // top left is device row 7
    DrawPixel(1, 0, 26);
    EXPECT_EQ(GameSlate[15], 1);
    DrawPixel(2, 7, 200);
    EXPECT_EQ(GameSlate[16], 1);
    DrawPixel(8, 0, 3); // wraps to (0, 0)
    EXPECT_EQ(GameSlate[7], 3);
    DrawPixel(3, 9, 4); // row 9 is row 1
    EXPECT_EQ(ReadPixel(3, 1), 4);
}

TEST_F(Drawing, SafePixelIgnoresOffMatrixCells) {
    DrawPixelSafe(8, 0, 3);
    DrawPixelSafe(0, 8, 3);
    DrawPixelSafe(255, 0, 3); // -1
    DrawPixelSafe(0, 248, 3); // -8
    EXPECT_TRUE(slate_empty());
    DrawPixelSafe(7, 7, 30);
    EXPECT_EQ(ReadPixel(7, 7), 1);
}

TEST_F(Drawing, SpriteClipsLeftAndStillConsumesEveryByte) {
    uint8_t sprite[2 * 8];
    for (uint8_t i = 0; i < 16; i++) sprite[i] = static_cast<uint8_t>(i + 1);
    DrawSprite(-3, 2, 8, 2, sprite);
    EXPECT_EQ(sprdata, sprite + 16);
    EXPECT_EQ(row_text(2), "defgh...");
    EXPECT_EQ(row_text(3), "lmnop...");
    EXPECT_EQ(row_text(1), "........");
    EXPECT_EQ(row_text(4), "........");
}

TEST_F(Drawing, SpriteClipsRightAndBottomWithoutWrapping) {
    uint8_t sprite[3 * 3] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    DrawSprite(6, 6, 3, 3, sprite);
    EXPECT_EQ(sprdata, sprite + 9);
    EXPECT_EQ(row_text(6), "......ab");
    EXPECT_EQ(row_text(7), "......de");
    EXPECT_EQ(row_text(0), "........");
    EXPECT_EQ(ReadPixel(0, 6), 0);
    // Zero is drawn like any index: it switches cells off.
    uint8_t blank[1] = {0};
    DrawSprite(6, 6, 1, 1, blank);
    EXPECT_EQ(ReadPixel(6, 6), 0);
}

TEST_F(Drawing, DigitGlyphs) {
    for (int32_t d = 0; d < 10; d++) {
        ClearSlate();
        DrawNSprite(2, 1, 4, 6, static_cast<uint8_t>(d));
        expect_digit(2, 1, d);
        expect_column_empty(1);
        expect_column_empty(5);
        EXPECT_EQ(row_text(0), "........");
        EXPECT_EQ(row_text(7), "........");
    }
    ClearSlate();
    DrawNSprite(0, 0, 4, 6, 10);
    DrawNSprite(0, 0, 4, 6, 255);
    EXPECT_TRUE(slate_empty());
}

TEST_F(Drawing, DigitLeftOfMatrixLosesOnlyItsOffMatrixColumns) {
    DrawNSprite(-1, 1, 4, 6, 8);
    expect_digit(-1, 1, 8);
    expect_column_empty(7); // nothing wrapped round
    ClearSlate();
    DrawNSprite(6, -2, 4, 6, 0);
    expect_digit(6, -2, 0);
    EXPECT_EQ(row_text(7), "........");
}

TEST_F(Drawing, NumberShowsLastFourDigitsFourColumnsApart) {
    DrawNumber(-8, 1, 42);
    expect_digit(0, 1, 4);
    expect_digit(4, 1, 2);
    expect_column_empty(3);
    expect_column_empty(7);
    EXPECT_EQ(row_text(0), "........");
    EXPECT_EQ(row_text(7), "........");

    ClearSlate();
    DrawNumber(8, 1, 42);
    EXPECT_TRUE(slate_empty());
    DrawNumber(-15, 1, 42);
    EXPECT_TRUE(slate_empty());

    DrawNumber(-8, 1, 12345); // 2345
    expect_digit(0, 1, 4);
    expect_digit(4, 1, 5);
    ClearSlate();
    DrawNumber(0, 1, 12345);
    expect_digit(0, 1, 2);
    expect_digit(4, 1, 3);
    ClearSlate();
    DrawNumber(-12, 1, 7); // the units only, at columns 0..2
    expect_digit(0, 1, 7);
    expect_column_empty(3);
}
