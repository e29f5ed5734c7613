#include "fixture.h"

#include <cstring>

namespace {
// Taken before any test can run InitColors.
struct TableCopy {
    uint8_t v[32][3];
};
const TableCopy table_at_load = [] {
    TableCopy t;
    std::memcpy(t.v, ColorTable, sizeof t.v);
    return t;
}();

const uint8_t handheld_defaults[16][3] = {
    {0, 0, 0}, {6, 0, 0}, {12, 5, 0}, {7, 10, 0}, {0, 15, 0}, {0, 0, 5}, {8, 0, 4}, {3, 15, 2},
    {1, 0, 0}, {1, 1, 0}, {1, 1, 0},  {0, 1, 0},  {0, 3, 1},  {0, 0, 1}, {2, 0, 1}, {15, 15, 15}};

const uint8_t game_palette[32][3] = {
    {0, 0, 0}, {15, 15, 15}, {15, 15, 4}, {15, 8, 0}, {3, 2, 2}, {9, 6, 3}, {9, 6, 3},  {9, 8, 8},
    {3, 0, 0}, {6, 0, 1},    {10, 0, 2},  {12, 0, 3}, {0, 5, 2}, {2, 7, 4}, {4, 9, 6},  {7, 11, 8},
    {0, 2, 4}, {0, 3, 6},    {1, 6, 9},   {3, 9, 12}, {3, 0, 3}, {5, 1, 6}, {8, 4, 10}, {11, 9, 12},
    {3, 2, 0}, {6, 4, 2},    {9, 6, 3},   {12, 8, 4}, {1, 6, 2}, {2, 7, 4}, {4, 9, 6},  {7, 11, 8}};

void expect_buttons(uint8_t a, uint8_t b, uint8_t up, uint8_t down, uint8_t left, uint8_t right) {
    EXPECT_EQ(Button_A, a);
    EXPECT_EQ(Button_B, b);
    EXPECT_EQ(Button_Up, up);
    EXPECT_EQ(Button_Down, down);
    EXPECT_EQ(Button_Left, left);
    EXPECT_EQ(Button_Right, right);
}
} // namespace

using Interface = Handheld;

TEST_F(Interface, ColorTableBeforeAndAfterInitColors) {
    for (int32_t i = 0; i < 32; i++)
        for (int32_t c = 0; c < 3; c++)
            EXPECT_EQ(table_at_load.v[i][c], i < 16 ? handheld_defaults[i][c] : 0) << i;
    GlowbyJr::AuxLEDs = 0;
    std::memset(ColorTable, 0x55, sizeof ColorTable);
    InitColors();
    EXPECT_EQ(GlowbyJr::AuxLEDs, 1);
    EXPECT_EQ(std::memcmp(ColorTable, game_palette, sizeof ColorTable), 0);
}

TEST_F(Interface, EditColorSetsOneEntryAndWrapsLargeIndices) {
    EditColor(5, 1, 2, 3);
    EXPECT_EQ(ColorTable[5][0], 1);
    EXPECT_EQ(ColorTable[5][1], 2);
    EXPECT_EQ(ColorTable[5][2], 3);
    EXPECT_EQ(ColorTable[6][0], 9);
    EditColor(33, 4, 5, 6); // entry 1
    EXPECT_EQ(ColorTable[1][0], 4);
    EXPECT_EQ(ColorTable[1][2], 6);
    EditColor(255, 7, 7, 7); // entry 31
    EXPECT_EQ(ColorTable[31][1], 7);
}

TEST_F(Interface, HeldButtonReportsOnceAsPress) {
    hold(KEY_A);
    CheckButtonsPress();
    expect_buttons(2, 0, 0, 0, 0, 0);
    CheckButtonsPress();
    expect_buttons(0, 0, 0, 0, 0, 0);
    release(KEY_A);
    CheckButtonsPress();
    expect_buttons(0, 0, 0, 0, 0, 0);
    hold(KEY_A);
    hold(KEY_RIGHT);
    hold(KEY_B);
    hold(KEY_UP);
    hold(KEY_DOWN);
    hold(KEY_LEFT);
    CheckButtonsPress();
    expect_buttons(2, 1, 4, 8, 16, 32); // masks, not flags
    EXPECT_EQ(lastButtonState, 63);
}

