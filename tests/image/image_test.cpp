#include "image_fixture.h"
#include "vornfile/archive_fixture.h"

namespace {

// A TGA with a colour map of `bits`-bit entries from slot `first`, and `id` bytes of image ID.
Bytes tga(int type, int bpp, int w, int h, int desc, const Bytes &pixels, const Bytes &map = {},
          int first = 0, int bits = 24, int id = 0) {
    uint32_t entries = uint32_t(map.size()) / (bits == 24 ? 3 : 2), mapped = !map.empty();
    return le("11122142211",
              {uint32_t(id), mapped, uint32_t(type), uint32_t(first), entries, mapped * bits, 0,
               uint32_t(w), uint32_t(h), uint32_t(bpp), uint32_t(desc)}) +
           Bytes(size_t(id), 0) + map + pixels;
}
Bytes bmp(int w, int h, int bpp, const Bytes &rows, const Bytes &pal = {}, int colours = 0,
          int compression = 0) {
    uint32_t start = 54 + uint32_t(pal.size());
    return le("244444422444444", {'B' | 'M' << 8, start + uint32_t(rows.size()), 0, start, 40,
                                  uint32_t(w), uint32_t(h), 1, uint32_t(bpp), uint32_t(compression),
                                  0, 0, 0, uint32_t(colours), 0}) +
           pal + rows;
}
Bytes pcx(int w, int h, int planes, const Bytes &data, const Bytes &pal = {}) {
    Bytes head = le("14322", {10, 0, 0, uint32_t(w - 1), uint32_t(h - 1)});
    head.resize(128);
    head[65] = uint8_t(planes);
    return head + data + pal;
}
Bytes scx(int w, int h, Bytes pal, const Bytes &pixels) {
    pal.resize(768);
    return le("4222", {0x33584952, uint32_t(w), uint32_t(h), 0}) + pal + pixels;
}

Bytes patch(Bytes b, std::initializer_list<std::pair<size_t, uint8_t>> at) {
    for (auto [i, v] : at) b.at(i) = v;
    return b;
}

const uint32_t A = 0xFF102030, B = 0xFF405060, C = 0xFF708090, D = 0xFFA0B0C0, W = 0xFFFFFFFF;
const Bytes kABCD = {0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, 0xC0, 0xB0, 0xA0};
const Bytes kMap = {1, 2, 3, 4, 5, 6};
const uint32_t M0 = 0xFF030201, M1 = 0xFF060504;
const char *const T = "Loading TGA image.", *const R = "Loading TGA image.TGA is RLE packed.",
                  *const BM = "Loading BMP image.\n";

Bytes ramp_palette() { // entry i is (i, 255 - i, i ^ 0x55)
    Bytes p;
    for (int i = 0; i < 256; i++)
        p.insert(p.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x55)});
    return p;
}
uint32_t ramp(uint32_t i) {
    return 0xFF000000u | i << 16 | (255 - i) << 8 | (i ^ 0x55);
}

struct Case {
    Bytes file;
    int32_t w, h;
    std::vector<uint32_t> expected; // top row first
    char kind;                      // t TGA, r run-length TGA, b BMP, p PCX, q 24-bit PCX, s SCX
    bool tight = false;             // every byte is needed
};

