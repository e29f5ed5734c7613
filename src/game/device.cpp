// The device model: LED state, its drawing as discs, buttons, tones and timing.
#include "game/tintfall.h"

#include "graphics/primitives.h"
#include "hw_common/timer.h"
#include "video/input.h"
#include "video/video.h"

uint8_t GlowbyJr::GlowbyFrame[192];
uint8_t GlowbyJr::AuxLEDs;
uint8_t GlowbyJr::SoundAllowed;
uint8_t GlowbyJr::SoundEnabled;
uint8_t GlowbyJr::currentCol;
uint8_t GlowbyJr::currentBrightness;
uint8_t *GlowbyJr::currentColPtr;
uint32_t GlowbyJr::ToneTimeRemaining;

GlowbyJr Glo;
uint8_t PINC;

GlowbyJr::GlowbyJr() {
    AuxLEDs = 0;
    currentColPtr = GlowbyFrame;
    currentCol = 0;
    currentBrightness = 0;
    SoundEnabled = 0;
    ToneTimeRemaining = 0;
    ClearGlowby();
}

// Level 0 still glows dark grey; from level 12 up the channel is saturated.
static uint32_t led_channel(uint8_t level) {
    uint32_t v = level * 16u + 64u;
    return v > 255u ? 255u : v;
}

void GlowbyJr::update_glowbyjr() {
    for (int32_t i = 0; i < 8; i++) {
        if (AuxLEDs & (1u << i))
            VRX_DrawFilledCircle(210 + 30 * i, 115, 6, 0xFFAA00, VRX_screenbitmap);
    }
    for (int32_t y = 0; y < 8; y++) {
        for (int32_t x = 0; x < 8; x++) {
            const uint8_t *col = GlowbyFrame + 24 * x;
            uint32_t rgb =
                led_channel(col[16 + y]) << 16 | led_channel(col[8 + y]) << 8 | led_channel(col[y]);
            VRX_DrawFilledCircle(206 + 31 * x, 356 - 31 * y, 12, rgb, VRX_screenbitmap);
        }
    }
    VRX_SwapBuffers();
}

void GlowbyJr::ClearGlowby() {
    for (uint8_t &b : GlowbyFrame) b = 0;
}

// Coordinates wrap modulo 8 so that no index leaves the frame.
static uint32_t frame_index(uint8_t x, uint8_t y) {
    return 24u * (x & 7u) + (y & 7u);
}

void GlowbyJr::SetPxClr(uint8_t x, uint8_t y, const uint8_t *rgb) {
    uint32_t i = frame_index(x, y);
    GlowbyFrame[i] = rgb[2];
    GlowbyFrame[i + 8] = rgb[1];
    GlowbyFrame[i + 16] = rgb[0];
}

void GlowbyJr::ClearPixel(uint8_t x, uint8_t y) {
    uint32_t i = frame_index(x, y);
    GlowbyFrame[i] = 0;
    GlowbyFrame[i + 8] = 0;
    GlowbyFrame[i + 16] = 0;
}

uint8_t GlowbyJr::GetPixelR(uint8_t x, uint8_t y) {
    return GlowbyFrame[frame_index(x, y) + 16];
}

uint8_t GlowbyJr::GetPixelG(uint8_t x, uint8_t y) {
    return GlowbyFrame[frame_index(x, y) + 8];
}

uint8_t GlowbyJr::GetPixelB(uint8_t x, uint8_t y) {
    return GlowbyFrame[frame_index(x, y)];
}

uint8_t GlowbyJr::GetButtons() {
    uint32_t keys = 0;
    VRX_GetKeys(&keys, nullptr);
    uint8_t b = 0;
    if (keys & VRX_KEY_CONTROL) b |= GLOWBY_B;
    if (keys & VRX_KEY_SPACE) b |= GLOWBY_A;
    if (keys & VRX_KEY_UP) b |= GLOWBY_UP;
    if (keys & VRX_KEY_DOWN) b |= GLOWBY_DOWN;
    if (keys & VRX_KEY_LEFT) b |= GLOWBY_LEFT;
    if (keys & VRX_KEY_RIGHT) b |= GLOWBY_RIGHT;
    PINC = static_cast<uint8_t>(~b);
    return b;
}

// Tones are recorded only; nothing sounds them.
void GlowbyJr::StartTone(uint32_t tone, uint32_t duration) {
    (void)tone;
    SoundState(1);
    ToneTimeRemaining = duration;
}

void GlowbyJr::SoundState(uint8_t on) {
    SoundEnabled = (on != 0 && SoundAllowed != 0) ? 1 : 0;
}

// Busy wait: the logic thread never sleeps.
void delay(int32_t ms) {
    uint32_t start = VRX_timer_getmillis();
    uint32_t now;
    do {
        now = VRX_timer_getmillis();
    } while (static_cast<int32_t>(now - start) < ms);
}

uint32_t millis() {
    return VRX_timer_getmillis();
}
