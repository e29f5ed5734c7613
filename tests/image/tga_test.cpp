#include "image_fixture.h"

namespace {

struct Tga {
    uint8_t type = 2, bpp = 24, descriptor = 0;
    uint16_t width = 2, height = 2;
    Bytes id, map;
    uint8_t map_type = 0, map_bits = 0;
    uint16_t map_first = 0, map_count = 0;
    Bytes bytes(const Bytes &pixels) const {
        Bytes b{uint8_t(id.size()), map_type, type};
        put16(b, map_first);
        put16(b, map_count);
        b.push_back(map_bits);
        put32(b, 0);
        put16(b, width);
        put16(b, height);
        b.push_back(bpp);
        b.push_back(descriptor);
        return b + id + map + pixels;
    }
};

Tga mapped(uint8_t type, uint16_t first, Bytes map, uint8_t bits) {
    Tga t;
    t.type = type;
    t.bpp = 8;
    t.map_type = 1;
    t.map_first = first;
    t.map_bits = bits;
    t.map_count = uint16_t(map.size() / (bits == 24 ? 3 : 2));
    t.map = map;
    return t;
}

const uint32_t A = 0xFF102030, B = 0xFF405060, C = 0xFF708090, D = 0xFFA0B0C0;
const Bytes kABCD = {0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0};

Bytes cut(Bytes b, size_t n) {
    b.resize(b.size() - n);
    return b;
}

struct Case {
    const char *what;
    Tga header;
    Bytes pixels;
    std::vector<uint32_t> expected; // top row first
};

Tga with(Tga t, uint8_t type, uint8_t bpp, uint16_t w, uint16_t h, uint8_t descriptor = 0) {
    t.type = type;
    t.bpp = bpp;
    t.width = w;
    t.height = h;
    t.descriptor = descriptor;
    return t;
}

const Case kCases[] = {
    {"bottom left first", with({}, 2, 24, 2, 2, 0x00), kABCD, {C, D, A, B}},
    {"bottom right first", with({}, 2, 24, 2, 2, 0x10), kABCD, {D, C, B, A}},
    {"top left first", with({}, 2, 24, 2, 2, 0x20), kABCD, {A, B, C, D}},
    {"top right first", with({}, 2, 24, 2, 2, 0x30), kABCD, {B, A, D, C}},
    {"interleave bits ignored", with({}, 2, 24, 2, 2, 0xE0), kABCD, {A, B, C, D}},
    {"32 bits keep the fourth byte",
     with({}, 2, 32, 2, 1, 0x20),
     {1, 2, 3, 0x00, 4, 5, 6, 0x7F},
     {0x00030201, 0x7F060504}},
    {"16 and 15 bits are 1-5-5-5, top bit ignored",
     with({}, 2, 16, 3, 1, 0x20),
     {0xFF, 0xFF, 0x1F, 0x00, 0x00, 0x7C},
     {0xFFF8F8F8, 0xFF0000F8, 0xFFF80000}},
    {"grey levels", with({}, 3, 8, 2, 1, 0x20), {0x00, 0x9A}, {0xFF000000, 0xFF9A9A9A}},
    {"image ID skipped",
     [] {
         Tga t = with({}, 2, 24, 1, 1);
         t.id = {9, 9, 9};
         return t;
     }(),
     {1, 2, 3},
     {0xFF030201}},
    {"24-bit colour map, indices not offset by the first entry",
     with(mapped(1, 2, {1, 2, 3, 4, 5, 6}, 24), 1, 8, 2, 1, 0x20),
     {3, 2},
     {0xFF060504, 0xFF030201}},
    {"16-bit colour map", with(mapped(1, 0, {0x1F, 0x00}, 16), 1, 8, 1, 1), {0}, {0xFF0000F8}},
    {"15-bit colour map",
     with(mapped(1, 255, {0x00, 0x7C, 1, 0}, 15), 1, 8, 1, 1),
     {255},
     {0xFFF80000}},
    {"true colour image skips its colour map",
     with(mapped(2, 0, {1, 2, 3}, 24), 2, 24, 1, 1),
     {7, 8, 9},
     {0xFF090807}},
    {"run-length packet crosses the row end, last packet a single raw pixel",
     with({}, 10, 24, 3, 2, 0x20),
     {0x83, 0x30, 0x20, 0x10, 0x01, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, 0x00, 0xC0, 0xB0, 0xA0},
     {A, A, A, A, B, C}},
    {"run-length from the bottom right",
     with({}, 10, 24, 2, 2, 0x10),
     {0x80, 0x30, 0x20, 0x10, 0x82, 0x60, 0x50, 0x40},
     {B, B, B, A}},
    {"run-length grey",
     with({}, 11, 8, 3, 1, 0x20),
     {0x81, 0x40, 0x00, 0xFF},
     {0xFF404040, 0xFF404040, 0xFFFFFFFF}},
    {"run-length mapped",
     with(mapped(9, 0, {1, 2, 3, 4, 5, 6}, 24), 9, 8, 3, 1, 0x20),
     {0x01, 1, 0, 0x80, 1},
     {0xFF060504, 0xFF030201, 0xFF060504}},
    {"run-length 16 bits", with({}, 10, 16, 2, 1), {0x81, 0x00, 0x7C}, {0xFFF80000, 0xFFF80000}},
};

struct TgaFiles : ImageFiles {};

TEST_P(TgaFiles, DecodesEveryTypeDepthAndOrigin) {
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.what);
        VRX_Bitmap bm;
        std::string out = load("pic.tga", c.header.bytes(c.pixels), &bm);
        EXPECT_EQ(out, c.header.type > 7 ? "Loading TGA image.TGA is RLE packed."
                                         : "Loading TGA image.");
        expect_drawn(bm, c.header.width, c.header.height, c.expected);
        drop(&bm);
    }
}

