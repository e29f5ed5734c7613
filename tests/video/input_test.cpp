// The window procedure's message table, the key set and key code read from what it recorded,
// and the joystick (on the stand-in through SDL's virtual joystick). Messages carry their Windows
// numbers.
#ifndef _WIN32
#include <SDL.h>
#endif

#include <vector>

#include "video_fixture.h"

namespace {
const UINT KEYDOWN = 256, KEYUP = 257;

using Input = VideoGroup;

void msg(UINT message, WPARAM wparam, LPARAM lparam) {
    WIN32_WndProc(nullptr, message, wparam, lparam);
}

// After each message: VRX_keys['A'] and ['B'], the key code (the last key down, cleared only by
// its own release) and the mouse buttons.
TEST_F(Input, WindowProcedureTable) {
    const struct {
        UINT message;
        WPARAM key;
        uint32_t a, b, code, buttons;
    } steps[] = {
        {KEYDOWN, 'A', 1, 0, 'A', 0}, {KEYDOWN, 'B', 1, 1, 'B', 0},   {KEYUP, 'A', 0, 1, 'B', 0},
        {KEYUP, 'B', 0, 0, 0, 0},     {KEYDOWN, 0x141, 1, 0, 'A', 0}, {KEYUP, 0x141, 0, 0, 'A', 0},
        {513, 0, 0, 0, 'A', 1},       {519, 0, 0, 0, 'A', 5},         {516, 0, 0, 0, 'A', 7},
        {514, 0, 0, 0, 'A', 6},       {517, 0, 0, 0, 'A', 4},         {520, 0, 0, 0, 'A', 0}};
    for (const auto &s : steps) {
        msg(s.message, s.key, 0);
        EXPECT_EQ(
            std::vector<uint32_t>({VRX_keys[0x41], VRX_keys[0x42], g_keycode, g_mouse_buttons}),
            std::vector<uint32_t>({s.a, s.b, s.code, s.buttons}))
            << s.message << " " << s.key;
    }
    // Each wheel message is one notch whatever its delta; a read clears the direction only.
    const struct {
        std::vector<int16_t> deltas;
        int32_t position, direction;
    } reads[] = {{{240, 1, 1}, 3, 1},
                 {{}, 3, 0},
                 {{-360, -120, -1, -1, -1, -1}, -3, -1},
                 {{-120, 0}, -4, 0}};
    for (const auto &r : reads) {
        for (int16_t d : r.deltas) msg(522, WPARAM(uint16_t(d)) << 16, 0);
        int32_t position = 0, direction = 5;
        VRX_GetMouseZ(&position, &direction);
        EXPECT_EQ(position * 10 + direction, r.position * 10 + r.direction);
    }
    msg(5, 0, (480 << 16) | 640);
    EXPECT_EQ(windowwidth.load() * 1000 + windowheight.load(), 640480u);
}

TEST_F(Input, KeySetTableAndNewlyPressed) {
    const UINT table[][2] = {{38, 0x1},    {40, 0x2},     {37, 0x4},    {39, 0x8},
                             {32, 0x10},   {17, 0x20},    {16, 0x40},   {18, 0x80},
                             {'X', 0x100}, {'C', 0x400},  {13, 0x1000}, {'1', 0x1000},
                             {8, 0x2000},  {'2', 0x2000}, {27, 0x8000}, {'A', 0}};
    for (const auto &t : table) {
        msg(KEYDOWN, t[0], 0);
        uint32_t held = 0;
        VRX_GetKeys(&held, nullptr);
        EXPECT_EQ(held, t[1]) << "key " << t[0];
        msg(KEYUP, t[0], 0);
    }
    // {keys down, keys up} before each read, then held and newly pressed.
    const struct {
        std::vector<UINT> down, up;
        uint32_t held, pressed;
    } reads[] = {{{38, 32}, {}, 0x11, 0x11},
                 {{}, {}, 0x11, 0},
                 {{40}, {38}, 0x12, 0x2},
                 {{13, '1'}, {13}, 0x1012, 0x1000},
                 {{}, {'1', 40, 32}, 0, 0}};
    for (const auto &r : reads) {
        for (UINT k : r.down) msg(KEYDOWN, k, 0);
        for (UINT k : r.up) msg(KEYUP, k, 0);
        uint32_t held = 0, pressed = 0;
        VRX_GetKeys(&held, &pressed);
        EXPECT_EQ(held, r.held);
        EXPECT_EQ(pressed, r.pressed);
    }
    VRX_GetKeys(nullptr, nullptr);
}

TEST_F(Input, KeyCodeTableChangedFlagAndRelease) {
    const UINT table[][2] = {
        {27, 0xF000}, {38, 0xF001},  {40, 0xF002},  {37, 0xF003},  {39, 0xF004}, {13, 0xF010},
        {16, 0xF011}, {32, 0xF012},  {17, 0xF013},  {18, 0xF014},  {8, 0xF020},  {45, 0xF021},
        {46, 0xF022}, {33, 0xF023},  {34, 0xF024},  {36, 0xF025},  {35, 0xF026}, {20, 0xF027},
        {9, 0xF028},  {112, 0xF030}, {116, 0xF034}, {123, 0xF03B}, {'A', 65},    {'0', 48}};
    for (const auto &t : table) {
        // Changed once, not while held; the release clears the previous code, so 0 is no change.
        msg(KEYDOWN, t[0], 0);
        uint32_t code[3], changed[3];
        VRX_GetKeycode(&code[0], &changed[0]);
        VRX_GetKeycode(&code[1], &changed[1]);
        msg(KEYUP, t[0], 0);
        VRX_GetKeycode(&code[2], &changed[2]);
        EXPECT_EQ(
            std::vector<uint32_t>({code[0], changed[0], code[1], changed[1], code[2], changed[2]}),
            std::vector<uint32_t>({t[1], 1, t[1], 0, 0, 0}))
            << "key " << t[0];
    }
    VRX_GetKeycode(nullptr, nullptr);
}

TEST_F(Input, NoJoystickGivesZerosAndTheFixedControllers) {
    if (win32_initjoystick()) GTEST_SKIP() << "a joystick is attached";
    JOYINFOEX info = {};
    info.dwSize = sizeof(info);
    info.dwFlags = JOY_RETURNALL;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1 + 1, &info), UINT(JOYERR_PARMS)) << "no such device";
    int32_t x = 1, y = 1, z = 1, r = 1;
    uint32_t buttons = 1;
    win32_checkjoystick(1, &x, &y, &z, &r, &buttons);
    EXPECT_EQ(x | y | z | r | int32_t(buttons), 0);
    EXPECT_EQ(VRX_input_initcontrollers(), 3);
    EXPECT_EQ(VRX_controller[0].type * 100 + VRX_controller[1].type * 10 + VRX_controller[2].type,
              134);
}

