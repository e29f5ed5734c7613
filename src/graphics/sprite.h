// Sprites: small images in the screen's pixel format with their transparency in the pixels,
// cut once from a bitmap and drawn often. 32-bit sprite pixels with a zero top byte and 16-bit
// pixels of 0 are transparent. (x, y) is where the sprite's top-left pixel lands when drawn
// unscaled and unrotated.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"

struct VRX_Sprite {
    int32_t width;
    int32_t height;
    void *data; // null: the sprite has none
};

// -32767 * sin(i degrees), truncated; entry a + 90 is -32767 * cos(a).
extern const int32_t (&spriterotate_sincos)[450];

// Blend modes of VRX_DrawBlendSprite.
enum VRX_SpriteBlendMode : int8_t {
    VRX_SPRITE_PLAIN = 0,
    VRX_SPRITE_MIX = 1,
    VRX_SPRITE_ADD = 2,
    VRX_SPRITE_MUL = 3,
    VRX_SPRITE_QMIX = 4,  // three quarters target, one quarter sprite
    VRX_SPRITE_Q3MIX = 5, // one quarter target, three quarters sprite
};

// 1 for the key colour (red >= 241, green <= 15, blue >= 241; the top byte is ignored).
int32_t VRX_CheckSpriteTransparency(uint32_t colour);
// 1 when the two rectangles overlap; touching edges do not count.
int32_t VRX_CheckSpriteCollision(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2,
                                 int32_t y2, int32_t w2, int32_t h2);

void VRX_GetSprite(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap bitmap,
                   VRX_Sprite *sprite);
void VRX_GetDarkSprite(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Bitmap bitmap,
                       VRX_Sprite *sprite);
void VRX_GetColorSprite(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t tint,
                        VRX_Bitmap bitmap, VRX_Sprite *sprite);
void CreateMaskedSprite(int32_t width, int32_t height, const void *pixels, VRX_Sprite *sprite,
                        uint32_t mask);
void VRX_CreateSprite(int32_t width, int32_t height, VRX_Sprite *sprite);
void VRX_ClearSprite(VRX_Sprite sprite);
VRX_Bitmap *VRX_GetBitmapFromSprite(VRX_Bitmap *bitmap, VRX_Sprite sprite);
void VRX_DeleteSprite(VRX_Sprite *sprite);

void VRX_DrawSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target);
void VRX_DrawMirroredSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target);
void VRX_DrawBlendSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target, int8_t mode);
void VRX_DrawScaledSprite(int32_t x, int32_t y, int32_t width, int32_t height, VRX_Sprite sprite,
                          VRX_Bitmap target);
void VRX_DrawZoomedSprite(int32_t x, int32_t y, int32_t percent, VRX_Sprite sprite,
                          VRX_Bitmap target);
void VRX_DrawRotatedSprite(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                           int32_t angle);
void VRX_DrawRotatedSpriteZoom(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                               int32_t angle, int32_t zoom);
void VRX_DrawRotatedSpriteXY(int32_t x, int32_t y, VRX_Sprite sprite, VRX_Bitmap target,
                             int32_t angle, int32_t zoom, int32_t px, int32_t py);
void VRX_DrawSprite3D(int32_t x, int32_t y, int32_t depth, VRX_Sprite sprite, VRX_Bitmap left,
                      VRX_Bitmap right);
