// The joystick through SDL's virtual joystick: axis mapping, buttons, controller list.
#include <gtest/gtest.h>

#include <SDL.h>

#include "hw_win32/win32.h"
#include "video/input.h"

namespace {
TEST(Joystick, NoneAnswersWithZeros) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real joystick is attached";
    int32_t x = 1, y = 1, z = 1, r = 1;
    uint32_t buttons = 1;
    win32_checkjoystick(1, &x, &y, &z, &r, &buttons);
    EXPECT_EQ(x | y | z | r, 0);
    EXPECT_EQ(buttons, 0u);
    EXPECT_EQ(win32_initjoystick(), 0);
    EXPECT_EQ(VRX_input_initcontrollers(), 3);
    EXPECT_EQ(VRX_controller[0].type, 1);
    EXPECT_EQ(VRX_controller[1].type, 3);
    EXPECT_EQ(VRX_controller[2].type, 4);
}

TEST(Joystick, AxesButtonsAndControllers) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real joystick is attached";
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 4, 12, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick *joy = SDL_JoystickOpen(index);
    ASSERT_NE(joy, nullptr);
    // SDL's -32768..32767 are the platform's 0..65535.
    SDL_JoystickSetVirtualAxis(joy, 0, -32768); // 0
    SDL_JoystickSetVirtualAxis(joy, 1, -1);     // 32767, the centre
    SDL_JoystickSetVirtualAxis(joy, 2, 32767);  // 65535
    SDL_JoystickSetVirtualAxis(joy, 3, 0);      // 32768
    SDL_JoystickSetVirtualButton(joy, 0, 1);
    SDL_JoystickSetVirtualButton(joy, 3, 1);
    SDL_JoystickSetVirtualButton(joy, 6, 1);
    int32_t x, y, z, r;
    uint32_t buttons;
    win32_checkjoystick(0, &x, &y, &z, &r, &buttons);
    EXPECT_EQ(x, -128);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(z, 128);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(buttons, 0x10u | 0x80u | 0x1000u);
    EXPECT_EQ(win32_initjoystick(), 1);

    testing::internal::CaptureStdout();
    EXPECT_EQ(VRX_input_initcontrollers(), 4) << "one joystick is counted once";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "joystick found, id: 0\n");
    VRX_input_pollcontrollers();
    EXPECT_EQ(VRX_controller[3].type, 2);
    EXPECT_EQ(VRX_controller[3].x, -128);
    EXPECT_EQ(VRX_controller[3].z, 128);
    EXPECT_EQ(VRX_controller[3].value, 0x1090u);

    SDL_JoystickClose(joy);
    SDL_JoystickDetachVirtual(index);
    win32_checkjoystick(0, &x, &y, &z, &r, &buttons);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(buttons, 0u);
}
} // namespace
