// Fonts: the marker scan and glyph cutting of a font image, the built-in font, spacing, delete.
#include "graphics/font.h"

#include <cstring>

#include "graphics/draw_clip.h"
#include "graphics/font_internal.h"
#include "graphics/primitives.h"
#include "graphics/video_state.h"

namespace {

constexpr int32_t MAX_GLYPHS = 96;

void empty_font(VRX_Font *font) {
    font->glyphs[0] = VRX_Sprite{0, 0, nullptr};
    font->widths[0] = 0;
    font->count = 1;
    font->height = 0;
    font->spacing = 0;
}

void cut_glyph(int32_t x, int32_t y, int32_t w, int32_t h, const VRX_Bitmap &image,
               VRX_Sprite *glyph, VRX_FontCut cut, uint32_t tint) {
    switch (cut) {
    case VRX_FONT_DARK:
        VRX_GetDarkSprite(x, y, w, h, image, glyph);
        break;
    case VRX_FONT_TINT:
        VRX_GetColorSprite(x, y, w, h, tint, image, glyph);
        break;
    default:
        VRX_GetSprite(x, y, w, h, image, glyph);
        break;
    }
}

// The built-in font's glyph sheet holds character 32 + k in the 8 x 8 cell at x = 8k.
constexpr int32_t SHEET_GLYPHS = 94;
constexpr int32_t DEFAULT_WIDTH = 6;

} // namespace

void vrx_font_from_image(VRX_Bitmap image, VRX_Font *font, VRX_FontCut cut, uint32_t tint) {
    if (!font) return;
    if (!vrx_bitmap_drawable(image, vrx_mode16() ? 2 : 4)) {
        empty_font(font);
        return;
    }
    // Column 0 always begins a glyph; with it glyph 0 comes out empty and glyph 1 is the space.
    // Past the last record every further marker restarts the last glyph.
    int32_t n = 0, start = 0;
    for (int32_t x = 0; x < image.width; x++) {
        if (x > 0 && VRX_CheckSpriteTransparency(VRX_GetPixel(x, 0, image))) continue;
        font->widths[n] = static_cast<uint8_t>(x - start);
        if (n < MAX_GLYPHS - 1) n++;
        start = x;
    }
    font->widths[n] = static_cast<uint8_t>(image.width - start);
    font->count = n + 1;
    font->height = image.height - 1;
    font->spacing = 0;
    int32_t x0 = 0;
    for (int32_t g = 0; g < font->count; g++) {
        cut_glyph(x0, 1, font->widths[g], font->height, image, &font->glyphs[g], cut, tint);
        x0 += font->widths[g];
    }
}

void VRX_InitDefaultFont(uint32_t tint, VRX_Font *font) {
    if (!font) return;
    VRX_Bitmap sheet{};
    VRX_CreateBitmap(SHEET_GLYPHS * 8, 8, &sheet);
    if (!sheet.data) {
        empty_font(font);
        return;
    }
    for (int32_t k = 0; k < SHEET_GLYPHS; k++) {
        for (int32_t r = 0; r < 8; r++) {
            const uint8_t bits = VRX_defaultfont[8 * k + r];
            for (int32_t i = 0; i < 8; i++) {
                VRX_DrawPixel(8 * k + i, r, (bits << i) & 0x80 ? 0xFFFFFF : 0, sheet);
            }
        }
    }
    font->spacing = 1;
    font->height = 8;
    font->count = SHEET_GLYPHS;
    // Glyph 0 stays empty; glyph k + 1 is the left part of cell k, where the ink lies.
    font->widths[0] = 0;
    VRX_GetColorSprite(0, 0, 0, 8, tint, sheet, &font->glyphs[0]);
    for (int32_t g = 1; g < font->count; g++) {
        font->widths[g] = DEFAULT_WIDTH;
        VRX_GetColorSprite(8 * (g - 1), 0, DEFAULT_WIDTH, 8, tint, sheet, &font->glyphs[g]);
    }
    VRX_DeleteBitmap(&sheet);
}

void VRX_SetFontSpacing(int32_t spacing, VRX_Font *font) {
    if (font) font->spacing = spacing;
}

void VRX_DeleteFont(VRX_Font *font) {
    if (!font) return;
    for (VRX_Sprite &glyph : font->glyphs) VRX_DeleteSprite(&glyph);
}
