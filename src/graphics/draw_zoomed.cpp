// Zoomed drawing: a scaled draw to the size given in percent.
#include "graphics/draw_bitmap.h"

#include <algorithm>

namespace {
int32_t zoomed_length(int32_t length, int32_t zoom) {
    int64_t scaled = int64_t{length} * zoom / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, INT32_MIN, INT32_MAX));
}
} // namespace

void VRX_DrawZoomedBitmap(int32_t x, int32_t y, int32_t zoom, VRX_Bitmap src, VRX_Bitmap dst) {
    VRX_DrawScaledBitmap(x, y, zoomed_length(src.width, zoom), zoomed_length(src.height, zoom), src,
                         dst, 0);
}
