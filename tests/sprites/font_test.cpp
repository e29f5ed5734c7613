#include "graphics/font.h"
#include "graphics/font_internal.h"
#include "sprite_fixture.h"

#include "base/memory.h"

#include <string>

using FontDepths = BothDepths;
INSTANTIATE_BOTH_DEPTHS(FontDepths);

namespace {

constexpr uint32_t KEY = 0xFF00FF, MARK = 0x00FF00, INK = 0xFFFFFF;

// A font image: the key along row 0 with a marker at each given column; below it glyph n is
// filled with ink of its own shade, except column 0 of every glyph and the whole first one (the
// space), which stay keyed.
struct FontImage {
    Canvas img;
    FontImage(int32_t w, int32_t h, const std::vector<int32_t> &marks)
        : img(w, h, vrx_mode16() ? VornBlit_color24to16(KEY) : KEY) {
        int32_t glyph = 0;
        for (int32_t x = 0; x < w; x++) {
            if (std::count(marks.begin(), marks.end(), x)) {
                put(x, 0, MARK);
                glyph++;
            }
            const bool first = glyph == 0 || std::count(marks.begin(), marks.end(), x);
            for (int32_t y = 1; y < h; y++) put(x, y, first ? KEY : INK - uint32_t(glyph));
        }
    }
    void put(int32_t x, int32_t y, uint32_t c) {
        const size_t i = size_t(y) * img.w + x;
        if (img.wide)
            static_cast<uint32_t *>(img.bm.data)[i] = 0xFF000000u | c;
        else
            static_cast<uint16_t *>(img.bm.data)[i] = uint16_t(VornBlit_color24to16(c));
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

std::vector<int32_t> glyph_columns(std::initializer_list<std::pair<int32_t, int32_t>> runs) {
    std::vector<int32_t> cols;
    for (auto [x, w] : runs)
        for (int32_t i = 1; i < w; i++) cols.push_back(x + i); // column 0 of a glyph is keyed
    return cols;
}

} // namespace

TEST_P(FontDepths, MarkerScanGivesWidthsCountAndHeight) {
    const struct {
        int32_t w, h;
        std::vector<int32_t> marks;
        int32_t count;
        std::vector<int> widths;
    } rows[] = {
        {30, 20, {9, 12, 18, 24}, 6, {0, 9, 3, 6, 6, 6}},
        {17, 5, {}, 2, {0, 17}},
        {300, 3, {1, 290}, 4, {0, 1, 289 & 0xFF, 10}},
    };
    for (auto &r : rows) {
        FontImage image(r.w, r.h, r.marks);
        VRX_Font font{};
        vrx_font_from_image(image.img.bm, &font, VRX_FONT_PLAIN, 0);
        EXPECT_EQ(font.count, r.count);
        EXPECT_EQ(font.height, r.h - 1);
        EXPECT_EQ(font.spacing, 0);
        for (size_t g = 0; g < r.widths.size(); g++) {
            EXPECT_EQ(font.widths[g], r.widths[g]) << g;
            EXPECT_EQ(font.glyphs[g].width, r.widths[g]) << g;
            EXPECT_EQ(font.glyphs[g].height, r.h - 1) << g;
        }
        VRX_DeleteFont(&font);
    }
    // A marker in every column keeps 96 records; the last one takes the last picture's width.
    FontImage dense(120, 4, [] {
        std::vector<int32_t> m;
        for (int32_t x = 1; x < 120; x++) m.push_back(x);
        return m;
    }());
    VRX_Font font{};
    vrx_font_from_image(dense.img.bm, &font, VRX_FONT_PLAIN, 0);
    EXPECT_EQ(font.count, 96);
    EXPECT_EQ(font.widths[95], 1);
    VRX_DeleteFont(&font);
}

TEST_P(FontDepths, GlyphsAreCutBelowTheMarkerRow) {
    FontImage image(30, 20, {9, 12, 18, 24});
    const std::pair<VRX_FontCut, uint32_t> cuts[] = {
        {VRX_FONT_PLAIN, mode16 ? 0x7FFFu : 0xFEFFFFFEu},
        {VRX_FONT_DARK, mode16 ? 0x3DEFu : 0x7E7F7F7Fu},
        {VRX_FONT_TINT, mode16 ? 0x7800u : 0xFFFE0000u},
    };
    for (auto [cut, ink2] : cuts) {
        VRX_Font font{};
        vrx_font_from_image(image.img.bm, &font, cut, 0xFF0000);
        TestSprite g2; // glyph 2, the exclamation mark: its keyed column, then ink
        g2.s = font.glyphs[2];
        font.glyphs[2] = {};
        EXPECT_EQ(g2.at(0, 0), 0u) << cut;
        EXPECT_EQ(g2.at(1, 18), ink2) << cut;
        VRX_DeleteFont(&font);
    }
}

TEST_P(FontDepths, TextAdvancesBySpacingAndSkipsCodesWithoutGlyphs) {
    HeatLike heat;
    VRX_SetFontSpacing(1, &heat.font);
    const struct {
        const char *text;
        std::vector<int32_t> cols;
    } rows[] = {
        {"! !", glyph_columns({{10, 3}, {24, 3}})},
        {"!}~\x05\xC8!", glyph_columns({{10, 3}, {14, 3}})},
        {"!\x1F!", glyph_columns({{10, 3}, {15, 3}})}, // code 31: glyph 0 moves by the spacing
        {"!0!", glyph_columns({{10, 3}, {14, 3}})},    // '0' has no glyph in a six-glyph font
        {"", {}},
    };
    for (auto &r : rows) {
        Canvas dst(64, 24, 0x7);
        VRX_DrawText(10, 2, heat.font, dst.bm, "%s", r.text);
        EXPECT_EQ(inked_columns(dst, 2 + 18), r.cols) << r.text;
        EXPECT_EQ(inked_columns(dst, 1), std::vector<int32_t>{}) << r.text;
    }
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
    dst.clear();
    VRX_DrawCenteredText(0, heat.font, dst.bm, "%s", "");
    EXPECT_TRUE(dst.lit().empty());
}

// Formatted text longer than 255 characters is cut there, never written past the buffer.
TEST_F(Depth32, LongTextIsCutAt255Characters) {
    HeatLike heat;
    VRX_SetFontSpacing(1, &heat.font);
    Canvas dst(1100, 24, 0x7);
    VRX_DrawText(0, 0, heat.font, dst.bm, "%s", std::string(1000, '!').c_str());
    const auto cols = inked_columns(dst, 5);
    EXPECT_EQ(cols.size(), 255u * 2);
    EXPECT_EQ(cols.back(), 254 * 4 + 2);
}

TEST_P(FontDepths, ImageWithoutDataGivesTheEmptyFont) {
    VRX_Font font{};
    vrx_font_from_image(VRX_Bitmap{618, 20, 0, 0, nullptr}, &font, VRX_FONT_PLAIN, 0);
    EXPECT_EQ(font.count, 1);
    EXPECT_EQ(font.widths[0], 0);
    EXPECT_EQ(font.height, 0);
    EXPECT_EQ(font.glyphs[0].data, nullptr);
    Canvas dst(64, 8, 0x7);
    VRX_DrawText(0, 0, font, dst.bm, "Hello");
    EXPECT_TRUE(dst.lit().empty());
    VRX_DeleteFont(&font);
}

TEST_P(FontDepths, DefaultFontDrawsItsTableInTheTint) {
    const uint32_t before = g_mem_in_use;
    VRX_Font font{};
    EXPECT_EQ(printed([&] { VRX_InitDefaultFont(0x00FF80, &font); }), "deleting bitmap\n");
    EXPECT_EQ(font.count, 94);
    EXPECT_EQ(font.height, 8);
    EXPECT_EQ(font.spacing, 1);
    EXPECT_EQ(font.widths[0], 0);
    const uint32_t ink = mode16 ? 0x03CFu : 0xFF00FE7Fu, clear = mode16 ? 1u : 0xFF000000u;
    for (int32_t g = 1; g < 94; g++) {
        ASSERT_EQ(font.widths[g], 6) << g;
        TestSprite glyph;
        glyph.s = font.glyphs[g];
        for (int32_t r = 0; r < 8; r++)
            for (int32_t i = 0; i < 6; i++)
                ASSERT_EQ(glyph.at(i, r),
                          (VRX_defaultfont[8 * (g - 1) + r] << i) & 0x80 ? ink : clear)
                    << char(g + 31) << " " << i << "," << r;
        glyph.s.data = nullptr;
    }
    Canvas dst(40, 8, 0x7);
    VRX_DrawText(0, 0, font, dst.bm, "Hi");
    EXPECT_EQ(dst.at(0, 0), ink);     // H's left stroke
    EXPECT_EQ(dst.at(6, 0), 0x7u);    // the spacing column stays
    EXPECT_EQ(dst.at(7 + 2, 0), ink); // i's dot
    VRX_DeleteFont(&font);
    EXPECT_EQ(g_mem_in_use, before);
}

// Every printable glyph has ink, inside a 5 x 8 box, and the space and the last glyph are blank.
TEST(DefaultFontTable, GlyphsStayInsideTheirCell) {
    for (int code = 32; code < 128; code++) {
        int ink = 0;
        for (int r = 0; r < 8; r++) {
            const uint8_t row = VRX_defaultfont[8 * (code - 32) + r];
            EXPECT_EQ(row & 0x07, 0) << char(code) << " row " << r;
            ink += __builtin_popcount(row);
        }
        EXPECT_EQ(ink == 0, code == 32 || code == 127) << char(code);
    }
}
