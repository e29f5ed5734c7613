#include "fixture.h"

#include <array>
#include <string>

namespace {
// Colour indices of an object of colour k: left cell, right cell.
uint8_t left_shade(int32_t k) {
    return static_cast<uint8_t>(4 * k + 10);
}
uint8_t right_shade(int32_t k) {
    return static_cast<uint8_t>(4 * k + 9);
}

void expect_object(int32_t lane, int32_t row, int32_t k) {
    EXPECT_EQ(ReadPixel(static_cast<uint8_t>(2 * lane), static_cast<uint8_t>(row)), left_shade(k))
        << "lane " << lane << " row " << row;
    EXPECT_EQ(ReadPixel(static_cast<uint8_t>(2 * lane + 1), static_cast<uint8_t>(row)),
              right_shade(k))
        << "lane " << lane << " row " << row;
}

void expect_lane_empty(int32_t lane, int32_t row) {
    EXPECT_EQ(ReadPixel(static_cast<uint8_t>(2 * lane), static_cast<uint8_t>(row)), 0);
    EXPECT_EQ(ReadPixel(static_cast<uint8_t>(2 * lane + 1), static_cast<uint8_t>(row)), 0);
}

std::array<uint8_t, 64> slate_copy() {
    std::array<uint8_t, 64> s;
    for (int32_t i = 0; i < 64; i++) s[i] = GameSlate[i];
    return s;
}

// The slate as a reference drawing would leave it.
template <typename F> std::array<uint8_t, 64> drawn_by(F draw) {
    std::array<uint8_t, 64> saved = slate_copy();
    ClearSlate();
    draw();
    std::array<uint8_t, 64> want = slate_copy();
    for (int32_t i = 0; i < 64; i++) GameSlate[i] = saved[i];
    return want;
}

void set_gems(std::array<int8_t, 4> y, std::array<int8_t, 4> colour) {
    for (int32_t i = 0; i < 4; i++) {
        gemy[i] = y[i];
        gemcolor[i] = colour[i];
    }
}

std::array<int8_t, 4> gems() {
    return {gemy[0], gemy[1], gemy[2], gemy[3]};
}

// The game's globals as the program starts, taken before any test runs.
struct LoadValues {
    uint8_t gamestate, speedcount, gamespeed;
    uint16_t score;
    int8_t gemy0, gemcolor3, slot, color, bulletx, bullety, bulletcolor, titlex, titledir, scorex;
};
const LoadValues at_load = {gamestate,   speedcount, gamespeed, score,   gemy[0],
                            gemcolor[3], slot,       color,     bulletx, bullety,
                            bulletcolor, titlex,     titledir,  scorex};

// A press that one tick sees, released before the next.
void press(uint32_t vk) {
    hold(vk);
    loop();
    release(vk);
}
} // namespace

class Game : public Handheld {
  protected:
    void SetUp() override {
        Handheld::SetUp();
        InitGame();
        set_gems({-3, -3, -3, -3}, {0, 1, 2, 3});
        gamestate = GAME_PLAYING;
    }
};

using GameStart = Handheld;

TEST(GameGlobals, ValuesAtLoad) {
    EXPECT_EQ(at_load.gamestate, GAME_PLAYING);
    EXPECT_EQ(at_load.bullety, 127); // no shot in flight
    EXPECT_EQ(at_load.gamespeed, 50);
    EXPECT_EQ(at_load.titledir, 1);
    EXPECT_EQ(at_load.scorex, 16); // the first score screen scrolls in from column 16
    EXPECT_EQ(at_load.score + at_load.speedcount + at_load.titlex, 0);
    EXPECT_EQ(at_load.gemy0 | at_load.gemcolor3 | at_load.slot | at_load.color | at_load.bulletx |
                  at_load.bulletcolor,
              0);
}

