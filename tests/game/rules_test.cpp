#include "fixture.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

// An object of colour k takes indices 4k + 10 and 4k + 9: in slate_text red is "ji", green "nm",
// blue "rq" and purple "vu".
class Game : public Handheld {
  protected:
    using Gems = std::array<int8_t, 4>;
    void SetUp() override {
        Handheld::SetUp();
        InitGame();
        set_gems({-3, -3, -3, -3});
        gamestate = GAME_PLAYING;
    }
    static void set_gems(Gems y) { std::copy(y.begin(), y.end(), gemy); }
    static Gems gems() { return {gemy[0], gemy[1], gemy[2], gemy[3]}; }
    // A press that one call sees, released before the next.
    static void press(uint32_t vk) { hold(vk), loop(), release(vk); }
};

// In a fresh process the game's globals are as loaded: a program that never calls setup plays
// from its first frame, at the starting speed, the player red on the left, no shot in flight.
using Loaded = Handheld;
static std::string dots(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; i++) out += "\\.";
    return out;
}
TEST_F(Loaded, FirstFramePlaysFromTheGlobalsAsLoaded) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            testing::internal::CaptureStdout();
            loop();
            std::fprintf(stderr, "%s|%s|", testing::internal::GetCapturedStdout().c_str(),
                         slate_text().c_str());
            std::exit(0);
        },
        testing::ExitedWithCode(0),
        // Four red gems on top. Written out: the Windows build's simple regex has no {n}.
        "speedcount: 0, gamespeed: 50\n\\|jijijiji" + dots(48) + "ji" + dots(6) + "\\|");
}

TEST_F(Game, SetupShowsSplashThenTitleInTheFirstCall) {
    scorex = 5;
    setup();
    EXPECT_EQ(std::make_tuple(+gamestate, +GlowbyJr::AuxLEDs, +scorex), std::make_tuple(2, 1, 5));
    EXPECT_EQ((Gems{gemcolor[0], gemcolor[1], gemcolor[2], gemcolor[3]}), (Gems{0, 1, 2, 3}));
    for (int8_t y : gems()) EXPECT_TRUE(y <= 0 && y >= -3) << +y;
    uint32_t frames = VRX_video_numframes;
    loop();
    EXPECT_EQ(VRX_video_numframes, frames + 128 + 1); // the fade, then the title frame
    EXPECT_EQ(std::make_tuple(+gamestate, +titlex, +ColorTable[16][2]), std::make_tuple(1, 1, 4));
    for (uint8_t y = 1; y <= 6; y++)
        for (uint8_t x = 0; x < 8; x++) EXPECT_EQ(ReadPixel(x, y), title_data[48 * (y - 1) + x]);
}

TEST_F(Game, APressOnTheTitleStartsTheGameWithoutFiring) {
    InitGame();
    loop();
    hold(KEY_A);
    loop();
    EXPECT_EQ(std::make_tuple(+gamestate, +speedcount), std::make_tuple(0, 1)); // same call
    EXPECT_EQ(row_text(7), "ji......");
    loop(); // still held
    EXPECT_EQ(std::make_tuple(+bullety, GlowbyJr::ToneTimeRemaining), std::make_tuple(127, 0u));
    release(KEY_A);
    loop();
    press(KEY_A);
    EXPECT_EQ(std::make_tuple(+bullety, GlowbyJr::ToneTimeRemaining), std::make_tuple(7, 50u));
}

TEST_F(Game, FirstFallStepAtTheFiftyFirstTick) {
    set_gems({0, -1, -2, -3});
    testing::internal::CaptureStdout();
    loop();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "speedcount: 0, gamespeed: 50\n");
    EXPECT_EQ(slate_text(), "ji......" + std::string(48, '.') + "ji......");
    for (int32_t t = 2; t <= 50; t++) loop();
    EXPECT_EQ(gems(), (Gems{0, -1, -2, -3}));
    testing::internal::CaptureStdout();
    loop();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "speedcount: 50, gamespeed: 50\n");
    EXPECT_EQ(gems(), (Gems{1, 0, -1, -2}));
    EXPECT_EQ(row_text(0), "ji......"); // drawn before it fell
    loop();
    EXPECT_EQ(row_text(0) + row_text(1), "..nm....ji......");
}

