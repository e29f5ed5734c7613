#include "image/sprite_load.h"

#include "image/image.h"

void VRX_LoadSprite(const char *name, VRX_Sprite *sprite) {
    VRX_Bitmap image{};
    VRX_LoadBitmap(name, &image);
    // Without data the record's size means nothing: the sprite comes out empty instead.
    if (image.data) {
        VRX_GetSprite(0, 0, image.width, image.height, image, sprite);
    } else {
        VRX_GetSprite(0, 0, 0, 0, image, sprite);
    }
    VRX_DeleteBitmap(&image);
}
