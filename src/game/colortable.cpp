// The colour table: the handheld's start-up values and the game's palette.
#include "game/tintfall.h"

// Levels the handheld starts with; the game replaces them with InitColors before showing anything.
uint8_t ColorTable[32][3] = {
    {0, 0, 0}, {6, 0, 0}, {12, 5, 0}, {7, 10, 0}, {0, 15, 0}, {0, 0, 5}, {8, 0, 4}, {3, 15, 2},
    {1, 0, 0}, {1, 1, 0}, {1, 1, 0},  {0, 1, 0},  {0, 3, 1},  {0, 0, 1}, {2, 0, 1}, {15, 15, 15},
};

// From index 8 on: six four-step ramps, dark to bright (red, green, blue, purple, brown, green).
static const uint8_t game_colors[32][3] = {
    {0, 0, 0}, {15, 15, 15}, {15, 15, 4}, {15, 8, 0}, {3, 2, 2}, {9, 6, 3}, {9, 6, 3},  {9, 8, 8},
    {3, 0, 0}, {6, 0, 1},    {10, 0, 2},  {12, 0, 3}, {0, 5, 2}, {2, 7, 4}, {4, 9, 6},  {7, 11, 8},
    {0, 2, 4}, {0, 3, 6},    {1, 6, 9},   {3, 9, 12}, {3, 0, 3}, {5, 1, 6}, {8, 4, 10}, {11, 9, 12},
    {3, 2, 0}, {6, 4, 2},    {9, 6, 3},   {12, 8, 4}, {1, 6, 2}, {2, 7, 4}, {4, 9, 6},  {7, 11, 8},
};

// Indices wrap modulo 32, like the slate cells that DisplaySlate looks up.
void EditColor(uint8_t i, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t *e = ColorTable[i & 31];
    e[0] = r;
    e[1] = g;
    e[2] = b;
}

void InitColors() {
    SetAuxLEDs(1);
    for (uint8_t i = 0; i < 32; i++) {
        EditColor(i, game_colors[i][0], game_colors[i][1], game_colors[i][2]);
    }
}
