#include "fixture.h"

namespace {
const uint32_t backdrop = 0x123456;

void draw_frame() {
    VRX_ClearColorBitmap(VRX_screenbitmap, backdrop);
    Glo.update_glowbyjr();
}
} // namespace

using Device = Handheld;

TEST_F(Device, ClearedFrameDrawsSixtyFourDarkDiscsAndNoAuxLeds) {
    GlowbyJr::AuxLEDs = 0;
    uint32_t frames = VRX_video_numframes;
    draw_frame();
    EXPECT_EQ(VRX_video_numframes, frames + 1); // presented once
    for (int32_t y = 0; y < 8; y++)
        for (int32_t x = 0; x < 8; x++) EXPECT_EQ(disc_at(x, y), 0x404040u) << x << "," << y;
    for (int32_t i = 0; i < 8; i++) EXPECT_EQ(screen_at(210 + 30 * i, 115), backdrop);
    // Radius 12 reaches 12 pixels out on the centre row but only 11 rows up and down.
    EXPECT_EQ(screen_at(206, 356), 0x404040u);
    EXPECT_EQ(screen_at(423, 139), 0x404040u);
    EXPECT_EQ(screen_at(206 + 12, 356), 0x404040u);
    EXPECT_EQ(screen_at(206 + 13, 356), backdrop);
    EXPECT_EQ(screen_at(206, 356 - 11), 0x404040u);
    EXPECT_EQ(screen_at(206, 356 - 12), backdrop);
    EXPECT_EQ(screen_at(206, 356 + 12), backdrop);
}

TEST_F(Device, LevelsMapToChannelBrightness) {
    const uint8_t c11_12_0[3] = {11, 12, 0}; // red, green, blue
    const uint8_t c13_14_15[3] = {13, 14, 15};
    const uint8_t c1_2_3[3] = {1, 2, 3};
    Glo.SetPxClr(0, 0, c11_12_0);
    Glo.SetPxClr(7, 7, c13_14_15);
    Glo.SetPxClr(3, 5, c1_2_3);
    draw_frame();
    EXPECT_EQ(disc_at(0, 0), 0xF0FF40u);
    EXPECT_EQ(disc_at(7, 7), 0xFFFFFFu);
    EXPECT_EQ(disc_at(3, 5), 0x506070u);
    EXPECT_EQ(disc_at(5, 3), 0x404040u);
    EXPECT_EQ(screen_at(423, 139), 0xFFFFFFu); // column 7, row 7 is top right
}

TEST_F(Device, LitAuxLedsAreSmallAmberDiscsOnTheirLine) {
    GlowbyJr::AuxLEDs = 0x81;
    draw_frame();
    EXPECT_EQ(screen_at(210, 115), 0xFFAA00u);
    EXPECT_EQ(screen_at(420, 115), 0xFFAA00u);
    for (int32_t i = 1; i < 7; i++) EXPECT_EQ(screen_at(210 + 30 * i, 115), backdrop) << i;
    EXPECT_EQ(screen_at(210 + 6, 115), 0xFFAA00u);
    EXPECT_EQ(screen_at(210 + 7, 115), backdrop);
    EXPECT_EQ(screen_at(210, 115 + 5), 0xFFAA00u);
    EXPECT_EQ(screen_at(210, 115 + 6), backdrop);
    EXPECT_EQ(screen_at(210, 115 - 6), backdrop);
}

TEST_F(Device, FrameHoldsBlueGreenRedPlanesPerColumn) {
    const uint8_t rgb[3] = {9, 5, 2};
    Glo.SetPxClr(2, 3, rgb);
    EXPECT_EQ(GlowbyJr::GlowbyFrame[24 * 2 + 3], 2);
    EXPECT_EQ(GlowbyJr::GlowbyFrame[24 * 2 + 8 + 3], 5);
    EXPECT_EQ(GlowbyJr::GlowbyFrame[24 * 2 + 16 + 3], 9);
    EXPECT_EQ(Glo.GetPixelR(2, 3), 9);
    EXPECT_EQ(Glo.GetPixelG(2, 3), 5);
    EXPECT_EQ(Glo.GetPixelB(2, 3), 2);
    Glo.ClearPixel(2, 3);
    for (uint8_t b : GlowbyJr::GlowbyFrame) EXPECT_EQ(b, 0);
}

