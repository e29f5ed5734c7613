// The two fixed screens: the makers' logo fading in and out, and the title bitmap.
#include "game/tintfall.h"

// clang-format off

// TINTFALL in 3x6 capitals, a letter every four columns from column 4:
// ....###.###.#.#.###.###..#..#...#...............
// .....#...#..###..#..#...#.#.#...#...............
// .....#...#..###..#..##..#.#.#...#...............
// .....#...#..#.#..#..#...###.#...#...............
// .....#...#..#.#..#..#...#.#.#...#...............
// .....#..###.#.#..#..#...#.#.###.###.............
const uint8_t title_data[6 * 48] = {
     0,  0,  0,  0, 19, 19, 19,  0, 19, 19, 19,  0, 19,  0, 19,  0, 19, 19, 19,  0, 19, 19, 19,  0,
     0, 19,  0,  0, 19,  0,  0,  0, 19,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0, 19,  0,  0,  0, 19,  0,  0, 19, 19, 19,  0,  0, 19,  0,  0, 19,  0,  0,  0,
    19,  0, 19,  0, 19,  0,  0,  0, 19,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0, 18,  0,  0,  0, 18,  0,  0, 18, 18, 18,  0,  0, 18,  0,  0, 18, 18,  0,  0,
    18,  0, 18,  0, 18,  0,  0,  0, 18,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0, 17,  0,  0,  0, 17,  0,  0, 17,  0, 17,  0,  0, 17,  0,  0, 17,  0,  0,  0,
    17, 17, 17,  0, 17,  0,  0,  0, 17,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0, 16,  0,  0,  0, 16,  0,  0, 16,  0, 16,  0,  0, 16,  0,  0, 16,  0,  0,  0,
    16,  0, 16,  0, 16,  0,  0,  0, 16,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
     0,  0,  0,  0,  0, 16,  0,  0, 16, 16, 16,  0, 16,  0, 16,  0,  0, 16,  0,  0, 16,  0,  0,  0,
    16,  0, 16,  0, 16, 16, 16,  0, 16, 16, 16,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
};

// A ring with a square core, shaded in the blue bands; the rows between bands are dithered.
const uint8_t ormwell_data[8 * 8] = {
     0,  0, 19, 19, 19, 19,  0,  0,
     0, 18, 19, 18, 19, 18, 19,  0,
    18, 18,  0,  0,  0,  0, 18, 18,
    18, 17,  0, 17, 18,  0, 18, 17,
    17, 17,  0, 17, 17,  0, 17, 17,
    17, 16,  0,  0,  0,  0, 17, 16,
     0, 16, 16, 16, 16, 16, 16,  0,
     0,  0, 16, 16, 16, 16,  0,  0,
};

// clang-format on

// Entries 16..19 scaled from black (t = 0) to the blue ramp (t = 128).
void SplashColors(int32_t t) {
    EditColor(16, 0, static_cast<uint8_t>(t / 64), static_cast<uint8_t>(t / 32));
    EditColor(17, 0, static_cast<uint8_t>(3 * t / 128), static_cast<uint8_t>(6 * t / 128));
    EditColor(18, static_cast<uint8_t>(t / 128), static_cast<uint8_t>(6 * t / 128),
              static_cast<uint8_t>(9 * t / 128));
    EditColor(19, static_cast<uint8_t>(3 * t / 128), static_cast<uint8_t>(9 * t / 128),
              static_cast<uint8_t>(12 * t / 128));
}

static void splash_step(int32_t t) {
    SplashColors(t);
    DrawSprite(0, 0, 8, 8, ormwell_data);
    DisplaySlate();
    delay(20);
}

void SplashScreen() {
    for (int32_t t = 0; t <= 126; t += 2) splash_step(t);
    delay(1000);
    for (int32_t t = 128; t >= 2; t -= 2) splash_step(t);
    delay(1000);
    InitColors();
    gamestate = GAME_TITLE;
}
