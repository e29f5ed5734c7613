// Bitmap fonts: up to 96 proportional glyph sprites cut from one font image, and text drawn
// glyph by glyph. Glyph g stands for character code g + 31; glyph 0 is empty.
//
// Font image: row 0 is the sprite key colour except in the columns where a glyph begins (any
// other colour; column 0 always begins one). Rows 1 to height - 1 hold the glyphs side by side,
// for the codes 32 upward; key-coloured pixels inside them are transparent.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/sprite.h"

struct VRX_Font {
    VRX_Sprite glyphs[96];
    uint8_t widths[96]; // advance of each glyph: the width of its image
    int32_t height;
    int32_t count;   // glyphs cut
    int32_t spacing; // extra pixels after every glyph
};

// 8 x 8 glyphs for the codes 32 to 127, one byte per row from the top, leftmost pixel in the
// most significant bit.
extern const uint8_t VRX_defaultfont[96 * 8];

// The built-in font: ink in the tint colour on opaque black, glyphs 6 pixels wide, spacing 1.
void VRX_InitDefaultFont(uint32_t tint, VRX_Font *font);
void VRX_SetFontSpacing(int32_t spacing, VRX_Font *font);
// Deletes all 96 glyph records, so records never filled must hold no data.
void VRX_DeleteFont(VRX_Font *font);

// printf-style text, cut at 255 characters, drawn with its glyphs' top row at y. Codes without
// a glyph are skipped without moving the cursor.
void VRX_DrawText(int32_t x, int32_t y, VRX_Font font, VRX_Bitmap target, const char *format, ...)
    __attribute__((format(printf, 5, 6)));
// Centred on the target's width.
void VRX_DrawCenteredText(int32_t y, VRX_Font font, VRX_Bitmap target, const char *format, ...)
    __attribute__((format(printf, 4, 5)));
// Centred within the span of width w from x.
void VRX_DrawCenteredTextXW(int32_t x, int32_t y, int32_t w, VRX_Font font, VRX_Bitmap target,
                            const char *format, ...) __attribute__((format(printf, 6, 7)));
