// The LED sheet and the font strip: pictures cut into sprites along a marker row, on the
// transparency key.
#include "assets.h"
#include "glyphs.h"
#include "shapes.h"

namespace {
const int32_t CELL = 40;

// Sprite cutting treats R >= 241, G <= 15, B >= 241 as transparent: keep every ink colour off it.
uint32_t off_key(uint32_t rgb) {
    bool keyish = (rgb >> 16) >= 241 && ((rgb >> 8) & 0xFF) <= 15 && (rgb & 0xFF) >= 241;
    return keyish ? (rgb & 0xFF00FF) | 0x1000 : rgb;
}

uint32_t scale_rgb(uint32_t rgb, double f) {
    uint32_t out = 0;
    for (int32_t s = 0; s < 24; s += 8) {
        double c = ((rgb >> s) & 0xFF) * f;
        out |= uint32_t(c > 255 ? 255 : c) << s;
    }
    return out;
}
} // namespace

// Sixteen colours across, twelve brightness steps down; each cell a lit LED with its halo.
void paint_led_sheet(VRX_Bitmap b) {
    const uint32_t hues[16] = {0xFF2020, 0xFF6A10, 0xFFB000, 0xFFF030, 0xA0FF20, 0x20FF40,
                               0x20FFA0, 0x20F0FF, 0x2090FF, 0x3040FF, 0x8030FF, 0xD020FF,
                               0xFF20C0, 0xFF2070, 0xFFFFFF, 0xFFD8A0};
    VRX_ClearColorBitmap(b, KEY_COLOUR);
    for (int32_t col = 0; col < SHEET_WIDTH / CELL; col++) {
        VRX_DrawPixel(col * CELL, 0, MARK_COLOUR, b);
        for (int32_t row = 0; row < (SHEET_HEIGHT - 1) / CELL; row++) {
            double level = (row + 1) / 12.0, cx = col * CELL + 19.5, cy = 1 + row * CELL + 19.5;
            for (int32_t y = 0; y < CELL; y++) {
                for (int32_t x = 0; x < CELL; x++) {
                    double dx = col * CELL + x + 0.5 - cx, dy = 1 + row * CELL + y + 0.5 - cy;
                    double d = std::sqrt(dx * dx + dy * dy);
                    double glow = d < 7 ? 1.0 : d < 19 ? std::pow(1 - (d - 7) / 12, 2) : 0;
                    if (glow * level < 0.04) continue;
                    // A white-hot core fading into the colour and out into the halo.
                    uint32_t c = d < 4 ? mix_rgb(0xFFFFFF, hues[col], int32_t(d * 64)) : hues[col];
                    VRX_DrawPixel(col * CELL + x, 1 + row * CELL + y,
                                  off_key(scale_rgb(c, glow * level)), b);
                }
            }
        }
    }
}

// Characters 32..126 side by side, each as wide as its ink plus a bold column and a gap (the
// space is 9 wide); strokes 2 rows per font row, shaded from pale yellow to deep red, with a
// dark drop shadow. The last glyph takes up whatever width is left.
void paint_font_strip(VRX_Bitmap b) {
    const uint32_t heat[14] = {0xFFF8C8, 0xFFF0A0, 0xFFE478, 0xFFD458, 0xFFC040,
                               0xFFAA30, 0xFF9424, 0xFF7C1C, 0xF86416, 0xE84E12,
                               0xD83C0E, 0xC42C0A, 0xAC2008, 0x901806};
    const uint32_t shadow = 0x3A0800;
    const int32_t top = 3;
    VRX_ClearColorBitmap(b, KEY_COLOUR);
    int32_t start = 0;
    for (int32_t code = 32; code < 127; code++) {
        VRX_DrawPixel(start, 0, MARK_COLOUR, b);
        int32_t first;
        int32_t ink = glyph_ink(char(code), &first);
        const uint8_t *rows = glyph_rows[code - 32];
        for (int32_t pass = 0; pass < 2; pass++) { // shadow first, ink over it
            for (int32_t r = 0; r < 7; r++) {
                for (int32_t c = first; c < first + ink; c++) {
                    if (!(rows[r] & (0x10 >> c))) continue;
                    int32_t x = start + c - first, y = top + 2 * r;
                    if (pass == 0) {
                        VRX_DrawFilledBox(x + 1, y + 1, 2, 2, shadow, b);
                    } else {
                        VRX_DrawFilledBox(x, y, 2, 1, heat[2 * r], b);
                        VRX_DrawFilledBox(x, y + 1, 2, 1, heat[2 * r + 1], b);
                    }
                }
            }
        }
        start += ink ? ink + 2 : 9;
    }
}
