#include "image_fixture.h"

namespace {

// A BMP of `rows` (stored order, strides included) behind a 54-byte header and a palette.
Bytes bmp(int32_t w, int32_t h, uint16_t bpp, const Bytes &rows, const Bytes &palette = {},
          uint32_t colours = 0, uint16_t compression = 0) {
    Bytes b{'B', 'M'};
    put32(b, uint32_t(54 + palette.size() + rows.size()));
    put32(b, 0);
    put32(b, uint32_t(54 + palette.size()));
    put32(b, 40);
    put32(b, uint32_t(w));
    put32(b, uint32_t(h));
    put16(b, 1);
    put16(b, bpp);
    put32(b, compression);
    put32(b, uint32_t(rows.size()));
    put32(b, 0);
    put32(b, 0);
    put32(b, colours);
    put32(b, 0);
    return b + palette + rows;
}

Bytes pcx(uint32_t w, uint32_t h, uint8_t planes, const Bytes &data, const Bytes &palette = {}) {
    Bytes b(128, 0);
    b[0] = 10;
    b[8] = uint8_t(w - 1), b[9] = uint8_t((w - 1) >> 8);
    b[10] = uint8_t(h - 1), b[11] = uint8_t((h - 1) >> 8);
    b[65] = planes;
    return b + data + palette;
}

Bytes scx(uint16_t w, uint16_t h, const Bytes &palette, const Bytes &pixels) {
    Bytes b{'R', 'I', 'X', '3'};
    put16(b, w);
    put16(b, h);
    put16(b, 0);
    Bytes pal = palette;
    pal.resize(768, 0);
    return b + pal + pixels;
}

// 256 R, G, B entries: entry i is (i, 255 - i, i ^ 0x55).
Bytes rgb_palette() {
    Bytes p;
    for (uint32_t i = 0; i < 256; i++)
        p.insert(p.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x55)});
    return p;
}
uint32_t rgb_entry(uint32_t i) {
    return 0xFF000000u | i << 16 | (255 - i) << 8 | (i ^ 0x55);
}

struct Case {
    const char *what, *name;
    Bytes file;
    int32_t w, h;
    std::vector<uint32_t> expected; // top row first
    const char *printed;
};

const uint32_t W = 0xFFFFFFFF, K = 0;

