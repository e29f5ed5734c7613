// The game's drawing layer: top-down plotting, small colour-index bitmaps, digits and numbers.
#include "game/tintfall.h"

const uint8_t *sprdata;

// Indices above 25 become white; both coordinates wrap modulo 8.
void DrawPixel(uint8_t x, uint8_t y, uint8_t colour) {
    if (colour > 25) colour = 1;
    GameSlate[8 * (x & 7) + ((7 - y) & 7)] = colour;
}

// Negative coordinates arrive as 248 and above and are rejected with the large ones.
void DrawPixelSafe(uint8_t x, uint8_t y, uint8_t colour) {
    if (x > 7 || y > 7) return;
    DrawPixel(x, y, colour);
}

// Every byte is consumed, drawn or not, so clipped rows stay aligned.
void DrawSprite(int8_t x, int8_t y, uint8_t w, uint8_t h, const uint8_t *data) {
    sprdata = data;
    for (uint32_t r = 0; r < h; r++) {
        int8_t cy = static_cast<int8_t>(y + r);
        for (uint32_t k = 0; k < w; k++) {
            int8_t cx = static_cast<int8_t>(x + k);
            uint8_t c = *sprdata++;
            if (cx >= 0 && cx <= 7 && cy >= 0 && cy <= 7) {
                DrawPixel(static_cast<uint8_t>(cx), static_cast<uint8_t>(cy), c);
            }
        }
    }
}

// Digit glyphs, 3 columns by 6 rows; bit 2 is the left column.
static const uint8_t digit_glyphs[10][6] = {
    {2, 5, 5, 5, 5, 2}, // 0
    {6, 2, 2, 2, 2, 7}, // 1
    {6, 1, 2, 4, 4, 7}, // 2
    {6, 1, 3, 1, 1, 6}, // 3
    {5, 5, 7, 1, 1, 1}, // 4
    {7, 4, 2, 1, 1, 6}, // 5
    {3, 4, 6, 5, 5, 2}, // 6
    {7, 1, 3, 1, 1, 1}, // 7
    {2, 5, 2, 5, 5, 2}, // 8
    {2, 5, 3, 1, 1, 2}, // 9
};

// The same vertical gradient as the title.
static const uint8_t glyph_row_colour[6] = {19, 19, 18, 17, 16, 16};

void DrawNSprite(int8_t x, int8_t y, uint8_t w, uint8_t h, uint8_t digit) {
    (void)w;
    (void)h;
    if (digit > 9) return;
    for (uint8_t dy = 0; dy < 6; dy++) {
        uint8_t bits = digit_glyphs[digit][dy];
        for (uint8_t dx = 0; dx < 3; dx++) {
            if (bits & (4 >> dx)) {
                DrawPixelSafe(static_cast<uint8_t>(x + dx), static_cast<uint8_t>(y + dy),
                              glyph_row_colour[dy]);
            }
        }
    }
}

// The last four decimal digits, leading zeros included, four columns apart.
void DrawNumber(int32_t x, int32_t y, int32_t n) {
    int32_t digits[4] = {n / 1000 % 10, n / 100 % 10, n / 10 % 10, n % 10};
    for (int32_t i = 0; i < 4; i++) {
        DrawNSprite(static_cast<int8_t>(x + 4 * i), static_cast<int8_t>(y), 4, 6,
                    static_cast<uint8_t>(digits[i]));
    }
}
