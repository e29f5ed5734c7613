// Input devices: the key and mouse tables the window procedure fills, the mouse position and
// the joystick.
#include "base/dbg.h"
#include "hw_win32/win32.h"
#include "video/input.h"
#include "video/input_internal.h"
#include "video/platform_internal.h"

namespace {
constexpr auto relaxed = std::memory_order_relaxed;

struct KeyBit {
    uint8_t key;
    uint32_t bit;
};
const KeyBit key_set_table[] = {{VK_UP, VRX_KEY_UP},
                                {VK_DOWN, VRX_KEY_DOWN},
                                {VK_LEFT, VRX_KEY_LEFT},
                                {VK_RIGHT, VRX_KEY_RIGHT},
                                {VK_SPACE, VRX_KEY_SPACE},
                                {VK_CONTROL, VRX_KEY_CONTROL},
                                {VK_SHIFT, VRX_KEY_SHIFT},
                                {VK_MENU, VRX_KEY_ALT},
                                {'X', VRX_KEY_X},
                                {'C', VRX_KEY_C},
                                {VK_RETURN, VRX_KEY_RETURN},
                                {'1', VRX_KEY_RETURN},
                                {VK_BACK, VRX_KEY_BACKSPACE},
                                {'2', VRX_KEY_BACKSPACE},
                                {VK_ESCAPE, VRX_KEY_ESCAPE}};

struct KeyCode {
    uint8_t key;
    uint32_t code;
};
const KeyCode key_code_table[] = {
    {VK_ESCAPE, 0xF000},  {VK_UP, 0xF001},      {VK_DOWN, 0xF002},  {VK_LEFT, 0xF003},
    {VK_RIGHT, 0xF004},   {VK_RETURN, 0xF010},  {VK_SHIFT, 0xF011}, {VK_SPACE, 0xF012},
    {VK_CONTROL, 0xF013}, {VK_MENU, 0xF014},    {VK_BACK, 0xF020},  {VK_INSERT, 0xF021},
    {VK_DELETE, 0xF022},  {VK_PRIOR, 0xF023},   {VK_NEXT, 0xF024},  {VK_HOME, 0xF025},
    {VK_END, 0xF026},     {VK_CAPITAL, 0xF027}, {VK_TAB, 0xF028}};

// Joystick buttons as key-set bits: 1-4 are Space, Control, Shift and Alt; 5-8 are X, C,
// Return and Backspace.
const uint32_t joystick_bits[8] = {0x0010, 0x0020, 0x0040, 0x0080, 0x0100, 0x0400, 0x1000, 0x2000};

int32_t axis(DWORD position) {
    return (static_cast<int32_t>(position) - 32767) >> 8;
}

bool probe_joystick(UINT id) {
    JOYINFOEX info = {};
    info.dwSize = sizeof(info);
    info.dwFlags = JOY_RETURNALL;
    return joyGetPosEx(id, &info) == JOYERR_NOERROR;
}
} // namespace

void win32_initinput() {}
void win32_closeinput() {}

uint32_t VRX_ll_input_get_keys() {
    uint32_t set = 0;
    for (const KeyBit &k : key_set_table)
        if (VRX_keys[k.key].load(relaxed)) set |= k.bit;
    g_key_input = set;
    return set;
}

uint32_t VRX_ll_input_get_keycode() {
    uint32_t key = g_keycode.load(relaxed);
    if (key >= VK_F1 && key <= VK_F12) return 0xF030 + (key - VK_F1);
    for (const KeyCode &k : key_code_table)
        if (k.key == key) return k.code;
    return key;
}

void VRX_ll_input_get_mouse_pos(int32_t *x, int32_t *y, uint32_t *buttons) {
    RECT rect = {};
    POINT point = {};
    GetWindowRect(winhandle.load(relaxed), &rect);
    GetCursorPos(&point);
    g_mouse_x = point.x - rect.left - WIN32_BORDERX;
    g_mouse_y = point.y - rect.top - WIN32_BORDERTOP;
    if (x) *x = g_mouse_x - g_mouse_xofs;
    if (y) *y = g_mouse_y - g_mouse_yofs;
    if (buttons) *buttons = g_mouse_buttons.load(relaxed);
}

void VRX_ll_input_get_mouse_posz(int32_t *position, int32_t *direction) {
    if (position) *position = g_mouse_z.load(relaxed);
    // Taking the direction and clearing it in one step loses no wheel message in between.
    int32_t dir = g_mouse_zdir.exchange(0, relaxed);
    if (direction) *direction = dir;
}

void VRX_ll_input_get_mouse_area(int32_t *width, int32_t *height) {
    if (width) *width = g_mouse_w;
    if (height) *height = g_mouse_h;
}

int32_t win32_initjoystick() {
    return probe_joystick(JOYSTICKID1) ? 1 : 0;
}

void win32_checkjoystick(int32_t, int32_t *x, int32_t *y, int32_t *z, int32_t *r,
                         uint32_t *buttons) {
    JOYINFOEX info = {};
    info.dwSize = sizeof(info);
    info.dwFlags = JOY_RETURNALL;
    int32_t ax = 0, ay = 0, az = 0, ar = 0;
    uint32_t bits = 0;
    if (joyGetPosEx(JOYSTICKID1, &info) == JOYERR_NOERROR) {
        ax = axis(info.dwXpos);
        ay = axis(info.dwYpos);
        az = axis(info.dwZpos);
        ar = axis(info.dwRpos);
        for (int b = 0; b < 8; b++)
            if (info.dwButtons & (1u << b)) bits |= joystick_bits[b];
    }
    if (x) *x = ax;
    if (y) *y = ay;
    if (z) *z = az;
    if (r) *r = ar;
    if (buttons) *buttons = bits;
}

void VRX_ll_input_getjoypad(int32_t *x, int32_t *y, int32_t *z, int32_t *r, uint32_t *buttons) {
    win32_checkjoystick(1, x, y, z, r, buttons);
}

int32_t VRX_ll_input_scancontrollers() {
    const int32_t fixed_types[3] = {1, 3, 4};
    int32_t n = 0;
    for (int32_t type : fixed_types) VRX_controller[n++] = VRX_Controller{type, 0, 0, 0, 0, 0};
    // Probe i asks joystick i, so one joystick is counted once.
    for (UINT probe = 0; probe < 4; probe++) {
        if (!probe_joystick(JOYSTICKID1 + probe)) continue;
        VRX_controller[n++] = VRX_Controller{2, 0, 0, 0, 0, 0};
        _dbg_printf("joystick found, id: %d\n", static_cast<int>(probe));
    }
    return n;
}
