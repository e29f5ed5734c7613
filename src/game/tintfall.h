// The handheld and the game that runs on it: the device model, the handheld's programming
// interface and colour table, the game's drawing layer and screens, and the game rules.
#pragma once
#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/font.h"

// ---- Device model ----

// Stands in for the handheld's hardware. All state is shared (static), so every instance is the
// same device; constructing one resets that state.
class GlowbyJr {
  public:
    GlowbyJr();

    // Frame of LED levels 0..15: column x, row y (0 at the bottom) holds blue at 24*x + y,
    // green at 24*x + 8 + y and red at 24*x + 16 + y.
    static uint8_t GlowbyFrame[192];
    static uint8_t AuxLEDs; // bit i lights auxiliary LED i from the left
    static uint8_t SoundAllowed;
    static uint8_t SoundEnabled;
    static uint8_t currentCol;
    static uint8_t currentBrightness;
    static uint8_t *currentColPtr;
    static uint32_t ToneTimeRemaining;

    static void update_glowbyjr();
    static void ClearGlowby();
    static void SetPxClr(uint8_t x, uint8_t y, const uint8_t *rgb);
    static void ClearPixel(uint8_t x, uint8_t y);
    static uint8_t GetPixelR(uint8_t x, uint8_t y);
    static uint8_t GetPixelG(uint8_t x, uint8_t y);
    static uint8_t GetPixelB(uint8_t x, uint8_t y);
    static uint8_t GetButtons();
    static void StartTone(uint32_t tone, uint32_t duration);
    static void SoundState(uint8_t on);
};

// Button byte bits.
enum : uint8_t {
    GLOWBY_B = 1,
    GLOWBY_A = 2,
    GLOWBY_UP = 4,
    GLOWBY_DOWN = 8,
    GLOWBY_LEFT = 16,
    GLOWBY_RIGHT = 32
};

extern GlowbyJr Glo;
extern uint8_t PINC; // complement of the last button byte: a held button reads 0

void delay(int32_t ms);
uint32_t millis();

// ---- Handheld programming interface ----

extern uint8_t GameSlate[64];     // cell (x, y) at 8*x + y, y from the bottom; colour indices
extern uint8_t ColorTable[32][3]; // red, green, blue levels 0..15
extern uint8_t lastButtonState;
extern uint8_t Button_A, Button_B, Button_Up, Button_Down, Button_Left, Button_Right;

void GlowbyJrSimpleSetup();
void CheckButtonsDown();
void CheckButtonsPress();
void SetAuxLEDs(uint8_t v);
void SetAuxLEDsBinary(uint8_t v);
void DrawPx(uint8_t x, uint8_t y, uint8_t c);
uint8_t ReadPx(uint8_t x, uint8_t y);
uint8_t ReadPixel(uint8_t x, uint8_t y);
void ClearSlate();
void DisplaySlate();
void Tone_Start(uint32_t tone, uint32_t duration);
void EditColor(uint8_t i, uint8_t r, uint8_t g, uint8_t b);
void InitColors();

// ---- Game drawing layer and screens (top-down coordinates: y = 0 is the top row) ----

extern const uint8_t *sprdata;
extern const uint8_t title_data[6 * 48];
extern const uint8_t ormwell_data[8 * 8];

void DrawPixel(uint8_t x, uint8_t y, uint8_t colour);
void DrawPixelSafe(uint8_t x, uint8_t y, uint8_t colour);
void DrawSprite(int8_t x, int8_t y, uint8_t w, uint8_t h, const uint8_t *data);
void DrawNSprite(int8_t x, int8_t y, uint8_t w, uint8_t h, uint8_t digit);
void DrawNumber(int32_t x, int32_t y, int32_t n);
void SplashScreen();
void SplashColors(int32_t t); // the fade's colour entries 16..19 at step t (0..128)

// ---- Game rules ----

enum : uint8_t { GAME_PLAYING = 0, GAME_TITLE = 1, GAME_SPLASH = 2, GAME_SCORE = 3 };

extern uint8_t gamestate;
extern uint16_t score;
extern int8_t gemy[4];
extern int8_t gemcolor[4];
extern int8_t slot;
extern int8_t color;
extern int8_t bulletx;
extern int8_t bullety;
extern int8_t bulletcolor;
extern uint8_t speedcount;
extern uint8_t gamespeed;
extern int8_t titlex;
extern int8_t titledir;
extern int8_t scorex;

void setup();
void loop();
void InitGame();
void HandleBullet();
void HandleGems();
void DrawPlayer();
void DrawScore();
void HandleInput();
void ScoreScreen();

// ---- Start-up and frame loop (vornmain runs them) ----

// The records the start-up loads and keeps for the whole run.
struct TintfallAssets {
    VRX_Bitmap picture;   // the device, 640x480, redrawn every frame
    VRX_Bitmap led_sheet; // loaded, not drawn
    VRX_Font font;        // loaded, not drawn
};

// Caption, archive, video, sound, the three loads, the bare device shown once, then setup().
// The records must start empty.
void tintfall_startup(TintfallAssets *assets);
// One frame: wait for the refresh, repaint the picture, draw and present the LEDs, one game
// step, and a final present.
void tintfall_frame(const TintfallAssets &assets);