TEST_F(GameStart, SetupShowsSplashThenTitleInTheFirstFrame) {
    const uint8_t lit[3] = {15, 15, 15};
    Glo.SetPxClr(3, 3, lit);
    GlowbyJr::AuxLEDs = 0xF0;
    scorex = 5;
    setup();
    EXPECT_EQ(scorex, 5); // kept across games
    // The frame loop's first drawing, before the splash: dark matrix, leftmost auxiliary LED.
    VRX_ClearColorBitmap(VRX_screenbitmap, 0x123456);
    Glo.update_glowbyjr();
    for (int32_t y = 0; y < 8; y++)
        for (int32_t x = 0; x < 8; x++) EXPECT_EQ(disc_at(x, y), 0x404040u) << x << "," << y;
    EXPECT_EQ(screen_at(210, 115), 0xFFAA00u);
    for (int32_t i = 1; i < 8; i++) EXPECT_EQ(screen_at(210 + 30 * i, 115), 0x123456u) << i;
    EXPECT_EQ(gamestate, GAME_SPLASH);
    EXPECT_EQ(GlowbyJr::AuxLEDs, 1);
    EXPECT_EQ(ColorTable[1][0], 15);
    EXPECT_EQ(ColorTable[19][2], 12);
    for (int32_t i = 0; i < 4; i++) {
        EXPECT_EQ(gemcolor[i], i);
        EXPECT_LE(gemy[i], 0);
        EXPECT_GE(gemy[i], -3);
    }
    EXPECT_EQ(bullety, 127);
    EXPECT_EQ(gamespeed, 50);
    EXPECT_EQ(score, 0);
    uint32_t frames = VRX_video_numframes;
    loop();
    EXPECT_EQ(VRX_video_numframes, frames + 128 + 1); // the fade, then the title frame
    EXPECT_EQ(gamestate, GAME_TITLE);
    EXPECT_EQ(titlex, 1);
    for (uint8_t y = 0; y < 8; y++)
        for (uint8_t x = 0; x < 8; x++)
            EXPECT_EQ(ReadPixel(x, y), y >= 1 && y <= 6 ? title_data[48 * (y - 1) + x] : 0);
}

TEST_F(GameStart, TitleScrollsToTheEndAndBack) {
    InitGame();
    int32_t expected = 0, dir = 1;
    for (int32_t call = 0; call < 100; call++) {
        loop();
        // This frame showed the bitmap from column `expected` on.
        for (uint8_t y = 1; y <= 6; y++)
            for (uint8_t x = 0; x < 8; x++)
                ASSERT_EQ(ReadPixel(x, y), title_data[48 * (y - 1) + expected + x]) << call;
        expected += dir;
        if (expected == 40) dir = -1;
        if (expected == 0) dir = 1;
        ASSERT_EQ(titlex, expected);
        ASSERT_EQ(titledir, dir);
        ASSERT_EQ(gamestate, GAME_TITLE);
    }
}

TEST_F(GameStart, APressOnTheTitleStartsTheGameWithoutFiring) {
    InitGame();
    set_gems({0, 0, 0, 0}, {0, 1, 2, 3});
    loop();
    hold(KEY_A);
    loop();
    EXPECT_EQ(gamestate, GAME_PLAYING);
    EXPECT_EQ(speedcount, 1); // the first tick ran in the same call
    EXPECT_EQ(bullety, 127);
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 0u);
    expect_object(0, 7, 0); // player
    loop();                 // still held: no fire
    EXPECT_EQ(bullety, 127);
    release(KEY_A);
    loop();
    press(KEY_A);
    EXPECT_EQ(bullety, 7);
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 50u);
}

TEST_F(Game, FirstFallStepAtTheFiftyFirstTick) {
    set_gems({0, -1, -2, -3}, {0, 1, 2, 3});
    testing::internal::CaptureStdout();
    loop();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "speedcount: 0, gamespeed: 50\n");
    expect_object(0, 0, 0); // visible from the first tick
    for (int32_t lane = 1; lane < 4; lane++)
        for (int32_t row = 0; row < 7; row++) expect_lane_empty(lane, row);
    expect_object(0, 7, 0);
    for (int32_t t = 2; t <= 50; t++) loop();
    EXPECT_EQ(gems(), (std::array<int8_t, 4>{0, -1, -2, -3}));
    testing::internal::CaptureStdout();
    loop(); // tick 51
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "speedcount: 50, gamespeed: 50\n");
    EXPECT_EQ(gems(), (std::array<int8_t, 4>{1, 0, -1, -2}));
    EXPECT_EQ(speedcount, 0);
    expect_object(0, 0, 0); // drawn before it fell
    loop();
    expect_object(0, 1, 0);
    expect_object(1, 0, 1);
    expect_lane_empty(0, 0);
    expect_lane_empty(2, 0);
}

