#include "image/font_load.h"

#include "graphics/font_internal.h"
#include "image/image.h"

static void init_font(const char *name, VRX_Font *font, VRX_FontCut cut, uint32_t tint) {
    VRX_Bitmap image{};
    VRX_LoadBitmap(name, &image);
    vrx_font_from_image(image, font, cut, tint);
    VRX_DeleteBitmap(&image);
}

void VRX_InitFont(const char *name, VRX_Font *font) {
    init_font(name, font, VRX_FONT_PLAIN, 0);
}

void VRX_InitDarkFont(const char *name, VRX_Font *font) {
    init_font(name, font, VRX_FONT_DARK, 0);
}

void VRX_InitColorFont(const char *name, VRX_Font *font, uint32_t tint) {
    init_font(name, font, VRX_FONT_TINT, tint);
}
