// TGA files as the library's loader reads them, each closed by the TGA 2.0 footer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/bitmap.h"

// Uncompressed true colour (type 2), 24 bits per pixel, bottom row first (descriptor 0).
std::vector<uint8_t> tga_truecolour(VRX_Bitmap bitmap);

// Uncompressed colour-mapped (type 1), 8 bits per pixel, a 256-entry map of 24-bit colours in
// order of first appearance from the top-left. Fails when the picture has more than 256 colours.
int32_t tga_colourmapped(VRX_Bitmap bitmap, std::vector<uint8_t> *out, std::string *error);
