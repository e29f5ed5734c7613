// The packaged game's assets as the build leaves them, read through the library from the archive
// behind the game, and the start-up that loads them.
#include "fixture.h"
#include "vrx.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
const std::string game_dir = TINTFALL_DIR;
const std::string game_name = "Ormwell Studios - Tintfall (2010).exe";

std::vector<uint8_t> file_bytes(const std::string &path) {
    std::vector<uint8_t> bytes;
    if (FILE *fp = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(fp)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(fp);
    }
    return bytes;
}

uint32_t pixel(const VRX_Bitmap &b, int32_t x, int32_t y) {
    return vrx_row32(b, y)[x] & 0xFFFFFF;
}

class Assets : public Handheld {
  protected:
    static void SetUpTestSuite() {
        Handheld::SetUpTestSuite();
        vornfile_mountimage((game_dir + "/" + game_name).c_str(), VORNFILE_MOUNT_EXECUTABLE);
    }
    static void TearDownTestSuite() { vornfile_closeimage(); }
};

struct AssetKind {
    const char *name;
    int32_t width, height;
    uint8_t type, bits, map_entries; // map_entries / 256: 0 or 1
};

TEST_F(Assets, EachLoadsWithItsSizeAndKind) {
    const AssetKind kinds[] = {
        {"glowbyjr.tga", 640, 480, 2, 24, 0},
        {"leds.tga", 640, 481, 2, 24, 0},
        {"font_heat.tga", 618, 20, 1, 8, 1},
    };
    for (const AssetKind &k : kinds) {
        SCOPED_TRACE(k.name);
        std::vector<uint8_t> f = file_bytes(game_dir + "/assets/" + k.name);
        ASSERT_GT(f.size(), 18u + 26u);
        size_t map_bytes = k.map_entries ? 256 * 3 : 0;
        size_t pixel_bytes = size_t(k.width) * k.height * k.bits / 8;
        EXPECT_EQ(f.size(), 18 + map_bytes + pixel_bytes + 26);
        EXPECT_EQ(f[1], k.map_entries);
        EXPECT_EQ(f[2], k.type);
        EXPECT_EQ(f[5] | f[6] << 8, k.map_entries ? 256 : 0);
        EXPECT_EQ(f[7], k.map_entries ? 24 : 0);
        EXPECT_EQ(f[16], k.bits);
        EXPECT_EQ(f[17], 0); // bottom row first
        EXPECT_EQ(std::string(f.end() - 18, f.end()), std::string("TRUEVISION-XFILE.\0", 18));

        VRX_Bitmap b{};
        VRX_LoadBitmap(k.name, &b);
        ASSERT_NE(b.data, nullptr);
        EXPECT_EQ(b.width, k.width);
        EXPECT_EQ(b.height, k.height);
        // The first stored pixel is the bottom-left one.
        const uint8_t *p = f.data() + 18 + map_bytes;
        if (k.map_entries) p = f.data() + 18 + 3 * p[0];
        EXPECT_EQ(pixel(b, 0, k.height - 1), uint32_t(p[2] << 16 | p[1] << 8 | p[0]));
        VRX_DeleteBitmap(&b);
    }
}

// How far a run of one colour reaches from (cx, cy) to the right, left, down and up.
std::vector<int32_t> reach(const VRX_Bitmap &b, int32_t cx, int32_t cy) {
    const int32_t dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    std::vector<int32_t> out(4, 0);
    for (int32_t d = 0; d < 4; d++)
        while (out[d] < 20 &&
               pixel(b, cx + dx[d] * (out[d] + 1), cy + dy[d] * (out[d] + 1)) == pixel(b, cx, cy))
            out[d]++;
    return out;
}

