// The 5x7 pixel font painted into the assets: the font strip and the lettering on the device.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

extern const uint8_t glyph_rows[95][7]; // codes 32..126

// Leftmost inked column of a character and its inked width (0 for a blank character).
int32_t glyph_ink(char ch, int32_t *first);

// Text with every font pixel painted as an sx by sy box; characters advance 6 * sx.
void paint_text(int32_t x, int32_t y, int32_t sx, int32_t sy, const char *text, uint32_t colour,
                VRX_Bitmap bitmap);
// The same, centred on the column cx.
void paint_text_centred(int32_t cx, int32_t y, int32_t sx, int32_t sy, const char *text,
                        uint32_t colour, VRX_Bitmap bitmap);
