#include "graphics/bitmap.h"
#include "graphics/vornblit.h"

#include <cstring>

void VornBlit_BlitFill16(uint16_t *dst, int32_t n, uint32_t colour) {
    if (n <= 0) return;
    uint16_t px = static_cast<uint16_t>(VornBlit_color24to16(colour));
    // Two pixels per 32-bit store, then the odd one.
    uint32_t pair = px | (static_cast<uint32_t>(px) << 16);
    int32_t pairs = n >> 1;
    for (int32_t i = 0; i < pairs; ++i) std::memcpy(dst + 2 * i, &pair, 4);
    if (n & 1) dst[n - 1] = px;
}

void VornBlit_BlitFill32(uint32_t *dst, int32_t n, uint32_t colour) {
    for (int32_t i = 0; i < n; ++i) dst[i] = colour;
}