TEST_F(Device, FrameCoordinatesWrapInsideTheFrame) {
    const uint8_t rgb[3] = {7, 8, 9};
    Glo.SetPxClr(8, 9, rgb); // same LED as (0, 1)
    EXPECT_EQ(Glo.GetPixelR(0, 1), 7);
    EXPECT_EQ(Glo.GetPixelB(255, 255), 0);
    Glo.SetPxClr(255, 255, rgb);
    EXPECT_EQ(Glo.GetPixelG(7, 7), 8);
    Glo.ClearPixel(15, 15);
    EXPECT_EQ(Glo.GetPixelG(7, 7), 0);
}

TEST_F(Device, ConstructorResetsSharedStateButNotSoundPermission) {
    const uint8_t rgb[3] = {1, 1, 1};
    Glo.SetPxClr(4, 4, rgb);
    GlowbyJr::AuxLEDs = 0xFF;
    GlowbyJr::ToneTimeRemaining = 99;
    GlowbyJr::SoundAllowed = 1;
    GlowbyJr::SoundEnabled = 1;
    GlowbyJr another;
    EXPECT_EQ(GlowbyJr::AuxLEDs, 0);
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 0u);
    EXPECT_EQ(GlowbyJr::SoundEnabled, 0);
    EXPECT_EQ(GlowbyJr::SoundAllowed, 1);
    EXPECT_EQ(GlowbyJr::currentColPtr, GlowbyJr::GlowbyFrame);
    EXPECT_EQ(Glo.GetPixelR(4, 4), 0);
    GlowbyJr::SoundAllowed = 0;
}

TEST_F(Device, ButtonsComeFromTheHeldKeySet) {
    EXPECT_EQ(Glo.GetButtons(), 0);
    EXPECT_EQ(PINC, 0xFF);
    hold(KEY_A);
    hold(KEY_B);
    EXPECT_EQ(Glo.GetButtons(), 3);
    EXPECT_EQ(PINC, 0xFC);
    EXPECT_EQ(Glo.GetButtons(), 3); // held, not newly pressed
    release_all_keys();
    const struct {
        uint32_t vk;
        uint8_t button;
    } map[] = {{KEY_UP, 4}, {KEY_DOWN, 8}, {KEY_LEFT, 16}, {KEY_RIGHT, 32}};
    for (auto m : map) {
        hold(m.vk);
        EXPECT_EQ(Glo.GetButtons(), m.button) << m.vk;
        EXPECT_EQ(PINC, static_cast<uint8_t>(~m.button));
        release(m.vk);
    }
    hold(16); // Shift and Return are not buttons
    hold(13);
    EXPECT_EQ(Glo.GetButtons(), 0);
}

TEST_F(Device, TonesAreRecordedSilently) {
    Glo.StartTone(18182, 50);
    EXPECT_EQ(GlowbyJr::SoundEnabled, 0); // sound never allowed
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 50u);
    GlowbyJr::SoundAllowed = 1;
    Glo.SoundState(1);
    EXPECT_EQ(GlowbyJr::SoundEnabled, 1);
    Glo.SoundState(0);
    EXPECT_EQ(GlowbyJr::SoundEnabled, 0);
    GlowbyJr::SoundAllowed = 0;
}

TEST_F(Device, DelayReadsTheClockUntilTheTimeHasPassed) {
    winapi_clock_use_stepping(0, 1);
    VRX_timer_starttick = 0;
    delay(0); // two readings: 0, 1
    EXPECT_EQ(millis(), 2u);
    delay(-5); // 3, 4
    EXPECT_EQ(millis(), 5u);
    delay(10); // 6 .. 16
    EXPECT_EQ(millis(), 17u);
    winapi_clock_use_manual(1000);
    VRX_timer_starttick = 400;
    EXPECT_EQ(millis(), 600u);
    VRX_timer_starttick = 0;
}
