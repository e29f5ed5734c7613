#include "fixture.h"

namespace {
const uint8_t title_row_colour[6] = {19, 19, 18, 17, 16, 16};

void expect_entry(int32_t i, uint8_t r, uint8_t g, uint8_t b) {
    EXPECT_EQ(ColorTable[i][0], r) << "entry " << i;
    EXPECT_EQ(ColorTable[i][1], g) << "entry " << i;
    EXPECT_EQ(ColorTable[i][2], b) << "entry " << i;
}
} // namespace

using Screens = Handheld;

TEST(TitleBitmap, EightCapitalsOnAFourColumnPitchInTheRowGradient) {
    for (int32_t y = 0; y < 6; y++)
        for (int32_t x = 0; x < 48; x++) {
            uint8_t c = title_data[48 * y + x];
            bool in_letter = x >= 4 && x < 36 && (x - 4) % 4 < 3;
            if (!in_letter) {
                EXPECT_EQ(c, 0) << x << "," << y;
            } else if (c) {
                EXPECT_EQ(c, title_row_colour[y]) << x << "," << y;
            }
        }
    // Each letter uses its full 3x6 box: something lit in every column and in the top and
    // bottom rows.
    for (int32_t n = 0; n < 8; n++) {
        int32_t left = 4 + 4 * n;
        for (int32_t k = 0; k < 3; k++) {
            int32_t lit = 0;
            for (int32_t y = 0; y < 6; y++) lit += title_data[48 * y + left + k] != 0;
            EXPECT_GT(lit, 0) << "letter " << n << " column " << k;
        }
        int32_t top = 0, bottom = 0;
        for (int32_t k = 0; k < 3; k++) {
            top += title_data[left + k] != 0;
            bottom += title_data[48 * 5 + left + k] != 0;
        }
        EXPECT_GT(top, 0) << "letter " << n;
        EXPECT_GT(bottom, 0) << "letter " << n;
    }
    // T I N T F A L L: the two Ts and the two Ls are drawn alike.
    for (int32_t y = 0; y < 6; y++)
        for (int32_t k = 0; k < 3; k++) {
            EXPECT_EQ(title_data[48 * y + 4 + k], title_data[48 * y + 16 + k]);
            EXPECT_EQ(title_data[48 * y + 28 + k], title_data[48 * y + 32 + k]);
        }
}

TEST(LogoBitmap, LitCellsFollowTheBandsAndDither) {
    const uint8_t band[8] = {19, 0, 18, 0, 17, 0, 16, 16};
    const uint8_t even[8] = {19, 19, 18, 18, 17, 17, 16, 16};
    const uint8_t odd[8] = {19, 18, 18, 17, 17, 16, 16, 16};
    int32_t lit = 0;
    for (int32_t y = 0; y < 8; y++)
        for (int32_t x = 0; x < 8; x++) {
            uint8_t c = ormwell_data[8 * y + x];
            if (!c) continue;
            lit++;
            uint8_t want = band[y] ? band[y] : (x % 2 == 0 ? even[y] : odd[y]);
            EXPECT_EQ(c, want) << x << "," << y;
        }
    EXPECT_GE(lit, 16);
}

TEST_F(Screens, SplashFadeColours) {
    SplashColors(0);
    for (int32_t i = 16; i < 20; i++) expect_entry(i, 0, 0, 0);
    SplashColors(2);
    for (int32_t i = 16; i < 20; i++) expect_entry(i, 0, 0, 0);
    SplashColors(126);
    expect_entry(16, 0, 1, 3);
    expect_entry(17, 0, 2, 5);
    expect_entry(18, 0, 5, 8);
    expect_entry(19, 2, 8, 11);
    SplashColors(128);
    expect_entry(16, 0, 2, 4);
    expect_entry(17, 0, 3, 6);
    expect_entry(18, 1, 6, 9);
    expect_entry(19, 3, 9, 12);
    SplashColors(64);
    expect_entry(16, 0, 1, 2);
    expect_entry(19, 1, 4, 6);
    expect_entry(15, 7, 11, 8); // neighbours untouched
    expect_entry(20, 3, 0, 3);
}

TEST_F(Screens, SplashRunsWholeAndRestoresTheTable) {
    GlowbyJr::AuxLEDs = 0;
    gamestate = GAME_SPLASH;
    winapi_clock_use_stepping(0, 1);
    VRX_timer_starttick = 0;
    uint32_t frames = VRX_video_numframes;
    SplashScreen();
    EXPECT_EQ(VRX_video_numframes, frames + 128);
    // 128 waits of 20 ms and two of a second.
    EXPECT_GE(millis(), 128u * 20 + 2000);
    EXPECT_LT(millis(), 5000u);
    EXPECT_EQ(gamestate, GAME_TITLE);
    EXPECT_EQ(GlowbyJr::AuxLEDs, 1);
    expect_entry(16, 0, 2, 4);
    expect_entry(19, 3, 9, 12);
    // The last fade step (t = 2) left the logo black on the LEDs, and the logo on the slate.
    for (int32_t x = 0; x < 8; x++)
        for (int32_t y = 0; y < 8; y++) {
            EXPECT_EQ(Glo.GetPixelB(static_cast<uint8_t>(x), static_cast<uint8_t>(y)), 0);
            EXPECT_EQ(ReadPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y)),
                      ormwell_data[8 * y + x]);
        }
}