std::vector<Case> cases() {
    Bytes big_pcx, big_scx(300 * 300, 1), rle = {0x82, 0x30, 0x20, 0x10, 0x01};
    rle = rle + Bytes(kABCD.begin() + 3, kABCD.end() - 3) + Bytes{0, 0xC0, 0xB0, 0xA0};
    std::vector<uint32_t> pcx_pixels, scx_pixels(300 * 300, 0xFF080C10);
    for (uint32_t i = 0; i < 300 * 300; i++) {
        big_pcx.push_back(uint8_t(i % 191));
        pcx_pixels.push_back(ramp(i % 191));
    }
    big_scx.back() = 0, scx_pixels.back() = 0xFFFC0004;
    const Bytes abcd3 = kABCD + kABCD + kABCD, pal4 = {1, 2, 3, 0, 4, 5, 6, 0};
    const uint32_t G = 0xFF404040;
    const Bytes mono = {0xB0, 0x40, 0xFF, 0xFF, 0, 0xC0, 0xFF, 0xFF},
                px32 = {1, 2, 3, 0, 4, 5, 6, 0x7F};
    const Bytes rows24 = Bytes{7, 8, 9, 7, 8, 9, 0, 0} + kMap + Bytes{0, 0};
    const Bytes planes = {0xC2, 0x10, 0x20, 0x21, 0x30, 0x31, 0xC6, 0x40};
    const uint32_t N = 0xFF090807;
    const std::vector<uint32_t> mono_px = {W, W, W, W, W, W, W, W, 0, 0,
                                           0, W, 0, 0, W, W, W, W, W, 0},
                                pcx_px = {ramp(9), ramp(9), ramp(9), ramp(9), ramp(200), ramp(200)};
    return {
        // TGA: the four origins, a row wide enough for the fast path and its tail
        {tga(2, 24, 2, 2, 0x00, kABCD), 2, 2, {C, D, A, B}, 't', true},
        {tga(2, 24, 2, 2, 0x10, kABCD), 2, 2, {D, C, B, A}, 't'},
        {tga(2, 24, 2, 2, 0x20, kABCD), 2, 2, {A, B, C, D}, 't'},
        {tga(2, 24, 2, 2, 0x30, kABCD), 2, 2, {B, A, D, C}, 't'},
        {tga(2, 24, 9, 1, 0, abcd3), 9, 1, {A, B, C, D, A, B, C, D, A}, 't'},
        // 32 bits keep their fourth byte (image ID skipped); 16 bits ignore the top bit
        {tga(2, 32, 2, 1, 0x20, px32, {}, 0, 0, 3), 2, 1, {0x00030201, 0x7F060504}, 't', true},
        {tga(2, 16, 2, 1, 0x20, {0xFF, 0xFF, 0x1F, 0}), 2, 1, {0xFFF8F8F8, 0xFF0000F8}, 't'},
        {tga(3, 8, 2, 1, 0x20, {0, 0x9A}), 2, 1, {0xFF000000, 0xFF9A9A9A}, 't'},
        // colour maps: indices not offset by the first slot; 15 bits; skipped in true colour
        {tga(1, 8, 2, 1, 0x20, {3, 2}, kMap, 2), 2, 1, {M1, M0}, 't', true},
        {tga(1, 8, 1, 1, 0, {255}, {0, 0x7C, 1, 0}, 255, 15), 1, 1, {0xFFF80000}, 't'},
        {tga(2, 24, 1, 1, 0, {1, 2, 3}, kMap), 1, 1, {M0}, 't'},
        {patch(tga(2, 24, 1, 1, 0, {1, 2, 3}), {{5, 2}, {7, 24}}), 1, 1, {M0}, 't'}, // no map type
        // run-length: a packet across the row end and a last single raw pixel; grey; mapped
        {tga(10, 24, 3, 2, 0x20, rle), 3, 2, {A, A, A, B, C, D}, 'r', true},
        {tga(11, 8, 3, 1, 0x30, {0x81, 0x40, 0, 0xFF}), 3, 1, {W, G, G}, 'r'},
        {tga(9, 8, 3, 1, 0, {0x01, 1, 0, 0x80, 1}, kMap), 3, 1, {M1, M0, M1}, 'r'},
        // BMP: either row order, 1 bit read at its stride, palettes, 16-bit forms, bit fields
        {bmp(2, 2, 24, rows24), 2, 2, {M0, M1, N, N}, 'b'},
        {bmp(1, -2, 32, {1, 2, 3, 4, 5, 6, 7, 8}), 1, 2, {0x04030201, 0x08070605}, 'b', true},
        {bmp(10, 2, 1, mono), 10, 2, mono_px, 'b'},
        {bmp(3, 1, 4, {0x01, 0x10, 0, 0}, pal4, 2), 3, 1, {M0, M1, M1}, 'b'},
        {bmp(2, 1, 8, {0, 255, 0, 0}, Bytes(1020) + pal4), 2, 1, {0xFF000000, M0}, 'b'},
        {bmp(2, 1, 16, {0x1F, 0x80, 0xE0, 0x03}), 2, 1, {0xFF0000F8, 0xFF00F800}, 'b'},
        {bmp(1, 1, 16, {0x4F, 0xA3, 0, 0}, {}, 0, 3), 1, 1, {0xFF3040F0}, 'b'},
        {bmp(1, 1, 32, {1, 2, 3, 4}, {}, 0, 3), 1, 1, {0x01040302}, 'b'},
        // only the low halves of the data offset and the compression count
        {patch(bmp(1, 1, 32, {1, 2, 3, 4}, {}, 0, 3), {{12, 1}, {32, 1}}), 1, 1, {0x01040302}, 'b'},
        // PCX: runs across row ends, planes, past 64 KiB; SCX: 6-bit components, past 64 KiB
        {pcx(3, 2, 1, {0xC4, 9, 0xC0, 7, 0xC2, 200}, ramp_palette()), 3, 2, pcx_px, 'p', true},
        {pcx(2, 2, 3, planes), 2, 2, {0xFF102030, 0xFF102131, G, G}, 'q', true},
        {pcx(300, 300, 1, big_pcx, ramp_palette()), 300, 300, pcx_pixels, 'p', true},
        {scx(2, 1, {63, 0, 0x21, 0x41, 0x3F, 0}, {1, 0}),
         2,
         1,
         {0xFF04FC00, 0xFFFC0084},
         's',
         true},
        {scx(300, 300, {63, 0, 1, 2, 3, 4}, big_scx), 300, 300, scx_pixels, 's', true},
    };
}

