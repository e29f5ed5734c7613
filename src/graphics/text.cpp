// Text: formatted into a 256-byte buffer, then drawn glyph by glyph with the sprite drawer.
#include "graphics/font.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

constexpr int32_t LAST_GLYPH = 93;

// The glyph number of a character code, or -1 for codes that have no glyph in this font.
int32_t glyph_of(const VRX_Font &font, unsigned char ch) {
    const int32_t g = static_cast<int8_t>(ch - 31);
    return g >= 0 && g <= LAST_GLYPH && g < font.count ? g : -1;
}

// The distance the cursor moves over the whole text, trailing spacing included.
int64_t measure(const VRX_Font &font, const char *text) {
    int64_t total = 0;
    for (const char *p = text; *p; p++) {
        const int32_t g = glyph_of(font, static_cast<unsigned char>(*p));
        if (g >= 0) total += int64_t{font.widths[g]} + font.spacing;
    }
    return total;
}

int32_t clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void draw_line(int64_t x, int32_t y, const VRX_Font &font, const VRX_Bitmap &target,
               const char *text) {
    int64_t cursor = x;
    for (const char *p = text; *p; p++) {
        const int32_t g = glyph_of(font, static_cast<unsigned char>(*p));
        if (g < 0) continue;
        // Glyph 0 is empty: it only moves the cursor.
        if (g > 0) VRX_DrawSprite(clamp32(cursor), y, font.glyphs[g], target);
        cursor += int64_t{font.widths[g]} + font.spacing;
    }
}

// Text longer than the buffer is cut, never written past it.
struct Line {
    char text[256];
    Line(const char *format, va_list args) {
        text[0] = 0;
        if (format) std::vsnprintf(text, sizeof text, format, args);
    }
};

} // namespace

void VRX_DrawText(int32_t x, int32_t y, VRX_Font font, VRX_Bitmap target, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const Line line(format, args);
    va_end(args);
    draw_line(x, y, font, target, line.text);
}

void VRX_DrawCenteredText(int32_t y, VRX_Font font, VRX_Bitmap target, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const Line line(format, args);
    va_end(args);
    draw_line((target.width >> 1) - (measure(font, line.text) >> 1), y, font, target, line.text);
}

void VRX_DrawCenteredTextXW(int32_t x, int32_t y, int32_t w, VRX_Font font, VRX_Bitmap target,
                            const char *format, ...) {
    va_list args;
    va_start(args, format);
    const Line line(format, args);
    va_end(args);
    draw_line(int64_t{x} + (w >> 1) - (measure(font, line.text) >> 1), y, font, target, line.text);
}
