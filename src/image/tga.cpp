#include "base/dbg.h"
#include "image/image.h"
#include "image/image_internal.h"

#include <algorithm>

static const char kTag[] = "graphics/loadtga";

namespace {

enum TgaType : uint32_t { TGA_MAPPED = 1, TGA_TRUECOLOR = 2, TGA_GREY = 3, TGA_RLE_GREY = 11 };
enum class Pixel { Grey, Mapped, P16, P24, P32 };

struct Tga {
    const uint8_t *file;
    uint32_t size;
    uint32_t pos; // next byte to read
    int32_t width, height;
    Pixel kind;
    uint32_t bytes; // per stored pixel
    uint32_t palette[256];
    uint8_t unset[256]; // 1 for slots the colour map does not fill
    uint8_t bad;        // an index past the colour map was met
};

int32_t reject(const char *why) {
    _dbg_printf("TGA file rejected: %s\n", why);
    return 0;
}

// n stored pixels from p; the caller has checked that they are in the file.
void decode(Tga &t, const uint8_t *p, int32_t n, uint32_t *out) {
    switch (t.kind) {
    case Pixel::Grey:
        for (int32_t i = 0; i < n; i++) out[i] = 0xFF000000u | p[i] * 0x010101u;
        break;
    case Pixel::Mapped: {
        uint8_t bad = 0;
        for (int32_t i = 0; i < n; i++) {
            out[i] = t.palette[p[i]];
            bad |= t.unset[p[i]];
        }
        t.bad |= bad;
        break;
    }
    case Pixel::P16:
        for (int32_t i = 0; i < n; i++) out[i] = vrx_from1555(vrx_le16(p + 2 * i));
        break;
    case Pixel::P24:
        vrx_row_from_bgr(p, n, out);
        break;
    case Pixel::P32:
        for (int32_t i = 0; i < n; i++) out[i] = vrx_le32(p + 4 * i);
        break;
    }
}

int32_t read_colour_map(Tga &t, const uint8_t *h) {
    std::fill(t.unset, t.unset + 256, uint8_t{1});
    uint32_t first = vrx_le16(h + 3), count = vrx_le16(h + 5), bits = h[7];
    if (h[1] == 0 || count == 0) return 1;
    uint32_t entry = bits == 15 || bits == 16 ? 2 : bits == 24 ? 3 : bits == 32 ? 4 : 0;
    if (!entry) return reject("unsupported colour map entry size");
    if (uint64_t(t.pos) + uint64_t(count) * entry > t.size) return reject("colour map truncated");
    // Slots past 256 are dropped; their bytes are still skipped.
    uint32_t kept = first >= 256 ? 0 : std::min(count, 256 - first);
    for (uint32_t i = 0; i < kept; i++) {
        const uint8_t *p = t.file + t.pos + i * entry;
        t.palette[first + i] = entry == 2 ? vrx_from1555(vrx_le16(p)) : vrx_from_bgr(p);
        t.unset[first + i] = 0;
    }
    t.pos += count * entry;
    return 1;
}

int32_t decode_raw(Tga &t, vrx_image_rows &rows, int32_t y0, int32_t dy, bool mirror) {
    const uint32_t row_bytes = uint32_t(t.width) * t.bytes;
    for (int32_t r = 0, y = y0; r < t.height; r++, y += dy) {
        decode(t, t.file + t.pos, t.width, rows.begin(y));
        t.pos += row_bytes;
        rows.end(y, mirror);
    }
    return 1;
}

// Packets may run across row ends, but not past the image or the file.
int32_t decode_rle(Tga &t, vrx_image_rows &rows, int32_t y0, int32_t dy, bool mirror) {
    uint64_t left = uint64_t(t.width) * uint32_t(t.height); // pixels not yet set
    uint32_t count = 0;                                     // of the current packet
    bool repeat = false;
    uint32_t value = 0;
    for (int32_t r = 0, y = y0; r < t.height; r++, y += dy) {
        uint32_t *out = rows.begin(y);
        int32_t x = 0;
        while (x < t.width) {
            if (count == 0) {
                if (t.pos >= t.size) return reject("run-length data truncated");
                uint8_t h = t.file[t.pos++];
                count = (h & 0x7Fu) + 1;
                repeat = h & 0x80;
                if (count > left) return reject("run-length packet runs past the image");
                uint32_t need = repeat ? t.bytes : count * t.bytes;
                if (need > t.size - t.pos) return reject("run-length data truncated");
                if (repeat) {
                    decode(t, t.file + t.pos, 1, &value);
                    t.pos += t.bytes;
                }
                left -= count;
            }
            int32_t n = int32_t(std::min<uint32_t>(count, uint32_t(t.width - x)));
            if (repeat) {
                std::fill(out + x, out + x + n, value);
            } else {
                decode(t, t.file + t.pos, n, out + x);
                t.pos += uint32_t(n) * t.bytes;
            }
            x += n;
            count -= uint32_t(n);
        }
        rows.end(y, mirror);
    }
    return 1;
}

} // namespace

int32_t vrx_decode_tga(const uint8_t *file, uint32_t size, VRX_Bitmap *bitmap) {
    if (size < 18) return reject("header truncated");
    Tga t{}; // unset map slots read as 0 until the file is rejected for using them
    t.file = file;
    t.size = size;
    t.pos = 18u + file[0];
    const uint32_t type = file[2], bpp = file[16], descriptor = file[17];
    t.width = int32_t(vrx_le16(file + 12));
    t.height = int32_t(vrx_le16(file + 14));
    if (t.pos > size) return reject("image ID truncated");
    if (!read_colour_map(t, file)) return 0;
    switch (bpp) {
    case 8:
        t.kind = type == TGA_GREY || type == TGA_RLE_GREY ? Pixel::Grey : Pixel::Mapped;
        break;
    case 15:
    case 16:
        t.kind = Pixel::P16;
        break;
    case 24:
        t.kind = Pixel::P24;
        break;
    case 32:
        t.kind = Pixel::P32;
        break;
    default:
        return reject("unsupported pixel depth");
    }
    t.bytes = (bpp + 1) / 8;
    if (t.width == 0 || t.height == 0) return reject("image has no pixels");
    const uint64_t pixels = uint64_t(t.width) * uint32_t(t.height);
    if (pixels > kVrxMaxImagePixels) return reject("image too large");
    const bool rle = type > 7;
    // A packet of 1 + bytes bytes sets at most 128 pixels.
    const uint64_t room = t.size - t.pos;
    if (rle ? pixels > room * 128 / (1 + t.bytes) : pixels * t.bytes > room)
        return reject("pixel data truncated");

    // The first stored pixel is at the bottom left unless the descriptor says otherwise.
    const bool mirror = descriptor & 0x10, top_down = descriptor & 0x20;
    const int32_t y0 = top_down ? 0 : t.height - 1, dy = top_down ? 1 : -1;
    vrx_image_rows rows;
    if (!rows.create(t.width, t.height, bitmap, kTag)) return 0;
    if (rle) _dbg_printf("TGA is RLE packed.");
    int32_t ok = rle ? decode_rle(t, rows, y0, dy, mirror) : decode_raw(t, rows, y0, dy, mirror);
    if (ok && t.bad) ok = reject("colour index outside the colour map");
    if (!ok) {
        rows.fail(bitmap, kTag);
        return 0;
    }
    rows.finish(kTag);
    return 1;
}

void LoadImageTGA(const char *name, VRX_Bitmap *bitmap) {
    vrx_image_load(name, bitmap, kTag, vrx_decode_tga);
}