TEST_F(Game, PlayerMovesBetweenLanesAndCyclesColours) {
    // A press, then a tick that sees the key up again.
    auto tap = [](uint32_t vk) {
        press(vk);
        loop();
    };
    tap(KEY_LEFT);
    EXPECT_EQ(slot, 0);
    tap(KEY_RIGHT);
    tap(KEY_RIGHT);
    tap(KEY_RIGHT);
    EXPECT_EQ(slot, 3);
    tap(KEY_RIGHT);
    EXPECT_EQ(slot, 3);
    tap(KEY_DOWN); // red -> purple
    EXPECT_EQ(color, 3);
    expect_object(3, 7, 3); // drawn from the next tick on
    expect_lane_empty(0, 7);
    tap(KEY_UP); // purple -> red
    EXPECT_EQ(color, 0);
    tap(KEY_UP);
    EXPECT_EQ(color, 1);
    tap(KEY_LEFT);
    EXPECT_EQ(slot, 2);
    expect_object(2, 7, 1);
    hold(KEY_RIGHT); // held: one step only
    loop();
    loop();
    loop();
    EXPECT_EQ(slot, 3);
    // Without a tick that sees the release, a second press is the same press.
    release(KEY_RIGHT);
    press(KEY_LEFT);
    hold(KEY_LEFT);
    loop();
    EXPECT_EQ(slot, 2);
}

TEST_F(Game, MatchingShotDestroysTheGemScoresAndSpeedsUp) {
    set_gems({2, -3, -3, -3}, {0, 1, 2, 3});
    press(KEY_A);
    EXPECT_EQ(bullety, 7);
    EXPECT_EQ(bulletx, 0);
    EXPECT_EQ(bulletcolor, 0);
    for (int32_t row = 7; row >= 3; row--) {
        loop();
        if (row < 7) expect_object(0, row, 0); // the shot, drawn before it rises
        expect_object(0, 2, 0);                // the gem
        EXPECT_EQ(score, 0);
    }
    loop(); // the shot reaches row 2
    EXPECT_EQ(score, 1);
    EXPECT_EQ(gamespeed, 49);
    EXPECT_EQ(gemy[0], -1);
    EXPECT_GE(gemcolor[0], 0);
    EXPECT_LE(gemcolor[0], 3);
    EXPECT_EQ(bullety, 127);
    EXPECT_EQ(GlowbyJr::AuxLEDs, 1);
    expect_object(0, 2, 0);
    expect_lane_empty(0, 3);
    // The new gem shows after the next fall step.
    loop();
    expect_lane_empty(0, 2);
    expect_lane_empty(0, 0);
    speedcount = gamespeed;
    loop();
    EXPECT_EQ(gemy[0], 0);
    int8_t k = gemcolor[0];
    loop();
    expect_object(0, 0, k);
    // A new shot can go up straight away.
    press(KEY_A);
    EXPECT_EQ(bullety, 7);
}

TEST_F(Game, SpeedStopsAtTenAndAHitCanCutTheFallCycle) {
    set_gems({2, 3, 3, 3}, {0, 1, 2, 3});
    bulletx = 0, bullety = 2, bulletcolor = 0;
    speedcount = 50;
    loop(); // hit lowers the period to 49 before the gems test for 50
    EXPECT_EQ(gamespeed, 49);
    EXPECT_EQ(gemy[1], 3);
    EXPECT_EQ(speedcount, 0);

    set_gems({4, 3, 3, 3}, {1, 1, 2, 3});
    gamespeed = 10;
    bulletx = 0, bullety = 4, bulletcolor = 1;
    loop();
    EXPECT_EQ(score, 2);
    EXPECT_EQ(gamespeed, 10);
}

TEST_F(Game, WrongColourPushesEveryGemDown) {
    set_gems({2, 0, -2, 5}, {0, 1, 2, 3});
    press(KEY_UP); // green
    press(KEY_A);
    for (int32_t t = 0; t < 5; t++) loop();
    EXPECT_EQ(gems(), (std::array<int8_t, 4>{2, 0, -2, 5}));
    EXPECT_EQ(bullety, 2);
    loop();
    EXPECT_EQ(gems(), (std::array<int8_t, 4>{3, 1, -1, 6}));
    EXPECT_EQ(bullety, 127);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(gamespeed, 50);
    expect_object(0, 2, 1); // the shot as it struck
    loop();
    expect_object(0, 3, 0);
    expect_object(1, 1, 1);
    expect_object(3, 6, 3);

    // A second miss pushes lane 3 into the player's row; the game goes on.
    bulletx = 0, bullety = 3, bulletcolor = 1;
    loop();
    EXPECT_EQ(gems(), (std::array<int8_t, 4>{4, 2, 0, 7}));
    EXPECT_EQ(gamestate, GAME_PLAYING);
    loop();
    expect_object(3, 7, 3); // beside the player in lane 0
    expect_object(0, 7, 1);
    // The end comes with the next fall step.
    speedcount = gamespeed;
    loop();
    EXPECT_EQ(gamestate, GAME_SCORE);
}

