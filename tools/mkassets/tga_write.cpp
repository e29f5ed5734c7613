#include "tga_write.h"

#include "graphics/primitives.h"

#include <cstring>
#include <map>

static void put16(std::vector<uint8_t> *out, uint32_t v) {
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}

static void put_header(std::vector<uint8_t> *out, uint8_t type, uint32_t map_entries, uint8_t bits,
                       VRX_Bitmap bitmap) {
    out->push_back(0);                   // no image ID
    out->push_back(map_entries ? 1 : 0); // colour-map type
    out->push_back(type);
    put16(out, 0); // first colour-map entry
    put16(out, map_entries);
    out->push_back(map_entries ? 24 : 0); // bits per map entry
    put16(out, 0);                        // x and y origin
    put16(out, 0);
    put16(out, static_cast<uint32_t>(bitmap.width));
    put16(out, static_cast<uint32_t>(bitmap.height));
    out->push_back(bits);
    out->push_back(0); // bottom-left origin, no interleave
}

static void put_footer(std::vector<uint8_t> *out) {
    for (int32_t i = 0; i < 8; i++) out->push_back(0); // no extension or developer area
    const char signature[] = "TRUEVISION-XFILE.";
    out->insert(out->end(), signature, signature + sizeof signature); // terminator included
}

static void put_bgr(std::vector<uint8_t> *out, uint32_t rgb) {
    out->push_back(static_cast<uint8_t>(rgb));
    out->push_back(static_cast<uint8_t>(rgb >> 8));
    out->push_back(static_cast<uint8_t>(rgb >> 16));
}

std::vector<uint8_t> tga_truecolour(VRX_Bitmap bitmap) {
    std::vector<uint8_t> out;
    out.reserve(18 + size_t(bitmap.pixels) * 3 + 26);
    put_header(&out, 2, 0, 24, bitmap);
    for (int32_t y = bitmap.height - 1; y >= 0; y--)
        for (int32_t x = 0; x < bitmap.width; x++) put_bgr(&out, VRX_GetPixel(x, y, bitmap));
    put_footer(&out);
    return out;
}

int32_t tga_colourmapped(VRX_Bitmap bitmap, std::vector<uint8_t> *out, std::string *error) {
    std::map<uint32_t, uint8_t> index;
    std::vector<uint32_t> map;
    for (int32_t y = 0; y < bitmap.height; y++) {
        for (int32_t x = 0; x < bitmap.width; x++) {
            uint32_t rgb = VRX_GetPixel(x, y, bitmap) & 0xFFFFFF;
            if (index.count(rgb)) continue;
            if (map.size() == 256) {
                *error = "more than 256 colours";
                return 0;
            }
            index[rgb] = static_cast<uint8_t>(map.size());
            map.push_back(rgb);
        }
    }
    map.resize(256, 0);
    out->clear();
    put_header(out, 1, 256, 8, bitmap);
    for (uint32_t rgb : map) put_bgr(out, rgb);
    for (int32_t y = bitmap.height - 1; y >= 0; y--)
        for (int32_t x = 0; x < bitmap.width; x++)
            out->push_back(index[VRX_GetPixel(x, y, bitmap) & 0xFFFFFF]);
    put_footer(out);
    return 1;
}
