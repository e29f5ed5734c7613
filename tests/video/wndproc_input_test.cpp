// The window procedure's message table and the key, key-code, mouse and wheel values the logic
// thread reads from what it recorded. Messages are given with their Windows numbers.
#include <gtest/gtest.h>

#include "base/library.h"
#include "hw_win32/win32.h"
#include "video/input.h"

namespace {
const UINT KEYDOWN = 256, KEYUP = 257, SIZE = 5, CLOSE = 16, ACTIVATEAPP = 28, WHEEL = 522;
const UINT LDOWN = 513, LUP = 514, RDOWN = 516, RUP = 517, MDOWN = 519, MUP = 520;

class WindowTables : public ::testing::Test {
  protected:
    void SetUp() override {
        for (auto &k : VRX_keys) k.store(0);
        g_keycode = 0;
        g_mouse_buttons = 0;
        g_mouse_z = 0;
        g_mouse_zdir = 0;
        VRX_input_prevkeycode = 0;
        VRX_Initialise();
    }
    void TearDown() override { winapi_discard_messages(); }
    static void msg(UINT message, WPARAM w = 0, LPARAM l = 0) {
        WIN32_WndProc(nullptr, message, w, l);
    }
    static void press(UINT vk) { msg(KEYDOWN, vk); }
    static void release(UINT vk) { msg(KEYUP, vk); }
    static uint32_t held() {
        uint32_t h = 0;
        VRX_GetKeys(&h, nullptr);
        return h;
    }
    static WPARAM wheel(int16_t delta) { return static_cast<WPARAM>(uint16_t(delta)) << 16; }
};

TEST_F(WindowTables, KeyDownAndUpFollowTheLastKey) {
    press('Q');
    EXPECT_EQ(VRX_keys[uint8_t('Q')].load(), 1u);
    EXPECT_EQ(g_keycode.load(), uint32_t('Q'));
    press('W');
    release('Q');
    EXPECT_EQ(VRX_keys[uint8_t('Q')].load(), 0u);
    EXPECT_EQ(g_keycode.load(), uint32_t('W')) << "releasing an older key keeps the last one";
    release('W');
    EXPECT_EQ(g_keycode.load(), 0u);
}

TEST_F(WindowTables, KeyIndexIsTheLowByteOfTheCode) {
    press(0x141);
    EXPECT_EQ(VRX_keys[0x41].load(), 1u);
    EXPECT_EQ(g_keycode.load(), 0x41u);
    release(0x141);
    EXPECT_EQ(VRX_keys[0x41].load(), 0u);
    // The release clears the code only when the message's whole code equals it.
    EXPECT_EQ(g_keycode.load(), 0x41u);
}

TEST_F(WindowTables, SystemKeysAreNotRecorded) {
    const UINT SYSKEYDOWN = 260;
    msg(SYSKEYDOWN, 18);
    msg(SYSKEYDOWN, 121);
    EXPECT_EQ(VRX_keys[18].load(), 0u);
    EXPECT_EQ(VRX_keys[121].load(), 0u);
    EXPECT_EQ(g_keycode.load(), 0u);
}

TEST_F(WindowTables, SizeMessageSetsClientSize) {
    msg(SIZE, 0, (480 << 16) | 640);
    EXPECT_EQ(windowwidth.load(), 640u);
    EXPECT_EQ(windowheight.load(), 480u);
}

TEST_F(WindowTables, ButtonsSetAndClearTheirBits) {
    msg(LDOWN);
    msg(MDOWN);
    EXPECT_EQ(g_mouse_buttons.load(), 5u);
    msg(RDOWN);
    msg(LUP);
    EXPECT_EQ(g_mouse_buttons.load(), 6u);
    msg(RUP);
    msg(MUP);
    EXPECT_EQ(g_mouse_buttons.load(), 0u);
}

TEST_F(WindowTables, WheelCountsMessagesNotDelta) {
    msg(WHEEL, wheel(120));
    msg(WHEEL, wheel(240));
    msg(WHEEL, wheel(1));
    int32_t pos = 0, dir = 0;
    VRX_GetMouseZ(&pos, &dir);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(dir, 1);
    VRX_GetMouseZ(&pos, &dir);
    EXPECT_EQ(pos, 3) << "reading keeps the position";
    EXPECT_EQ(dir, 0) << "reading clears the direction";
    for (int i = 0; i < 6; i++) msg(WHEEL, wheel(-120));
    VRX_GetMouseZ(&pos, &dir);
    EXPECT_EQ(pos, -3);
    EXPECT_EQ(dir, -1);
    msg(WHEEL, wheel(0));
    EXPECT_EQ(g_mouse_z.load(), -3);
    EXPECT_EQ(g_mouse_zdir.load(), 0);
}

TEST_F(WindowTables, CloseEndsTheMessageLoop) {
    msg(ACTIVATEAPP, 1);
    EXPECT_EQ(appactive.load(), 1u);
    msg(CLOSE);
    MSG m;
    EXPECT_EQ(GetMessageA(&m, nullptr, 0, 0), FALSE);
    EXPECT_EQ(m.message, UINT(WM_QUIT));
}

TEST_F(WindowTables, KeySetBitsAndNewlyPressed) {
    press(38);
    press(32);
    uint32_t h = 0, p = 0;
    VRX_GetKeys(&h, &p);
    EXPECT_EQ(h, 0x11u);
    EXPECT_EQ(p, 0x11u);
    VRX_GetKeys(&h, &p);
    EXPECT_EQ(h, 0x11u);
    EXPECT_EQ(p, 0u);
    release(38);
    press(40);
    VRX_GetKeys(&h, &p);
    EXPECT_EQ(h, 0x12u);
    EXPECT_EQ(p, 0x02u);
    VRX_GetKeys(nullptr, nullptr); // null addresses are skipped
}

TEST_F(WindowTables, KeySetTable) {
    const struct {
        UINT vk;
        uint32_t bit;
    } table[] = {{38, 0x1},    {40, 0x2},     {37, 0x4},   {39, 0x8},     {32, 0x10},
                 {17, 0x20},   {16, 0x40},    {18, 0x80},  {'X', 0x100},  {'C', 0x400},
                 {13, 0x1000}, {'1', 0x1000}, {8, 0x2000}, {'2', 0x2000}, {27, 0x8000}};
    for (const auto &t : table) {
        press(t.vk);
        EXPECT_EQ(held(), t.bit) << "key " << t.vk;
        release(t.vk);
    }
    press('A');
    press('Z');
    press('3');
    EXPECT_EQ(held(), 0u) << "keys outside the table set no bit";
}

TEST_F(WindowTables, ReturnAndOneShareABit) {
    press(13);
    EXPECT_EQ(held(), 0x1000u);
    press('1');
    EXPECT_EQ(held(), 0x1000u);
    release(13);
    EXPECT_EQ(held(), 0x1000u);
    release('1');
    EXPECT_EQ(held(), 0u);
}

TEST_F(WindowTables, KeyCodeChangedFlagAndRelease) {
    uint32_t code = 1, changed = 1;
    press(116); // F5
    VRX_GetKeycode(&code, &changed);
    EXPECT_EQ(code, 0xF034u);
    EXPECT_EQ(changed, 1u);
    VRX_GetKeycode(&code, &changed);
    EXPECT_EQ(code, 0xF034u);
    EXPECT_EQ(changed, 0u);
    release(116);
    VRX_GetKeycode(&code, &changed);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(changed, 0u) << "the release itself cleared the previous code";
    VRX_GetKeycode(nullptr, nullptr);
}

TEST_F(WindowTables, KeyCodeOfTheLastKeyStillHeld) {
    uint32_t code = 0;
    press('A');
    press('B');
    VRX_GetKeycode(&code, nullptr);
    EXPECT_EQ(code, 66u);
    release('A');
    VRX_GetKeycode(&code, nullptr);
    EXPECT_EQ(code, 66u);
    release('B');
    VRX_GetKeycode(&code, nullptr);
    EXPECT_EQ(code, 0u);
}

TEST_F(WindowTables, KeyCodeTable) {
    const struct {
        UINT vk;
        uint32_t code;
    } table[] = {{27, 0xF000},  {38, 0xF001},  {40, 0xF002}, {37, 0xF003}, {39, 0xF004},
                 {13, 0xF010},  {16, 0xF011},  {32, 0xF012}, {17, 0xF013}, {18, 0xF014},
                 {8, 0xF020},   {45, 0xF021},  {46, 0xF022}, {33, 0xF023}, {34, 0xF024},
                 {36, 0xF025},  {35, 0xF026},  {20, 0xF027}, {9, 0xF028},  {112, 0xF030},
                 {121, 0xF039}, {123, 0xF03B}, {'A', 65},    {'Z', 90},    {'0', 48},
                 {'9', 57}};
    for (const auto &t : table) {
        press(t.vk);
        uint32_t code = 0;
        VRX_GetKeycode(&code, nullptr);
        EXPECT_EQ(code, t.code) << "key " << t.vk;
        release(t.vk);
    }
}

TEST_F(WindowTables, KeyControllerRowsAndRange) {
    uint32_t keys[16];
    for (uint32_t i = 0; i < 16; i++) keys[i] = 100 + i;
    VRX_SetKeyController(7, keys);
    EXPECT_EQ(VRX_controllerkeys[7][15], 115u);
    VRX_SetKeyController(8, keys);  // outside the table: ignored
    VRX_SetKeyController(-1, keys); // likewise
    VRX_SetKeyController(0, nullptr);
}
} // namespace