// Rows of every width up to 20, raw and run-length: wide rows take a faster path than the
// last few pixels of a row.
TEST_P(TgaFiles, TrueColourRowsOfEveryWidth) {
    for (uint16_t w = 1; w <= 20; w++) {
        Bytes bgr, rle;
        std::vector<uint32_t> expected;
        for (uint32_t i = 0; i < w; i++) {
            uint8_t b = uint8_t(i * 7 + 1), g = uint8_t(i * 13 + 2), r = uint8_t(255 - i);
            bgr.insert(bgr.end(), {b, g, r});
            expected.push_back(0xFF000000u | r << 16 | g << 8 | b);
        }
        rle.push_back(uint8_t(w - 1));
        rle.insert(rle.end(), bgr.begin(), bgr.end());
        for (const auto &[type, pixels] : {std::pair{2, bgr}, std::pair{10, rle}}) {
            SCOPED_TRACE(testing::Message() << "width " << w << " type " << type);
            VRX_Bitmap bm;
            load("row.tga", with({}, uint8_t(type), 24, w, 1).bytes(pixels), &bm);
            expect_drawn(bm, w, 1, expected);
            drop(&bm);
        }
    }
}

TEST_P(TgaFiles, IgnoresTheFooterAndExtensionCase) {
    Bytes footer(26, 0);
    const char sig[] = "TRUEVISION-XFILE.";
    std::copy(sig, sig + sizeof sig, footer.end() - sizeof sig);
    for (const char *name : {"a.tga", "b.Tga", "c.TGA", "d.x.tga"}) {
        VRX_Bitmap bm;
        std::string out = load(name, with({}, 2, 24, 2, 2, 0x20).bytes(kABCD + footer), &bm);
        EXPECT_EQ(out, "Loading TGA image.");
        expect_drawn(bm, 2, 2, {A, B, C, D});
        drop(&bm);
    }
}

// Every bad file: one line of its own, then the dispatcher's; no data and nothing leaked.
TEST_P(TgaFiles, RejectsInconsistentFiles) {
    const Tga rgb = with({}, 2, 24, 2, 2);
    const Tga rle = with({}, 10, 24, 2, 2);
    Tga long_id = rgb;
    long_id.id = Bytes(5, 0);
    Tga odd_map = mapped(1, 0, {1, 2, 3}, 24);
    odd_map.map_bits = 8;
    const struct {
        const char *what;
        Bytes file;
    } bad[] = {
        {"header cut", Bytes(17, 0)},
        {"image ID past the end", cut(long_id.bytes({}), 1)},
        {"colour map cut",
         cut(with(mapped(1, 0, {1, 2, 3, 4, 5, 6}, 24), 1, 8, 1, 1).bytes({}), 1)},
        {"colour map of 8-bit entries", with(odd_map, 1, 8, 1, 1).bytes({0})},
        {"pixels one byte short", rgb.bytes(Bytes(kABCD.begin(), kABCD.end() - 1))},
        {"pixel depth 12", with({}, 2, 12, 1, 1).bytes({1, 2, 3, 4})},
        {"no pixels", with({}, 2, 24, 0, 5).bytes(kABCD)},
        {"index past the colour map", with(mapped(1, 0, {1, 2, 3}, 24), 1, 8, 2, 1).bytes({0, 1})},
        {"index below the colour map", with(mapped(1, 1, {1, 2, 3}, 24), 1, 8, 1, 1).bytes({0})},
        {"mapped image without a map", with({}, 1, 8, 1, 1).bytes({0})},
        {"packet past the image", rle.bytes({0x84, 1, 2, 3})},
        {"raw packet past the file", rle.bytes({0x03, 1, 2, 3, 4, 5, 6})},
        {"packets end early", rle.bytes({0x82, 1, 2, 3})},
        {"huge run-length image from a few bytes", with({}, 10, 8, 65535, 65535).bytes({0xFF, 0})},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.what);
        VRX_Bitmap bm;
        std::string out = load("bad.tga", b.file, &bm);
        EXPECT_EQ(bm.data, nullptr);
        EXPECT_EQ(lines(out), 2u) << out;
        EXPECT_TRUE(out.ends_with(not_loaded("bad.tga"))) << out;
    }
}

INSTANTIATE_BOTH_DEPTHS(TgaFiles);

} // namespace