TEST_F(Interface, HeldCheckRepeatsAndMovesThePressReference) {
    hold(KEY_A);
    CheckButtonsDown();
    expect_buttons(2, 0, 0, 0, 0, 0);
    CheckButtonsDown();
    expect_buttons(2, 0, 0, 0, 0, 0);
    CheckButtonsPress(); // A was already seen by the held check
    expect_buttons(0, 0, 0, 0, 0, 0);
    release(KEY_A);
    CheckButtonsDown();
    expect_buttons(0, 0, 0, 0, 0, 0);
}

TEST_F(Interface, ButtonHeldThroughSetupIsNoPress) {
    const uint8_t rgb[3] = {3, 3, 3};
    Glo.SetPxClr(1, 1, rgb);
    GlowbyJr::AuxLEDs = 0x0F;
    GlowbyJr::ToneTimeRemaining = 40;
    hold(KEY_A);
    GlowbyJrSimpleSetup();
    EXPECT_EQ(GlowbyJr::AuxLEDs, 0);
    EXPECT_EQ(Glo.GetPixelG(1, 1), 0);
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 0u);
    EXPECT_EQ(GlowbyJr::SoundEnabled, 0);
    CheckButtonsPress();
    EXPECT_EQ(Button_A, 0);
    release(KEY_A);
    CheckButtonsPress();
    EXPECT_EQ(Button_A, 0);
    hold(KEY_A);
    CheckButtonsPress();
    EXPECT_EQ(Button_A, 2);
}

TEST_F(Interface, AuxLedsPlainAndBitReversed) {
    SetAuxLEDs(1);
    EXPECT_EQ(GlowbyJr::AuxLEDs, 0x01);
    SetAuxLEDsBinary(1);
    EXPECT_EQ(GlowbyJr::AuxLEDs, 0x80);
    for (uint32_t v = 0; v < 256; v++) {
        SetAuxLEDsBinary(static_cast<uint8_t>(v));
        for (int32_t k = 0; k < 8; k++)
            ASSERT_EQ((GlowbyJr::AuxLEDs >> (7 - k)) & 1, (v >> k) & 1) << v;
    }
}

TEST_F(Interface, SlateAccessInDeviceAndGameCoordinates) {
    for (uint32_t i = 0; i < 64; i++) GameSlate[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(ReadPx(0, 0), 0);     // bottom left
    EXPECT_EQ(ReadPixel(0, 0), 7);  // top left
    EXPECT_EQ(ReadPixel(8, 8), 7);  // wraps to (0, 0)
    EXPECT_EQ(ReadPixel(3, 9), 30); // row 9 is row 1
    EXPECT_EQ(ReadPixel(7, 7), 56); // bottom right
    EXPECT_EQ(ReadPx(7, 7), 63);
    DrawPx(2, 1, 99);
    EXPECT_EQ(GameSlate[17], 99);
    DrawPx(10, 9, 42); // wraps to (2, 1)
    EXPECT_EQ(GameSlate[17], 42);
    EXPECT_EQ(ReadPx(10, 9), 42);
    ClearSlate();
    for (uint8_t c : GameSlate) EXPECT_EQ(c, 0);
}

TEST_F(Interface, DisplaySlateLightsTheLedsThroughTheColorTable) {
    DrawPx(2, 3, 19); // blue, brightest: (3, 9, 12)
    DrawPx(0, 7, 2);  // yellow: (15, 15, 4)
    DrawPx(5, 0, 33); // wraps to white
    uint32_t frames = VRX_video_numframes;
    DisplaySlate();
    EXPECT_EQ(VRX_video_numframes, frames + 1);
    EXPECT_EQ(Glo.GetPixelR(2, 3), 3);
    EXPECT_EQ(Glo.GetPixelG(2, 3), 9);
    EXPECT_EQ(Glo.GetPixelB(2, 3), 12);
    EXPECT_EQ(disc_at(2, 3), 0x70D0FFu);
    EXPECT_EQ(disc_at(0, 7), 0xFFFF80u);
    EXPECT_EQ(disc_at(5, 0), 0xFFFFFFu);
    EXPECT_EQ(GameSlate[8 * 2 + 3], 19); // slate untouched
    ClearSlate();
    DisplaySlate();
    for (int32_t y = 0; y < 8; y++)
        for (int32_t x = 0; x < 8; x++) EXPECT_EQ(disc_at(x, y), 0x404040u);
}

TEST_F(Interface, ToneStartRecordsOnTheDevice) {
    Tone_Start(6810, 77);
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 77u);
    EXPECT_EQ(GlowbyJr::SoundEnabled, 0);
}