#ifndef _WIN32
// SDL's virtual joystick plays the device on the stand-in.
TEST_F(Input, JoystickAxesButtonsAndControllers) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    if (SDL_NumJoysticks() > 0) GTEST_SKIP() << "a real joystick is attached";
    int32_t x = 1, y = 1, z = 1, r = 1;
    uint32_t buttons = 1;
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 4, 12, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick *joy = SDL_JoystickOpen(index);
    ASSERT_NE(joy, nullptr);
    // SDL's -32768..32767 are the platform's 0..65535: 0, the centre 32767 and 65535.
    SDL_JoystickSetVirtualAxis(joy, 0, -32768);
    SDL_JoystickSetVirtualAxis(joy, 1, -1);
    SDL_JoystickSetVirtualAxis(joy, 2, 32767);
    SDL_JoystickSetVirtualButton(joy, 0, 1);
    SDL_JoystickSetVirtualButton(joy, 3, 1);
    win32_checkjoystick(0, &x, &y, &z, &r, &buttons);
    EXPECT_EQ(std::vector<int32_t>({x, y, z, int32_t(buttons)}),
              std::vector<int32_t>({-128, 0, 128, 0x90}));
    testing::internal::CaptureStdout();
    EXPECT_EQ(VRX_input_initcontrollers(), 4) << "one joystick is counted once";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "joystick found, id: 0\n");
    VRX_input_pollcontrollers();
    const VRX_Controller &c = VRX_controller[3];
    EXPECT_EQ(std::vector<int32_t>({c.type, c.x, int32_t(c.value)}), std::vector({2, -128, 0x90}));
    SDL_JoystickClose(joy);
    SDL_JoystickDetachVirtual(index);
}
#endif
} // namespace
