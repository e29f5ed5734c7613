// The handheld's programming interface: slate, buttons, auxiliary LEDs and tones.
#include "game/tintfall.h"

uint8_t GameSlate[64];
uint8_t lastButtonState;
uint8_t Button_A, Button_B, Button_Up, Button_Down, Button_Left, Button_Right;

void GlowbyJrSimpleSetup() {
    GlowbyJr(); // the state is shared, so a temporary resets Glo
    lastButtonState = Glo.GetButtons();
    Glo.StartTone(0, 0);
    Glo.SoundState(0);
}

static void set_buttons(uint8_t b) {
    Button_B = b & GLOWBY_B;
    Button_A = b & GLOWBY_A;
    Button_Up = b & GLOWBY_UP;
    Button_Down = b & GLOWBY_DOWN;
    Button_Left = b & GLOWBY_LEFT;
    Button_Right = b & GLOWBY_RIGHT;
}

void CheckButtonsDown() {
    uint8_t b = Glo.GetButtons();
    set_buttons(b);
    lastButtonState = b;
}

void CheckButtonsPress() {
    uint8_t b = Glo.GetButtons();
    set_buttons(static_cast<uint8_t>(b & ~lastButtonState));
    lastButtonState = b;
}

void SetAuxLEDs(uint8_t v) {
    Glo.AuxLEDs = v;
}

void SetAuxLEDsBinary(uint8_t v) {
    v = static_cast<uint8_t>((v & 0xF0) >> 4 | (v & 0x0F) << 4);
    v = static_cast<uint8_t>((v & 0xCC) >> 2 | (v & 0x33) << 2);
    v = static_cast<uint8_t>((v & 0xAA) >> 1 | (v & 0x55) << 1);
    Glo.AuxLEDs = v;
}

// Device coordinates (y from the bottom); both wrap modulo 8 so no index leaves the slate.
void DrawPx(uint8_t x, uint8_t y, uint8_t c) {
    GameSlate[8 * (x & 7) + (y & 7)] = c;
}

uint8_t ReadPx(uint8_t x, uint8_t y) {
    return GameSlate[8 * (x & 7) + (y & 7)];
}

// Top-down coordinates, as the game draws.
uint8_t ReadPixel(uint8_t x, uint8_t y) {
    return GameSlate[8 * (x & 7) + ((7 - y) & 7)];
}

void ClearSlate() {
    for (uint8_t &c : GameSlate) c = 0;
}

void DisplaySlate() {
    for (uint8_t x = 0; x < 8; x++) {
        for (int32_t y = 7; y >= 0; y--) {
            Glo.SetPxClr(x, static_cast<uint8_t>(y), ColorTable[GameSlate[8 * x + y] & 31]);
        }
    }
    Glo.update_glowbyjr();
}

void Tone_Start(uint32_t tone, uint32_t duration) {
    Glo.StartTone(tone, duration);
}