std::vector<Case> cases() {
    Bytes bgr2x2 = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const char *bmp_line = "Loading BMP image.\n";
    // 10 pixels of 1 bit: 2 bytes and 2 bytes of padding that must not be read as pixels.
    Bytes bits = {0b10110000, 0b01000000, 0xFF, 0xFF, 0b00000000, 0b11000000, 0xFF, 0xFF};
    std::vector<uint32_t> bits_expected = {W, W, W, W, W, W, W, W, K, K,  // top: second stored
                                           K, W, K, K, W, W, W, W, W, K}; // bottom: first stored
    Bytes pal4 = {1, 2, 3, 0, 4, 5, 6, 0};
    Bytes pal256;
    for (uint32_t i = 0; i < 256; i++) pal256.insert(pal256.end(), {uint8_t(i), 0, 0, 0});
    Bytes big_pcx, big_scx;
    std::vector<uint32_t> big_expected;
    for (uint32_t i = 0; i < 300 * 300; i++) {
        big_pcx.push_back(uint8_t(i % 191));
        big_expected.push_back(rgb_entry(i % 191));
    }
    big_scx.resize(300 * 300, 2);
    big_scx.back() = 1;
    std::vector<uint32_t> scx_expected(300 * 300, 0xFF080C10);
    scx_expected.back() = 0xFFFC0004;
    return {
        {"BMP bottom row first",
         "a.bmp",
         bmp(2, 2, 24, bgr2x2),
         2,
         2,
         {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504},
         bmp_line},
        {"BMP top row first",
         "a.bmp",
         bmp(2, -2, 24, bgr2x2),
         2,
         2,
         {0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A},
         bmp_line},
        {"BMP 1 bit, rows at their stride", "a.bmp", bmp(10, 2, 1, bits), 10, 2, bits_expected,
         bmp_line},
        {"BMP 4 bits, two colours",
         "a.bmp",
         bmp(3, -1, 4, {0x01, 0x10, 0, 0}, pal4, 2),
         3,
         1,
         {0xFF030201, 0xFF060504, 0xFF060504},
         bmp_line},
        {"BMP 8 bits, colour count 0 is 256",
         "a.bmp",
         bmp(3, -1, 8, {0, 255, 7, 0}, pal256),
         3,
         1,
         {0xFF000000, 0xFF0000FF, 0xFF000007},
         bmp_line},
        {"BMP 15 bits", "a.bmp", bmp(1, 1, 15, {0x1F, 0x80, 0, 0}), 1, 1, {0xFF0000F8}, bmp_line},
        {"BMP 16 bits", "a.bmp", bmp(1, 1, 16, {0xE0, 0x03, 0, 0}), 1, 1, {0xFF00F800}, bmp_line},
        {"BMP 16 bits 4-4-4-4",
         "a.bmp",
         bmp(1, 1, 16, {0x4F, 0xA3, 0, 0}, {}, 0, 3),
         1,
         1,
         {0xFF3040F0},
         bmp_line},
        {"BMP 32 bits", "a.bmp", bmp(1, 1, 32, {1, 2, 3, 4}), 1, 1, {0x04030201}, bmp_line},
        {"BMP 32 bits with bit fields",
         "a.bmp",
         bmp(1, 1, 32, {1, 2, 3, 4}, {}, 0, 3),
         1,
         1,
         {0x01040302},
         bmp_line},
        {"PCX 8 bits, a run across the row end",
         "a.pcx",
         pcx(3, 2, 1, {0xC4, 9, 0xC0, 7, 0xC2, 200}, rgb_palette()),
         3,
         2,
         {rgb_entry(9), rgb_entry(9), rgb_entry(9), rgb_entry(9), rgb_entry(200), rgb_entry(200)},
         "Loading PCX image.\nwidth: 3, height: 2, bpp: 8\n"},
        {"PCX 24 bits in planes",
         "a.pcx",
         pcx(2, 2, 3, {0xC2, 0x10, 0x20, 0x21, 0x30, 0x31, 0xC6, 0x40}),
         2,
         2,
         {0xFF102030, 0xFF102131, 0xFF404040, 0xFF404040},
         "Loading PCX image.\nwidth: 2, height: 2, bpp: 24\n"},
        {"PCX past 64 KiB", "a.pcx", pcx(300, 300, 1, big_pcx, rgb_palette()), 300, 300,
         big_expected, "Loading PCX image.\nwidth: 300, height: 300, bpp: 8\n"},
        {"SCX",
         "a.scx",
         scx(2, 1, {63, 0, 1, 0x41, 0x3F, 0}, {1, 0}),
         2,
         1,
         {0xFF04FC00, 0xFFFC0004},
         "Loading RIX/SCX image.\nwidth: 2, height: 1, bpp: 8\n"},
        {"SCX past 64 KiB", "a.scx", scx(300, 300, {0, 0, 0, 63, 0, 1, 2, 3, 4}, big_scx), 300, 300,
         scx_expected, "Loading RIX/SCX image.\nwidth: 300, height: 300, bpp: 8\n"},
    };
}

struct Formats : ImageFiles {};

TEST_P(Formats, DecodeLikeDrawingEveryPixel) {
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.what);
        VRX_Bitmap bm;
        EXPECT_EQ(load(c.name, c.file, &bm), c.printed);
        expect_drawn(bm, c.w, c.h, c.expected);
        drop(&bm);
    }
}

using Decoder = int32_t (*)(const uint8_t *, uint32_t, VRX_Bitmap *);
Decoder decoder_of(const std::string &name) {
    return name.ends_with(".bmp")   ? vrx_decode_bmp
           : name.ends_with(".pcx") ? vrx_decode_pcx
           : name.ends_with(".scx") ? vrx_decode_scx
                                    : vrx_decode_tga;
}