std::string name_of(const Case &c) {
    return c.kind == 'b'                    ? "a.bmp"
           : c.kind == 's'                  ? "a.scx"
           : c.kind >= 'p' && c.kind <= 'q' ? "a.pcx"
                                            : "a.tga";
}
std::string said(const Case &c) {
    std::string size = "width: " + std::to_string(c.w) + ", height: " + std::to_string(c.h);
    if (c.kind == 's') return "Loading RIX/SCX image.\n" + size + ", bpp: 8\n";
    if (c.kind == 'p' || c.kind == 'q')
        return "Loading PCX image.\n" + size + (c.kind == 'p' ? ", bpp: 8\n" : ", bpp: 24\n");
    return c.kind == 't' ? T : c.kind == 'r' ? R : BM;
}

struct Images : ImageFiles {};

TEST_P(Images, DecodeLikeDrawingEveryPixel) {
    int i = 0;
    for (const Case &c : cases()) {
        SCOPED_TRACE(i++);
        VRX_Bitmap bm;
        EXPECT_EQ(load(name_of(c), c.file, &bm), said(c));
        expect_drawn(bm, c.w, c.h, c.expected);
        drop(&bm);
    }
}

// Every shorter prefix of a file whose every byte counts, in a buffer of exactly its size.
TEST_P(Images, RefuseEveryTruncation) {
    for (const Case &c : cases()) {
        if (!c.tight) continue;
        const std::string ext = name_of(c).substr(1);
        SCOPED_TRACE(said(c));
        auto decode = ext == ".tga"   ? vrx_decode_tga
                      : ext == ".bmp" ? vrx_decode_bmp
                      : ext == ".pcx" ? vrx_decode_pcx
                                      : vrx_decode_scx;
        for (size_t n = 0; n < c.file.size(); n += n < 1000 ? 1 : 4999) {
            Bytes prefix(c.file.begin(), c.file.begin() + long(n));
            VRX_Bitmap bm{};
            std::string out =
                printed([&] { EXPECT_EQ(decode(prefix.data(), uint32_t(n), &bm), 0); });
            ASSERT_TRUE(bm.data == nullptr && lines(out) == 1) << n << ": " << out;
        }
    }
}

