// Building a font from a font image already in memory; the file-loading initialisers wrap it.
#pragma once
#include <cstdint>

#include "graphics/font.h"

enum VRX_FontCut : int32_t { VRX_FONT_PLAIN, VRX_FONT_DARK, VRX_FONT_TINT };

// Row 0 of the image marks where each glyph begins (any colour but the sprite key); the rows
// below hold the glyphs. An image without data gives the empty font: one empty glyph.
void vrx_font_from_image(VRX_Bitmap image, VRX_Font *font, VRX_FontCut cut, uint32_t tint);