// Every byte of these files is needed, so every shorter prefix (in a buffer of exactly its
// size) must be refused with one line and no data.
TEST_P(Formats, RefuseEveryTruncation) {
    const std::vector<Case> all = cases();
    for (size_t k : {8, 10, 11, 12, 13, 14}) {
        const Case &c = all[k];
        SCOPED_TRACE(c.what);
        for (size_t n = 0; n < c.file.size(); n += n < 1200 ? 1 : 997) {
            std::vector<uint8_t> prefix(c.file.begin(), c.file.begin() + long(n));
            VRX_Bitmap bm{};
            int32_t result = 1;
            std::string out =
                printed([&] { result = decoder_of(c.name)(prefix.data(), uint32_t(n), &bm); });
            ASSERT_EQ(result, 0) << n;
            ASSERT_EQ(bm.data, nullptr) << n;
            ASSERT_EQ(lines(out), 1u) << n << ": " << out;
        }
    }
}

TEST_P(Formats, RefuseInconsistentFiles) {
    Bytes pal2 = {1, 2, 3, 0, 4, 5, 6, 0};
    const struct {
        const char *what, *name;
        Bytes file;
    } bad[] = {
        {"BMP header cut", "b.bmp", Bytes(53, 0)},
        {"BMP index past its colour count", "b.bmp", bmp(2, 1, 4, {0x12, 0, 0, 0}, pal2, 2)},
        {"BMP palette past the end", "b.bmp", bmp(1, 1, 8, {0, 0, 0, 0}, pal2, 200)},
        {"BMP pixel depth 2", "b.bmp", bmp(4, 1, 2, {0, 0, 0, 0})},
        {"BMP pixel depth 0", "b.bmp", bmp(4, 1, 0, {0, 0, 0, 0})},
        {"BMP negative width", "b.bmp", bmp(-4, 1, 8, {0, 0, 0, 0})},
        {"BMP most negative height", "b.bmp", bmp(1, INT32_MIN, 8, {0, 0, 0, 0})},
        {"BMP huge rows", "b.bmp", bmp(0x40000000, 4, 32, {0, 0, 0, 0})},
        {"PCX data ends early", "b.pcx", pcx(4, 4, 3, {0xC5, 1})},
        {"PCX without room for its palette", "b.pcx", pcx(1, 1, 1, {0}, Bytes(700, 0))},
        {"PCX huge image from a few bytes", "b.pcx", pcx(65536, 65536, 3, {0xFF, 1})},
        {"SCX pixels cut", "b.scx", scx(2, 2, {}, {1, 2, 3})},
        {"SCX without pixels", "b.scx", scx(0, 2, {}, {1, 2, 3})},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.what);
        VRX_Bitmap bm;
        std::string out = load(b.name, b.file, &bm);
        EXPECT_EQ(bm.data, nullptr);
        EXPECT_EQ(lines(out), 3u) << out; // the loader's line, its own, "not loaded"
        EXPECT_TRUE(out.ends_with(not_loaded(b.name))) << out;
    }
}

TEST_P(Formats, PaletteFileCopiesItsFirst768Bytes) {
    Bytes file = rgb_palette() + Bytes{1, 2, 3};
    write("a.pal", file);
    uint8_t pal[768 + 1] = {};
    pal[768] = 0xAB;
    EXPECT_EQ(printed([&] { VRX_LoadPal("a.pal", pal); }), "");
    EXPECT_TRUE(std::equal(pal, pal + 768, file.begin()));
    EXPECT_EQ(pal[768], 0xAB);

    write("short.pal", Bytes(767, 9));
    EXPECT_EQ(lines(printed([&] { VRX_LoadPal("short.pal", pal); })), 1u);
    EXPECT_EQ(lines(printed([&] { VRX_LoadPal("gone.pal", pal); })), 1u);
    EXPECT_TRUE(std::equal(pal, pal + 768, file.begin()));
}

INSTANTIATE_BOTH_DEPTHS(Formats);

} // namespace
