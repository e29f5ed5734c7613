#include "base/dbg.h"
#include "image/image.h"
#include "image/image_internal.h"

static const char kTag[] = "graphics/loadpcx";

int32_t vrx_decode_pcx(const uint8_t *, uint32_t, VRX_Bitmap *) {
    _dbg_printf("PCX files are not decoded yet\n");
    return 0;
}

void LoadImagePCX(const char *name, VRX_Bitmap *bitmap) {
    vrx_image_load(name, bitmap, kTag, vrx_decode_pcx);
}
