#include "base/memory.h"
#include "graphics/font.h"
#include "graphics/font_internal.h"
#include "sprite_fixture.h"

#include <string>

using FontDepths = BothDepths;
INSTANTIATE_BOTH_DEPTHS(FontDepths);

namespace {

// A font image: the key along row 0 with a marker at each given column; below, every glyph but
// the first (the space) holds opaque ink apart from its keyed first column.
struct FontImage {
    Canvas img;
    FontImage(int32_t w, int32_t h, const std::vector<int32_t> &marks)
        : img(w, h, vrx_mode16() ? 0x7C1Fu : 0xFFFF00FFu) {
        const uint32_t ink = vrx_mode16() ? 0x7FFFu : 0xFFFFFFFFu;
        for (size_t m = 0; m < marks.size(); m++) {
            const int32_t x = marks[m], end = m + 1 < marks.size() ? marks[m + 1] : w;
            img.set(x, ink);
            for (int32_t y = 1; y < h; y++)
                for (int32_t i = x + 1; i < end; i++) img.set(y * w + i, ink);
        }
    }
};

// The heat font's first glyphs: space 9 wide, '!' 3 wide (markers at 9 and 12), '"' 6 wide.
struct HeatLike {
    FontImage image{30, 20, {9, 12, 18, 24}};
    VRX_Font font{};
    HeatLike() { vrx_font_from_image(image.img.bm, &font, VRX_FONT_PLAIN, 0); }
    ~HeatLike() { VRX_DeleteFont(&font); }
};

// The columns where row y of the target holds ink.
std::vector<int32_t> inked_columns(const Canvas &c, int32_t y) {
    std::vector<int32_t> cols;
    for (int32_t x = 0; x < c.w; x++)
        if (c.at(x, y) != c.fill) cols.push_back(x);
    return cols;
}

// The ink of glyphs drawn at x with width w: their first column is keyed.
std::vector<int32_t> glyph_columns(std::initializer_list<std::pair<int32_t, int32_t>> runs) {
    std::vector<int32_t> cols;
    for (auto [x, w] : runs)
        for (int32_t i = 1; i < w; i++) cols.push_back(x + i);
    return cols;
}

} // namespace

TEST_P(FontDepths, MarkerScanGivesWidthsCountAndHeight) {
    std::vector<int32_t> every;
    for (int32_t x = 1; x < 120; x++) every.push_back(x);
    const struct {
        int32_t w, h;
        std::vector<int32_t> marks;
        int32_t count;
        std::vector<int> widths;
    } rows[] = {{30, 20, {9, 12, 18, 24}, 6, {0, 9, 3, 6, 6, 6}},
                {17, 5, {}, 2, {0, 17}},
                {300, 3, {1, 290}, 4, {0, 1, 289 & 0xFF, 10}},
                // Past 96 records every marker restarts the last one.
                {120, 4, every, 96, {0, 1, 1}}};
    for (auto &r : rows) {
        FontImage image(r.w, r.h, r.marks);
        VRX_Font font{};
        vrx_font_from_image(image.img.bm, &font, VRX_FONT_PLAIN, 0);
        EXPECT_EQ(std::vector<int32_t>({font.count, font.height, font.spacing, font.widths[95]}),
                  std::vector<int32_t>({r.count, r.h - 1, 0, r.count == 96}));
        for (size_t g = 0; g < r.widths.size(); g++) {
            EXPECT_EQ(font.widths[g], r.widths[g]) << g;
            EXPECT_EQ(font.glyphs[g].width * 1000 + font.glyphs[g].height,
                      r.widths[g] * 1000 + r.h - 1);
        }
        VRX_DeleteFont(&font);
    }
}