// Each socket is a lens of exactly the LED's shape, centred under it.
TEST_F(Assets, EverySocketLiesUnderItsLed) {
    VRX_Bitmap picture{};
    VRX_LoadBitmap("glowbyjr.tga", &picture);
    ASSERT_NE(picture.data, nullptr);
    VRX_ClearColorBitmap(VRX_screenbitmap, 0);
    VRX_DrawFilledCircle(100, 100, 12, 0xFFFFFF, VRX_screenbitmap);
    const std::vector<int32_t> led = reach(VRX_screenbitmap, 100, 100);
    // Left and right of every LED centre (sockets and aux windows) the picture is a mirror
    // image, as far as the socket's rim reaches.
    auto mirrored = [&](int32_t cx, int32_t cy, int32_t span) {
        for (int32_t k = 1; k <= span; k++)
            if (pixel(picture, cx - k, cy) != pixel(picture, cx + k, cy)) return false;
        return true;
    };
    for (int32_t row = 0; row < 8; row++) {
        for (int32_t col = 0; col < 8; col++) {
            EXPECT_EQ(reach(picture, 206 + 31 * col, 356 - 31 * row), led)
                << "socket " << col << "," << row;
            EXPECT_TRUE(mirrored(206 + 31 * col, 356 - 31 * row, 15))
                << "socket " << col << "," << row;
        }
    }
    for (int32_t i = 0; i < 8; i++) EXPECT_TRUE(mirrored(210 + 30 * i, 115, 10)) << "aux " << i;
    // With every LED lit, no lens pixel is left showing anywhere on the panel.
    uint32_t lens = pixel(picture, 206, 356);
    VRX_DrawBitmap(0, 0, picture, VRX_screenbitmap);
    GlowbyJr::AuxLEDs = 0xFF;
    for (uint8_t &level : GlowbyJr::GlowbyFrame) level = 15;
    Glo.update_glowbyjr();
    int32_t showing = 0;
    for (int32_t y = 120; y < 380; y++)
        for (int32_t x = 180; x < 450; x++) showing += pixel(VRX_screenbitmap, x, y) == lens;
    EXPECT_EQ(showing, 0);
    VRX_DeleteBitmap(&picture);
}

TEST_F(Assets, HeatFontYieldsEveryGlyph) {
    VRX_Font font{};
    VRX_InitFont("font_heat.tga", &font);
    EXPECT_EQ(font.count, 96);
    EXPECT_EQ(font.height, 19);
    int32_t total = 0;
    for (int32_t g = 0; g < 96; g++) total += font.widths[g];
    EXPECT_EQ(total, 618);
    // The space, the exclamation mark and the double quote.
    EXPECT_EQ(font.widths[1], 9);
    EXPECT_EQ(font.widths[2], 3);
    EXPECT_EQ(font.widths[3], 6);
    for (int32_t g = 1; g < 96; g++) EXPECT_NE(font.glyphs[g].data, nullptr) << "glyph " << g;
    VRX_DeleteFont(&font);
}

// The start-up run from the game's folder: the bare device is on screen when setup() is done,
// and the first frame lights the LEDs over it.
TEST(Startup, ShowsTheBareDeviceThenTheLeds) {
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(game_dir.c_str()), 0);
    winapi_clock_use_stepping(5000, 1000); // every busy wait ends at its next reading
    VRX_Initialise();
    static TintfallAssets assets{};
    tintfall_startup(&assets);
    ASSERT_EQ(chdir(here), 0);
    ASSERT_NE(assets.picture.data, nullptr);
    ASSERT_NE(assets.led_sheet.data, nullptr);
    EXPECT_EQ(assets.font.count, 96);
    ASSERT_EQ(VRX_screenbitmap.size, assets.picture.size);
    EXPECT_EQ(std::memcmp(VRX_screenbitmap.data, assets.picture.data, assets.picture.size), 0);
    EXPECT_EQ(gamestate, GAME_SPLASH);

    tintfall_frame(assets); // the whole splash, then the first title step
    EXPECT_EQ(gamestate, GAME_TITLE);
    EXPECT_EQ(pixel(VRX_screenbitmap, 206, 356), 0x404040u); // bottom row dark
    EXPECT_EQ(pixel(VRX_screenbitmap, 210, 115), 0xFFAA00u); // first aux LED
    EXPECT_EQ(pixel(VRX_screenbitmap, 240, 115), pixel(assets.picture, 240, 115));
    EXPECT_EQ(pixel(VRX_screenbitmap, 320, 460), pixel(assets.picture, 320, 460));
    winapi_clock_use_real();
    // The game never stops its sound; a test process must, before its exit tears things down.
    Soundsystem_Closedown();
}
} // namespace