TEST_F(Game, PlayerMovesBetweenLanesAndCyclesColours) {
    std::string seen; // slot and colour after each press
    for (uint32_t vk :
         {KEY_LEFT, KEY_DOWN, KEY_UP, KEY_UP, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT}) {
        press(vk);
        loop(); // sees the key up again
        seen += std::to_string(slot) + std::to_string(color) + " ";
    }
    EXPECT_EQ(seen, "00 03 00 01 11 21 31 31 "); // stops at the edges; colours wrap both ways
    EXPECT_EQ(row_text(7), "......nm");
}

TEST_F(Game, MatchingShotDestroysTheGemScoresAndSpeedsUp) {
    set_gems({2, -3, -3, -3});
    press(KEY_A);
    for (int32_t t = 0; t < 5; t++) loop(); // the shot rises from row 7 to row 3
    EXPECT_EQ(std::make_tuple(row_text(3), +score), std::make_tuple("ji......", 0));
    loop(); // and meets the gem in row 2
    EXPECT_EQ(std::make_tuple(+score, +gamespeed, +gemy[0], +bullety, +GlowbyJr::AuxLEDs),
              std::make_tuple(1, 49, -1, 127, 1));
    ASSERT_TRUE(gemcolor[0] >= 0 && gemcolor[0] <= 3); // the new gem's colour
    gemcolor[0] = 1, gemy[0] = 4, gamespeed = 10, speedcount = 0, score = 15;
    bulletx = 0, bullety = 4, bulletcolor = 1;
    loop(); // the fall period stops shrinking at 10
    EXPECT_EQ(std::make_tuple(+score, +gamespeed, +GlowbyJr::AuxLEDs), std::make_tuple(16, 10, 0));
}

TEST_F(Game, WrongColourPushesEveryGemDown) {
    set_gems({2, 0, -2, 5});
    press(KEY_UP); // green
    press(KEY_A);
    for (int32_t t = 0; t < 5; t++) loop();
    EXPECT_EQ(gems(), (Gems{2, 0, -2, 5}));
    loop();
    EXPECT_EQ(gems(), (Gems{3, 1, -1, 6}));
    EXPECT_EQ(std::make_tuple(+bullety, +score, +gamespeed), std::make_tuple(127, 0, 50));
    EXPECT_EQ(row_text(2), "nm......"); // the shot as it struck
    bulletx = 0, bullety = 3, bulletcolor = 1;
    loop(); // a second miss pushes lane 3 into the player's row; the game goes on
    EXPECT_EQ(gems(), (Gems{4, 2, 0, 7}));
    loop();
    EXPECT_EQ(std::make_tuple(+gamestate, row_text(7)), std::make_tuple(0, "nm....vu"));
}

TEST_F(Game, GemPassingRowSixEndsTheGameAfterTheFallingTones) {
    set_gems({5, -3, -3, -3});
    speedcount = gamespeed;
    loop();
    EXPECT_EQ(gamestate, GAME_PLAYING); // row 6 is still in play
    speedcount = gamespeed;
    winapi_clock_use_stepping(0, 1);
    VRX_timer_starttick = 0;
    loop();
    EXPECT_EQ(gamestate, GAME_SCORE);
    EXPECT_GE(millis(), 20u + 7 * 50); // seven tones of 50 ms
    EXPECT_LT(millis(), 2u * 7 * 50);
    EXPECT_EQ(row_text(6) + row_text(7), "ji......ji......"); // the gem and the player still drawn
}

TEST_F(Game, ScoreScreenWalksScorexAndReturnsToTheTitle) {
    auto shows = [](int32_t x, int32_t n) { // the slate holds DrawNumber (x, 1, n) alone
        std::string got = slate_text();
        ClearSlate();
        DrawNumber(x, 1, n);
        return got == slate_text();
    };
    score = 5, scorex = 16, gamestate = GAME_SCORE, GlowbyJr::AuxLEDs = 5;
    loop();
    EXPECT_TRUE(shows(-8, 5)); // "05" at rest
    EXPECT_EQ(scorex, 15);
    for (int32_t i = 0; i < 31; i++) loop(); // down to -15, then on to 8
    EXPECT_EQ(scorex, 8);
    score = 123; // all four digits scroll
    loop();
    loop();
    EXPECT_TRUE(shows(7, 123));
    hold(KEY_A);
    loop();
    EXPECT_EQ(std::make_tuple(+gamestate, +score, +scorex, +titlex), std::make_tuple(1, 0, 5, 0));
    loop(); // the title starts now; A still held is no new press
    EXPECT_EQ(std::make_tuple(+gamestate, +titlex, +GlowbyJr::AuxLEDs), std::make_tuple(1, 1, 5));
}
