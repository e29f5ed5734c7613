#include "fixture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {
const uint32_t backdrop = 0x123456;

// The colour table the handheld starts with, copied before any test runs InitColors.
struct Table {
    uint8_t rgb[32][3];
};
const Table table_at_load = [] {
    Table t;
    std::memcpy(t.rgb, ColorTable, sizeof t.rgb);
    return t;
}();

using Six = std::array<uint8_t, 6>; // A, B, Up, Down, Left, Right
Six buttons() {
    return {Button_A, Button_B, Button_Up, Button_Down, Button_Left, Button_Right};
}
} // namespace

using Device = Handheld;

TEST_F(Device, DisplaySlateDrawsDiscsThroughTheColorTable) {
    EditColor(5, 11, 0, 12); // 11 -> 240, 0 -> 64, 12 and up -> 255
    EditColor(6, 13, 14, 15);
    DrawPx(0, 0, 5);          // bottom left
    DrawPx(7, 7, 6);          // top right
    DrawPx(5, 0, 33);         // index wraps to 1, white
    GlowbyJr::AuxLEDs = 0x81; // leftmost and rightmost
    VRX_ClearColorBitmap(VRX_screenbitmap, backdrop);
    uint32_t frames = VRX_video_numframes;
    DisplaySlate();
    EXPECT_EQ(VRX_video_numframes, frames + 1);
    EXPECT_EQ(GameSlate[40], 33); // slate untouched
    // Discs of radius 12 reach 12 pixels out on the centre row but only 11 rows up and down;
    // auxiliary LEDs are amber discs of radius 6 at x = 210 + 30i, y = 115.
    const struct {
        int32_t x, y;
        uint32_t rgb;
    } points[] = {
        // LEDs (0, 0), (7, 7), (5, 0), (1, 0); the edges of (1, 0); auxiliary LED 0
        {206, 356, 0xF040FF}, {423, 139, 0xFFFFFF}, {361, 356, 0xFFFFFF}, {237, 356, 0x404040},
        {249, 356, 0x404040}, {250, 356, backdrop}, {237, 345, 0x404040}, {237, 344, backdrop},
        {237, 368, backdrop}, {210, 115, 0xFFAA00}, {420, 115, 0xFFAA00}, {216, 115, 0xFFAA00},
        {217, 115, backdrop}, {210, 120, 0xFFAA00}, {210, 121, backdrop}, {210, 109, backdrop}};
    for (auto p : points) EXPECT_EQ(screen_at(p.x, p.y), p.rgb) << p.x << "," << p.y;

    GlowbyJr::AuxLEDs = 0;
    ClearSlate();
    VRX_ClearColorBitmap(VRX_screenbitmap, backdrop);
    DisplaySlate();
    for (int32_t y = 0; y < 8; y++)
        for (int32_t x = 0; x < 8; x++) EXPECT_EQ(disc_at(x, y), 0x404040u) << x << "," << y;
    for (int32_t i = 0; i < 8; i++) EXPECT_EQ(screen_at(210 + 30 * i, 115), backdrop) << i;
}

TEST_F(Device, ButtonsComeFromTheHeldKeySet) {
    const struct {
        std::vector<uint32_t> keys;
        uint8_t buttons;
    } cases[] = {{{}, 0},          {{KEY_A, KEY_B}, 3}, {{KEY_UP}, 4}, {{KEY_DOWN}, 8},
                 {{KEY_LEFT}, 16}, {{KEY_RIGHT}, 32},   {{16, 13}, 0}}; // Shift, Return: none
    for (const auto &c : cases) {
        release_all_keys();
        for (uint32_t vk : c.keys) hold(vk);
        EXPECT_EQ(Glo.GetButtons(), c.buttons);
        EXPECT_EQ(Glo.GetButtons(), c.buttons); // held, not newly pressed
        EXPECT_EQ(PINC, static_cast<uint8_t>(~c.buttons));
    }
}

