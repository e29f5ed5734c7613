#include "base/dbg.h"
#include "base/memory.h"
#include "image/image.h"
#include "image/image_internal.h"

#include <algorithm>
#include <cstring>

static const char kTag[] = "graphics/loadpcx";

namespace {

int32_t reject(const char *why) {
    _dbg_printf("PCX file rejected: %s\n", why);
    return 0;
}

// The run-length stream: values in order, runs free to cross line and plane ends. Positions
// are 32-bit, so files past 64 KiB read whole.
struct Stream {
    const uint8_t *file;
    uint32_t pos, end;
    uint32_t run = 0;
    uint8_t value = 0;

    bool fill(uint8_t *dst, uint32_t n) {
        uint32_t i = 0;
        while (i < n) {
            if (run) {
                uint32_t take = std::min(run, n - i);
                std::memset(dst + i, value, take);
                i += take;
                run -= take;
                continue;
            }
            if (pos >= end) return false;
            uint8_t b = file[pos++];
            if (b < 0xC0) {
                dst[i++] = b;
                continue;
            }
            if (pos >= end) return false;
            run = b & 0x3Fu;
            value = file[pos++];
        }
        return true;
    }
};

} // namespace

int32_t vrx_decode_pcx(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap) {
    if (size < 128) return reject("header truncated");
    const int32_t width = int32_t(vrx_le16(file + 8)) + 1;
    const int32_t height = int32_t(vrx_le16(file + 10)) + 1;
    const bool planar = file[65] == 3;
    const uint32_t planes = planar ? 3 : 1;

    uint32_t palette[256];
    uint32_t end = size;
    if (!planar) {
        // The palette fills the last 768 bytes; the pixel data lie before it.
        if (size < 128 + 768) return reject("palette truncated");
        end = size - 768;
        for (uint32_t i = 0; i < 256; i++) {
            const uint8_t *p = file + end + 3 * i;
            palette[i] = 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        }
    }
    // Two bytes give at most 63 values.
    const uint64_t values = uint64_t(width) * uint32_t(height) * planes;
    if (values > uint64_t(end - 128) / 2 * 63 + 1 || values / planes > kVrxMaxImagePixels)
        return reject("pixel data truncated");

    const uint32_t line_bytes = uint32_t(width) * planes;
    auto *line = static_cast<uint8_t *>(_wrap_malloc_dbg(line_bytes, kTag, __LINE__));
    if (!line) return 0;
    vrx_image_rows rows;
    if (!rows.create(width, height, bitmap, kTag)) {
        _wrap_free_dbg(line, kTag, __LINE__);
        return 0;
    }
    Stream in{file, 128, end};
    bool ok = true;
    for (int32_t y = 0; y < height; y++) {
        if (!(ok = in.fill(line, line_bytes))) break;
        uint32_t *out = rows.begin(y);
        if (planar) {
            const uint8_t *r = line, *g = line + width, *b = line + 2 * width;
            for (int32_t x = 0; x < width; x++)
                out[x] = 0xFF000000u | uint32_t(r[x]) << 16 | uint32_t(g[x]) << 8 | b[x];
        } else {
            for (int32_t x = 0; x < width; x++) out[x] = palette[line[x]];
        }
        rows.end(y, false);
    }
    _wrap_free_dbg(line, kTag, __LINE__);
    if (!ok) {
        reject("pixel data truncated");
        rows.fail(bitmap, kTag);
        return 0;
    }
    rows.finish(kTag);
    _dbg_printf("width: %d, height: %d, bpp: %d\n", width, height, planar ? 24 : 8);
    return 1;
}

void LoadImagePCX(const char *name, VRX_Bitmap *bitmap) {
    vrx_image_load(name, bitmap, kTag, vrx_decode_pcx);
}
