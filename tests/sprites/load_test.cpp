#include "image/font_load.h"
#include "image/image_fixture.h"
#include "image/sprite_load.h"
#include "sprite_fixture.h"

using SpriteFiles = ImageFiles;
INSTANTIATE_BOTH_DEPTHS(SpriteFiles);

namespace {

// An uncompressed 24-bit TGA stored top row first.
Bytes tga24(int32_t w, int32_t h, const std::vector<uint32_t> &rgb) {
    Bytes b = Bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0} +
              le("2211", {uint32_t(w), uint32_t(h), 24, 0x20});
    for (uint32_t c : rgb) b.insert(b.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    return b;
}

constexpr uint32_t KEY = 0xFF00FF;

// 12 x 4: markers at 5 and 8, the glyph pixels a grey of their column.
Bytes font_file() {
    std::vector<uint32_t> px;
    for (int32_t y = 0; y < 4; y++)
        for (int32_t x = 0; x < 12; x++)
            px.push_back(y == 0 ? (x == 5 || x == 8 ? 0xFFFFFF : KEY) : 0x101010u * uint32_t(x));
    return tga24(12, 4, px);
}

} // namespace

TEST_P(SpriteFiles, FontInitialisersCutTheLoadedImage) {
    write("font.tga", font_file());
    const struct {
        int kind;
        uint32_t want32, want16; // glyph 3, column 1 (image column 9)
    } rows[] = {{0, 0xFE909090, 0x4A52}, {1, 0x7E484848, 0x2529}, {2, 0xFF8F4800, 0x4520}};
    for (auto r : rows) {
        VRX_Font font{};
        const std::string out = printed([&] {
            if (r.kind == 0) VRX_InitFont("font.tga", &font);
            if (r.kind == 1) VRX_InitDarkFont("font.tga", &font);
            if (r.kind == 2) VRX_InitColorFont("font.tga", &font, 0xFF8000);
        });
        EXPECT_TRUE(out.ends_with("deleting bitmap\n")) << out;
        EXPECT_EQ(std::vector<int>({font.count, font.height, font.widths[0], font.widths[1],
                                    font.widths[2], font.widths[3]}),
                  std::vector<int>({4, 3, 0, 5, 3, 4}));
        EXPECT_EQ(TestSprite::value(font.glyphs[3], 1, 2), mode16 ? r.want16 : r.want32) << r.kind;
        VRX_DeleteFont(&font);
    }
    // A whole image as one sprite: the key, a marker, a grey and black.
    VRX_Sprite s{};
    EXPECT_TRUE(printed([&] { VRX_LoadSprite("font.tga", &s); }).ends_with("deleting bitmap\n"));
    EXPECT_EQ(std::vector<uint32_t>({uint32_t(s.width), uint32_t(s.height),
                                     TestSprite::value(s, 0, 0), TestSprite::value(s, 5, 0),
                                     TestSprite::value(s, 9, 2), TestSprite::value(s, 0, 1)}),
              mode16 ? std::vector<uint32_t>({12, 4, 0, 0x7FFF, 0x4A52, 1})
                     : std::vector<uint32_t>({12, 4, 0, 0xFEFFFFFF, 0xFE909090, 0xFE000000}));
    VRX_DeleteSprite(&s);
}

TEST_P(SpriteFiles, FilesThatDoNotLoadGiveEmptyFontsAndSprites) {
    write("broken.tga", Bytes(7, 0));
    for (const char *name : {"missing.tga", "broken.tga", "font.png"}) {
        VRX_Font font{};
        printed([&] { VRX_InitFont(name, &font); });
        VRX_Sprite sprite{};
        printed([&] { VRX_LoadSprite(name, &sprite); });
        EXPECT_EQ(std::vector<int>({font.count, font.height, sprite.width, sprite.height}),
                  std::vector<int>({1, 0, 0, 0}))
            << name;
        Canvas dst(8, 8, 0x7);
        VRX_DrawText(0, 0, font, dst.bm, "A!");
        VRX_DrawSprite(0, 0, sprite, dst.bm);
        EXPECT_TRUE(dst.lit().empty()) << name;
        VRX_DeleteFont(&font);
        VRX_DeleteSprite(&sprite);
    }
}
