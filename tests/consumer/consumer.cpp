// Draws into a bitmap through the installed headers and library and checks what it drew.
#include "vrx.h"

#include <cstdio>

int main() {
    VRX_Bitmap bitmap{};
    VRX_CreateBitmap(8, 4, &bitmap);
    if (!bitmap.data) return 1;
    VRX_ClearColorBitmap(bitmap, 0x000000FF);
    VRX_DrawFilledBox(2, 1, 3, 2, 0x00FF0000, bitmap);
    VRX_DrawBlendPixel(0, 0, 0x00FF0000, bitmap, VRX_PIXEL_ADD);
    uint32_t inside = VRX_GetPixel(3, 2, bitmap) & 0xFFFFFF;
    uint32_t outside = VRX_GetPixel(5, 1, bitmap) & 0xFFFFFF;
    uint32_t added = VRX_GetPixel(0, 0, bitmap) & 0xFFFFFF;
    VRX_DeleteBitmap(&bitmap);
    std::printf("inside %06X outside %06X added %06X\n", inside, outside, added);
    return inside == 0xFF0000 && outside == 0x0000FF && added == 0xFF00FF && !bitmap.data ? 0 : 1;
}