TEST_F(Device, PressesReportOnceAndNotThroughSetup) {
    hold(KEY_A);
    GlowbyJrSimpleSetup(); // also resets the device
    EXPECT_EQ(GlowbyJr::AuxLEDs, 0);
    CheckButtonsPress();
    EXPECT_EQ(Button_A, 0); // held through set-up
    release(KEY_A);
    CheckButtonsPress();
    for (uint32_t vk : {KEY_A, KEY_B, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT}) hold(vk);
    CheckButtonsPress();
    EXPECT_EQ(buttons(), (Six{2, 1, 4, 8, 16, 32})); // masks, not flags
    CheckButtonsPress();
    EXPECT_EQ(buttons(), (Six{0, 0, 0, 0, 0, 0}));
    CheckButtonsDown(); // held buttons, every time
    EXPECT_EQ(buttons(), (Six{2, 1, 4, 8, 16, 32}));
}

// Slate indices on screen, LED (i, 0) showing the i-th index: the handheld's start-up levels,
// then the game's palette, then an edited entry (its index wraps). Level v glows 16v + 64.
TEST_F(Device, ColourTableOnScreenAtStartAndAfterInitColors) {
    const uint8_t index[] = {1, 3, 4, 10, 15, 16};
    const auto show = [&index] {
        for (uint8_t i = 0; i < 6; i++) DrawPx(i, 0, index[i]);
        VRX_ClearColorBitmap(VRX_screenbitmap, backdrop);
        DisplaySlate();
        std::vector<uint32_t> rgb;
        for (int32_t i = 0; i < 6; i++) rgb.push_back(disc_at(i, 0));
        return rgb;
    };
    std::memcpy(ColorTable, table_at_load.rgb, sizeof ColorTable);
    EXPECT_EQ(show(),
              (std::vector<uint32_t>{0xA04040, 0xB0E040, 0x40FF40, 0x505040, 0xFFFFFF, 0x404040}));
    std::memset(ColorTable, 0x55, sizeof ColorTable);
    SetAuxLEDs(0x80);
    InitColors();
    EXPECT_EQ(show(),
              (std::vector<uint32_t>{0xFFFFFF, 0xFFC040, 0x706060, 0xE04060, 0xB0F0C0, 0x406080}));
    EXPECT_EQ(screen_at(210, 115), 0xFFAA00u); // the leftmost auxiliary LED alone
    EXPECT_EQ(screen_at(420, 115), backdrop);
    EditColor(33, 4, 5, 6);
    EXPECT_EQ(show()[0], 0x8090A0u);
}

TEST_F(Device, AuxLedBitsFramePlanesAndSlateCoordinates) {
    for (uint32_t v = 0; v < 256; v++) {
        SetAuxLEDsBinary(static_cast<uint8_t>(v));
        for (int32_t k = 0; k < 8; k++)
            ASSERT_EQ((GlowbyJr::AuxLEDs >> (7 - k)) & 1, (v >> k) & 1) << v;
    }
    for (uint32_t i = 0; i < 64; i++) GameSlate[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(ReadPx(0, 0), 0);     // bottom left
    EXPECT_EQ(ReadPixel(0, 0), 7);  // top left
    EXPECT_EQ(ReadPixel(8, 8), 7);  // wraps to (0, 0)
    EXPECT_EQ(ReadPixel(3, 9), 30); // row 9 is row 1
    DrawPx(10, 9, 99);              // wraps to (2, 1)
    EXPECT_EQ(GameSlate[17], 99);
    // The frame holds blue, green and red planes: 24x + y, then + 8 and + 16.
    using Rgb = std::array<uint8_t, 3>;
    const uint8_t *f = GlowbyJr::GlowbyFrame;
    Glo.SetPxClr(2, 3, Rgb{9, 5, 2}.data());
    EXPECT_EQ((Rgb{f[51], f[59], f[67]}), (Rgb{2, 5, 9}));
    EXPECT_EQ((Rgb{Glo.GetPixelR(2, 3), Glo.GetPixelG(10, 11), Glo.GetPixelB(2, 3)}),
              (Rgb{9, 5, 2}));
    Glo.ClearPixel(10, 11); // same LED
    EXPECT_EQ(std::count(f, f + 192, 0), 192);
}
