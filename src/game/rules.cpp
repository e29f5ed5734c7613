// Tintfall: four lanes of falling gems, shot down by colour from the bottom row.
#include "game/tintfall.h"

#include "base/dbg.h"

#include <cstdlib>

uint8_t gamestate = GAME_PLAYING;
uint16_t score = 0;
int8_t gemy[4] = {0, 0, 0, 0};
int8_t gemcolor[4] = {0, 0, 0, 0};
int8_t slot = 0;
int8_t color = 0;
int8_t bulletx = 0;
int8_t bullety = 127; // above 7: no shot in flight
int8_t bulletcolor = 0;
uint8_t speedcount = 0;
uint8_t gamespeed = 50;
int8_t titlex = 0;
int8_t titledir = 1;
int8_t scorex = 16;

// An object of colour k in lane `lane` is two cells: the lighter shade left, the darker right.
static void draw_object(int32_t lane, int32_t row, int32_t k) {
    DrawPixel(static_cast<uint8_t>(2 * lane), static_cast<uint8_t>(row),
              static_cast<uint8_t>(4 * k + 10));
    DrawPixel(static_cast<uint8_t>(2 * lane + 1), static_cast<uint8_t>(row),
              static_cast<uint8_t>(4 * k + 9));
}

void setup() {
    GlowbyJrSimpleSetup();
    InitGame();
    InitColors();
    gamestate = GAME_SPLASH;
}

void InitGame() {
    for (int32_t i = 0; i < 4; i++) {
        gemcolor[i] = static_cast<int8_t>(i);
        gemy[i] = static_cast<int8_t>(-(rand() % 4));
    }
    bulletx = 0;
    bullety = 127;
    bulletcolor = 0;
    titlex = 0;
    titledir = 1;
    slot = 0;
    color = 0;
    speedcount = 0;
    gamespeed = 50;
    score = 0;
    gamestate = GAME_TITLE;
}

// Each test sees the state left by the one before, so a state can hand over within one call.
void loop() {
    if (gamestate == GAME_SPLASH) SplashScreen();
    if (gamestate == GAME_TITLE) {
        delay(100);
        ClearSlate();
        DrawSprite(static_cast<int8_t>(-titlex), 1, 48, 6, title_data);
        titlex = static_cast<int8_t>(titlex + titledir);
        if (titlex == 0) titledir = 1;
        if (titlex == 40) titledir = -1;
        CheckButtonsPress();
        if (Button_A) gamestate = GAME_PLAYING;
    }
    if (gamestate == GAME_SCORE) {
        delay(100);
        ScoreScreen();
    }
    if (gamestate == GAME_PLAYING) {
        delay(20);
        ClearSlate();
        HandleBullet();
        HandleGems();
        DrawPlayer();
        DrawScore();
        HandleInput();
    }
    DisplaySlate();
}

void HandleBullet() {
    if (bullety > 7) return;
    int32_t lane = bulletx & 3;
    draw_object(lane, bullety, bulletcolor);
    if (gemy[lane] >= bullety) {
        if (gemcolor[lane] == bulletcolor) {
            gemy[lane] = -1;
            gemcolor[lane] = static_cast<int8_t>(rand() % 4);
            score++;
            if (gamespeed > 10) gamespeed--;
        } else {
            for (int8_t &y : gemy) y = static_cast<int8_t>(y + 1);
        }
        bullety = 0;
    }
    bullety = static_cast<int8_t>(bullety - 1);
    if (bullety < 0) bullety = 127;
}

// A falling tone for each lane that reaches the player's row.
static void play_game_over() {
    static const uint32_t tones[7] = {6810, 9091, 13626, 18182, 27242, 36363, 54485};
    for (uint32_t tone : tones) {
        Tone_Start(tone, 50);
        delay(50);
    }
}

void HandleGems() {
    for (int32_t i = 0; i < 4; i++) {
        if (gemy[i] >= 0) draw_object(i, gemy[i], gemcolor[i]);
        if (speedcount == gamespeed) {
            gemy[i] = static_cast<int8_t>(gemy[i] + 1);
            if (gemy[i] > 6) {
                play_game_over();
                gamestate = GAME_SCORE;
            }
        }
    }
    _dbg_printf("speedcount: %d, gamespeed: %d\n", speedcount, gamespeed);
    speedcount++;
    if (speedcount > gamespeed) speedcount = 0;
}

void DrawPlayer() {
    draw_object(slot, 7, color);
}

void DrawScore() {
    SetAuxLEDs(static_cast<uint8_t>(score % 8));
}

void HandleInput() {
    CheckButtonsPress();
    if (Button_Left && slot >= 1) slot--;
    if (Button_Right && slot <= 2) slot++;
    if (Button_Up) {
        color++;
        if (color > 3) color = 0;
    }
    if (Button_Down) {
        color--;
        if (color < 0) color = 3;
    }
    if (Button_A && bullety > 7) {
        bulletx = slot;
        bullety = 7;
        bulletcolor = color;
        Tone_Start(18182, 50);
    }
}

void ScoreScreen() {
    ClearSlate();
    if (score <= 99) {
        DrawNumber(-8, 1, score);
    } else {
        DrawNumber(scorex, 1, score);
    }
    scorex--;
    if (scorex == -16) scorex = 8;
    CheckButtonsPress();
    if (Button_A) InitGame();
}