// One line of the loader's own between its first words and the "not loaded" line (cut files
// are the truncation test's).
TEST_P(Images, RefuseInconsistentFiles) {
    const struct {
        const char *what, *name;
        Bytes file;
    } bad[] = {
        {"map of 8-bit entries", "b.tga", tga(1, 8, 1, 1, 0, {0}, kMap, 0, 8)},
        {"pixel depth 12", "b.tga", tga(2, 12, 1, 1, 0, {1, 2, 3, 4})},
        {"no pixels", "b.tga", tga(2, 24, 0, 5, 0, kABCD)},
        {"index past the map", "b.tga", tga(1, 8, 2, 1, 0, {0, 2}, kMap)},
        {"index below the map", "b.tga", tga(1, 8, 1, 1, 0, {0}, kMap, 1)},
        {"packet past the image", "b.tga", tga(10, 24, 2, 2, 0, {0x84, 1, 2, 3})},
        {"huge image from a few bytes", "b.tga", tga(10, 8, 65535, 65535, 0, {0xFF, 0})},
        {"BMP index past its colour count", "b.bmp", bmp(2, 1, 4, {0x12, 0, 0, 0}, Bytes(8), 2)},
        {"palette past the end", "b.bmp", bmp(1, 1, 8, {0, 0, 0, 0}, Bytes(8), 200)},
        {"pixel depth 2", "b.bmp", bmp(4, 1, 2, {0, 0, 0, 0})},
        {"negative width", "b.bmp", bmp(-4, 1, 8, {0, 0, 0, 0})},
        {"most negative height", "b.bmp", bmp(1, INT32_MIN, 8, {0, 0, 0, 0})},
        {"huge rows", "b.bmp", bmp(0x40000000, 4, 32, {0, 0, 0, 0})},
        {"huge image from a few bytes", "b.pcx", pcx(65536, 65536, 3, {0xFF, 1})},
        {"SCX without pixels", "b.scx", scx(0, 2, {}, {1, 2, 3})},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.what);
        VRX_Bitmap bm;
        std::string out = load(b.name, b.file, &bm);
        EXPECT_EQ(bm.data, nullptr);
        EXPECT_EQ(lines(out), std::string(b.name) == "b.tga" ? 2u : 3u) << out;
        EXPECT_TRUE(out.ends_with(not_loaded(b.name))) << out;
    }
}

TEST_P(Images, ChooseTheLoaderByExtension) {
    const struct {
        const char *name, *printed;
    } cases[] = {
        {"PIC.Tga", T},
        {"pic.tga.bak", ""},
        {".tga", ""},
        {"pic.gif", "No GIF supported.\n"},
        {"pic.PNG", "No PNG supported.\n"},
        {"pic.jpg", "No JPG supported. Use VRXJPEG Extension\n"},
        {"pic.raw", "Loading Direct-RAW image.\n"},
    };
    for (const auto &c : cases) {
        VRX_Bitmap bm;
        bool loads = c.name[0] == 'P';
        EXPECT_EQ(load(c.name, tga(2, 24, 1, 1, 0, {1, 2, 3}), &bm),
                  c.printed + (loads ? "" : not_loaded(c.name)));
        EXPECT_EQ(bm.data != nullptr, loads) << c.name;
        drop(&bm);
    }
    VRX_Bitmap bm{};
    EXPECT_EQ(printed([&] { VRX_LoadBitmap("gone.bmp", &bm); }),
              BM + std::string("couldn't open file: gone.bmp\n") + not_loaded("gone.bmp"));
}

TEST_P(Images, ArchiveEntryLoadsAfterTheFoundLine) {
    Bytes file = tga(2, 24, 1, 1, 0, {1, 2, 3});
    Bytes image = make_image({{"glowbyjr.tga", std::string(file.begin(), file.end())}}, 0);
    write("game.vorn", image);
    printed(
        [&] { vornfile_mountimage((dir / "game.vorn").string().c_str(), VORNFILE_MOUNT_ARCHIVE); });
    VRX_Bitmap bm{};
    EXPECT_EQ(printed([&] { VRX_LoadBitmap("GlowbyJr.TGA", &bm); }),
              T + ("found file at offset: " + std::to_string(image.size() - file.size()) + "\n"));
    expect_drawn(bm, 1, 1, {M0});
    drop(&bm);
    printed([] { vornfile_closeimage(); });
    std::filesystem::remove(dir / "game.vorn");
    printed([&] { vornfile_mountimage(dir.string().c_str(), VORNFILE_MOUNT_DIRECTORY); });
}

TEST_P(Images, PaletteFileGivesItsFirst768Bytes) {
    uint8_t pal[769] = {};
    pal[768] = 0xAB;
    write("a.pal", ramp_palette() + Bytes{1});
    write("short.pal", Bytes(767, 9));
    EXPECT_EQ(printed([&] { VRX_LoadPal("a.pal", pal); }), "");
    EXPECT_EQ(lines(printed([&] { VRX_LoadPal("short.pal", pal); })), 1u);
    EXPECT_EQ(lines(printed([&] { VRX_LoadPal("gone.pal", pal); })), 1u);
    EXPECT_EQ(Bytes(pal, pal + 769), ramp_palette() + Bytes{0xAB});
}

INSTANTIATE_BOTH_DEPTHS(Images);

} // namespace
