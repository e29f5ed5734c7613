#include "base/dbg.h"
#include "image/image_internal.h"

#include <cstring>

int32_t vrx_decode_pal(const uint8_t *file, uint32_t size, uint8_t *palette) {
    if (size < 768) {
        _dbg_printf("palette file too short: %u bytes, need 768\n", size);
        return 0;
    }
    std::memcpy(palette, file, 768);
    return 1;
}
