// Sprites straight from image files.
#pragma once

#include "graphics/sprite.h"

// Cuts the whole image; an image that does not load gives an empty 0 x 0 sprite.
void VRX_LoadSprite(const char *name, VRX_Sprite *sprite);
