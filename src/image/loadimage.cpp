#include "base/dbg.h"
#include "base/memory.h"
#include "image/image.h"
#include "image/image_internal.h"
#include "graphics/video_state.h"
#include "vornfile/vornfile.h"

#include <algorithm>
#include <cstring>

static const char kTag[] = "graphics/loadimage";

uint8_t *vrx_image_read(const char *name, uint32_t *size, const char *tag) {
    vornfile_handle handle = {};
    if (!vornfile_open(name, &handle, 0)) {
        // An archive mount has already named the missing file; a directory mount says nothing.
        if (vornfile_mounttype == VORNFILE_MOUNT_DIRECTORY)
            _dbg_printf("couldn't open file: %s\n", name);
        return nullptr;
    }
    if (handle.size <= 0) {
        _dbg_printf("image file is empty: %s\n", name);
        vornfile_close(&handle);
        return nullptr;
    }
    *size = static_cast<uint32_t>(handle.size);
    auto *buffer = static_cast<uint8_t *>(_wrap_malloc_dbg(*size, tag, __LINE__));
    if (buffer) {
        // Short reads are not reported: whatever is not delivered reads as zero.
        std::memset(buffer, 0, *size);
        vornfile_read(buffer, 1, *size, &handle);
    }
    vornfile_close(&handle);
    return buffer;
}

void vrx_image_release(uint8_t *buffer, const char *tag) {
    _wrap_free_dbg(buffer, tag, __LINE__);
}

void vrx_image_load(const char *name, VRX_Bitmap *bitmap, const char *tag,
                    int32_t (*decode)(const uint8_t *, uint32_t, VRX_Bitmap *)) {
    uint32_t size = 0;
    uint8_t *file = vrx_image_read(name, &size, tag);
    if (!file) return;
    decode(file, size, bitmap);
    vrx_image_release(file, tag);
}

int32_t vrx_image_rows::create(int32_t width, int32_t height, VRX_Bitmap *out, const char *tag) {
    mode16 = vrx_mode16();
    scratch = nullptr;
    VRX_CreateBitmap(width, height, out);
    bitmap = *out;
    if (!out->data) return 0;
    if (mode16) {
        scratch = static_cast<uint32_t *>(
            _wrap_malloc_dbg(static_cast<uint32_t>(width) * 4u, tag, __LINE__));
        if (!scratch) {
            fail(out, tag);
            return 0;
        }
    }
    return 1;
}

void vrx_image_rows::end(int32_t y, bool mirror) {
    const int32_t w = bitmap.width;
    if (!mode16) {
        if (mirror) {
            uint32_t *row = vrx_row32(bitmap, y);
            std::reverse(row, row + w);
        }
        return;
    }
    uint16_t *row = vrx_row16(bitmap, y);
    if (mirror)
        for (int32_t x = 0; x < w; x++)
            row[w - 1 - x] = static_cast<uint16_t>(VornBlit_color24to16(scratch[x]));
    else
        for (int32_t x = 0; x < w; x++)
            row[x] = static_cast<uint16_t>(VornBlit_color24to16(scratch[x]));
}

void vrx_image_rows::fail(VRX_Bitmap *out, const char *tag) {
    // Not VRX_DeleteBitmap: a rejected file gets exactly one line, and it has been printed.
    if (out->data) _wrap_free_dbg(out->data, tag, __LINE__);
    out->data = nullptr;
    finish(tag);
}

void vrx_image_rows::finish(const char *tag) {
    if (scratch) _wrap_free_dbg(scratch, tag, __LINE__);
    scratch = nullptr;
}

namespace {
struct Format {
    const char *extension;
    const char *message;
    void (*load)(const char *, VRX_Bitmap *);
};
const Format kFormats[] = {
    {".BMP", "Loading BMP image.\n", LoadImageBMP},
    {".GIF", "No GIF supported.\n", nullptr},
    {".PNG", "No PNG supported.\n", nullptr},
    {".JPG", "No JPG supported. Use VRXJPEG Extension\n", nullptr},
    {".PCX", "Loading PCX image.\n", LoadImagePCX},
    {".SCX", "Loading RIX/SCX image.\n", LoadImageSCX},
    {".TGA", "Loading TGA image.", LoadImageTGA},
    {".RAW", "Loading Direct-RAW image.\n", nullptr},
};
} // namespace

void VRX_LoadBitmap(const char *name, VRX_Bitmap *bitmap) {
    const char *dot = std::strrchr(name, '.');
    if (dot && dot != name) {
        // Every known extension has four characters; a longer one matches none of them.
        char extension[5] = {};
        size_t length = std::strlen(dot);
        if (length < sizeof extension) {
            for (size_t i = 0; i < length; i++) {
                char c = dot[i];
                extension[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            }
            for (const Format &format : kFormats) {
                if (std::strcmp(extension, format.extension) != 0) continue;
                _dbg_printf("%s", format.message);
                if (format.load) format.load(name, bitmap);
                break;
            }
        }
    }
    if (!bitmap->data) _dbg_printf("\xFE ERROR: Image %s not loaded.\n", name);
}

// A palette file is read whole like an image, under the dispatcher's tag.
void VRX_LoadPal(const char *name, uint8_t *palette) {
    uint32_t size = 0;
    uint8_t *file = vrx_image_read(name, &size, kTag);
    if (!file) return;
    vrx_decode_pal(file, size, palette);
    vrx_image_release(file, kTag);
}
