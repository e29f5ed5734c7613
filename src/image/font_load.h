// Fonts straight from font images (see graphics/font.h for the image layout). An image that
// does not load gives the empty font: one empty glyph, nothing drawn.
#pragma once
#include <cstdint>

#include "graphics/font.h"

void VRX_InitFont(const char *name, VRX_Font *font);
// Glyphs at half brightness.
void VRX_InitDarkFont(const char *name, VRX_Font *font);
// Every channel multiplied by the tint's (0xRRGGBB) and divided by 256.
void VRX_InitColorFont(const char *name, VRX_Font *font, uint32_t tint);
