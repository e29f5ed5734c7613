// Image files into bitmaps of the current pixel depth (TGA, BMP, PCX, SCX) and raw palettes.
// Video must be initialised first: the bitmap takes the depth in force when the loader runs.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

// Picks the loader by the name's extension (any case). The bitmap must hold no data before the
// call; on failure it still holds none and a "not loaded" line is printed.
void VRX_LoadBitmap(const char *name, VRX_Bitmap *bitmap);

void LoadImageTGA(const char *name, VRX_Bitmap *bitmap);
void LoadImageBMP(const char *name, VRX_Bitmap *bitmap);
void LoadImagePCX(const char *name, VRX_Bitmap *bitmap);
void LoadImageSCX(const char *name, VRX_Bitmap *bitmap);

// Copies the file's first 256 R, G, B triples into palette[768]; a shorter file leaves it as
// it was.
void VRX_LoadPal(const char *name, uint8_t *palette);