TEST_P(FontDepths, TextAdvancesBySpacingAndSkipsCodesWithoutGlyphs) {
    HeatLike heat;
    VRX_SetFontSpacing(1, &heat.font);
    const struct {
        const char *text;
        std::vector<int32_t> cols;
    } rows[] = {{"! !", glyph_columns({{10, 3}, {24, 3}})},
                {"!}~\x05\xC8!", glyph_columns({{10, 3}, {14, 3}})},
                {"!\x1F!", glyph_columns({{10, 3}, {15, 3}})}, // code 31 moves by the spacing
                {"!0!", glyph_columns({{10, 3}, {14, 3}})},    // no '0' in a six-glyph font
                {"\"!", glyph_columns({{10, 6}, {17, 3}})},
                {"", {}}};
    for (auto &r : rows) {
        Canvas dst(64, 24, 0x7);
        VRX_DrawText(10, 2, heat.font, dst.bm, "%s", r.text);
        EXPECT_EQ(inked_columns(dst, 2 + 18), r.cols) << r.text;
        EXPECT_EQ(inked_columns(dst, 1), std::vector<int32_t>{}) << r.text;
    }
    // Formatted text past 255 characters is cut there.
    Canvas dst(1100, 24, 0x7);
    VRX_DrawText(0, 0, heat.font, dst.bm, "%s", std::string(1000, '!').c_str());
    EXPECT_EQ(inked_columns(dst, 5).size(), 255u * 2);
    EXPECT_EQ(inked_columns(dst, 5).back(), 254 * 4 + 2);
}

TEST_P(FontDepths, CentringMeasuresTheTrailingSpacing) {
    HeatLike heat;
    VRX_SetFontSpacing(98, &heat.font); // one '!' measures 3 + 98 = 101
    Canvas dst(640, 24, 0x7);
    VRX_DrawCenteredText(0, heat.font, dst.bm, "%c", '!');
    EXPECT_EQ(inked_columns(dst, 5), glyph_columns({{270, 3}}));
    dst.clear();
    VRX_DrawCenteredTextXW(100, 0, 50, heat.font, dst.bm, "!");
    EXPECT_EQ(inked_columns(dst, 5), glyph_columns({{75, 3}}));
    // Positions and spacings at the ends of the range: only the third of four glyphs centred
    // with the largest spacing lands on the target, at its middle.
    dst.clear();
    VRX_SetFontSpacing(INT32_MAX, &heat.font);
    VRX_DrawText(INT32_MAX - 5, 0, heat.font, dst.bm, "!!!!");
    VRX_DrawCenteredText(0, heat.font, dst.bm, "!!!!");
    VRX_DrawCenteredTextXW(INT32_MIN, 0, INT32_MIN, heat.font, dst.bm, "!!!!");
    EXPECT_EQ(inked_columns(dst, 5), glyph_columns({{320, 3}}));
}

TEST_P(FontDepths, DefaultFontDrawsItsTableInTheTint) {
    const uint32_t before = g_mem_in_use;
    VRX_Font font{};
    EXPECT_EQ(printed([&] { VRX_InitDefaultFont(0x00FF80, &font); }), "deleting bitmap\n");
    EXPECT_EQ(std::vector<int32_t>({font.count, font.height, font.spacing, font.widths[0]}),
              std::vector<int32_t>({94, 8, 1, 0}));
    const uint32_t ink = mode16 ? 0x03CFu : 0xFF00FE7Fu, clear = mode16 ? 1u : 0xFF000000u;
    for (int32_t g = 1; g < 94; g++) {
        ASSERT_EQ(font.widths[g], 6) << g;
        for (int32_t i = 0; i < 6 * 8; i++)
            ASSERT_EQ(TestSprite::value(font.glyphs[g], i % 6, i / 6),
                      (VRX_defaultfont[8 * (g - 1) + i / 6] << (i % 6)) & 0x80 ? ink : clear)
                << char(g + 31) << " " << i;
    }
    Canvas dst(40, 8, 0x7);
    VRX_DrawText(0, 0, font, dst.bm, "Hi");
    EXPECT_EQ(std::vector<uint32_t>({dst.at(0, 0), dst.at(6, 0), dst.at(9, 0)}),
              std::vector<uint32_t>({ink, 0x7, ink})); // H's stem, the spacing, i's dot
    VRX_DeleteFont(&font);
    EXPECT_EQ(g_mem_in_use, before);
    // Every printable glyph has ink, all of it inside the 5 x 8 box that the cut keeps.
    for (int code = 32; code < 128; code++) {
        int ink_bits = 0;
        for (int r = 0; r < 8; r++) {
            EXPECT_EQ(VRX_defaultfont[8 * (code - 32) + r] & 0x07, 0) << char(code) << r;
            ink_bits += __builtin_popcount(VRX_defaultfont[8 * (code - 32) + r]);
        }
        EXPECT_EQ(ink_bits == 0, code == 32 || code == 127) << char(code);
    }
}