TEST_F(Game, GemsPushedPastTheBottomAreDrawnWrapped) {
    set_gems({-3, -3, 8, 9}, {0, 1, 2, 3});
    loop();
    expect_object(2, 0, 2);
    expect_object(3, 1, 3);
    EXPECT_EQ(gamestate, GAME_PLAYING);
}

TEST_F(Game, ShotClimbsAnEmptyLaneAndVanishesAtTheTop) {
    press(KEY_RIGHT);
    press(KEY_A);
    EXPECT_EQ(bulletx, 1);
    EXPECT_EQ(bullety, 7);
    press(KEY_RIGHT); // the player moves on; the shot keeps its lane
    press(KEY_A);     // a shot is in flight: nothing happens
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(bulletx, 1);
    EXPECT_EQ(bullety, 5);
    for (int32_t t = 0; t < 5; t++) loop();
    EXPECT_EQ(bullety, 0);
    hold(KEY_A);
    loop(); // drawn in row 0 and gone, so this tick's A fires anew
    release(KEY_A);
    expect_object(1, 0, 0);
    EXPECT_EQ(bulletx, 2);
    EXPECT_EQ(bullety, 7);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(gems(), (std::array<int8_t, 4>{-3, -3, -3, -3}));
}

TEST_F(Game, AuxLedsShowTheScoresLowBits) {
    score = 7;
    loop();
    EXPECT_EQ(GlowbyJr::AuxLEDs, 7);
    score = 8;
    loop();
    EXPECT_EQ(GlowbyJr::AuxLEDs, 0);
    score = 13;
    loop();
    EXPECT_EQ(GlowbyJr::AuxLEDs, 5);
}

TEST_F(Game, GemPassingRowSixEndsTheGameAfterTheFallingTones) {
    set_gems({6, -3, -3, -3}, {0, 1, 2, 3});
    speedcount = gamespeed;
    winapi_clock_use_stepping(0, 1);
    VRX_timer_starttick = 0;
    loop();
    uint32_t one_lane = millis();
    EXPECT_EQ(gamestate, GAME_SCORE);
    EXPECT_EQ(GlowbyJr::ToneTimeRemaining, 50u);
    EXPECT_GE(one_lane, 20u + 7 * 50);
    EXPECT_LT(one_lane, 2u * 7 * 50);
    expect_object(0, 6, 0); // the tick still draws the gem, the player and the score
    expect_object(0, 7, 0);

    // Two lanes crossing together play the sequence twice.
    set_gems({6, 6, -3, -3}, {0, 1, 2, 3});
    speedcount = gamespeed;
    gamestate = GAME_PLAYING;
    uint32_t start = millis();
    loop();
    EXPECT_GE(millis() - start, 20u + 2 * 7 * 50);
    EXPECT_EQ(gamestate, GAME_SCORE);
}

TEST_F(Game, ScoreScreenShowsTheScoreAndReturnsToTheTitle) {
    score = 5;
    scorex = 16;
    gamestate = GAME_SCORE;
    GlowbyJr::AuxLEDs = 5;
    loop();
    EXPECT_EQ(slate_copy(), drawn_by([] { DrawNumber(-8, 1, 5); })); // "05" at rest
    EXPECT_EQ(ReadPixel(5, 1), 19);                                  // top of the 5
    EXPECT_EQ(scorex, 15);

    // scorex walks down to -15, then restarts from 8, whatever the score.
    for (int32_t expected = 14; expected >= -15; expected--) {
        loop();
        ASSERT_EQ(scorex, expected);
    }
    loop();
    EXPECT_EQ(scorex, 8);

    score = 123; // scrolls: digits 0, 1, 2, 3
    scorex = 0;
    loop();
    EXPECT_EQ(slate_copy(), drawn_by([] { DrawNumber(0, 1, 123); }));
    EXPECT_EQ(ReadPixel(5, 6), 16); // foot of the 1
    scorex = -8;
    loop();
    EXPECT_EQ(slate_copy(), drawn_by([] { DrawNumber(-8, 1, 123); }));

    hold(KEY_A);
    loop();
    EXPECT_EQ(gamestate, GAME_TITLE);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(scorex, -10); // kept for the next score screen
    EXPECT_EQ(titlex, 0);   // the title starts at the next call
    EXPECT_EQ(GlowbyJr::AuxLEDs, 5);
    loop(); // A still held: no new press
    EXPECT_EQ(gamestate, GAME_TITLE);
    EXPECT_EQ(titlex, 1);
    EXPECT_EQ(GlowbyJr::AuxLEDs, 5);
}
