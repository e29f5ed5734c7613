// Input, portable side: key set, key code, mouse, wheel and the controller list.
#include "video/input.h"

#include "video/input_internal.h"
#include "video/platform_internal.h"

std::atomic<uint32_t> VRX_keys[256];
std::atomic<uint32_t> g_keycode{0};
std::atomic<uint32_t> g_mouse_buttons{0};
std::atomic<int32_t> g_mouse_z{0};
std::atomic<int32_t> g_mouse_zdir{0};

uint32_t g_key_input = 0;
int32_t g_mouse_x = 160, g_mouse_y = 0, g_mouse_xofs = 0, g_mouse_yofs = 0;
int32_t g_mouse_w = 0, g_mouse_h = 0;

std::atomic<uint32_t> VRX_input_prevkeycode{0};
uint32_t VRX_input_prevkey = 0;
int32_t VRX_input_mousex = 0, VRX_input_mousey = 0, VRX_input_mousez = 0;
int32_t VRX_input_mousezdir = 0;
uint32_t VRX_input_mousebuttons = 0;
int32_t VRX_input_mousewidth = 0, VRX_input_mouseheight = 0;
VRX_Controller VRX_controller[8] = {};
int32_t VRX_numcontrollers = 0;
uint32_t VRX_controllerkeys[8][16] = {};

void VRX_GetKeys(uint32_t *held, uint32_t *pressed) {
    uint32_t keys = VRX_ll_input_get_keys();
    if (held) *held = keys;
    if (pressed) *pressed = keys & ~VRX_input_prevkey;
    VRX_input_prevkey = keys;
}

void VRX_GetKeycode(uint32_t *code, uint32_t *changed) {
    uint32_t kc = VRX_ll_input_get_keycode();
    if (code) *code = kc;
    uint32_t previous = VRX_input_prevkeycode.load(std::memory_order_relaxed);
    if (changed) *changed = kc != previous ? 1 : 0;
    VRX_input_prevkeycode.store(kc, std::memory_order_relaxed);
}

void VRX_GetMouse(int32_t *x, int32_t *y, uint32_t *buttons) {
    VRX_ll_input_get_mouse_pos(&VRX_input_mousex, &VRX_input_mousey, &VRX_input_mousebuttons);
    if (x) *x = VRX_input_mousex;
    if (y) *y = VRX_input_mousey;
    if (buttons) *buttons = VRX_input_mousebuttons;
}

void VRX_GetMouseZ(int32_t *position, int32_t *direction) {
    VRX_ll_input_get_mouse_posz(&VRX_input_mousez, &VRX_input_mousezdir);
    if (position) *position = VRX_input_mousez;
    if (direction) *direction = VRX_input_mousezdir;
}

void VRX_GetMouseArea(int32_t *width, int32_t *height) {
    if (width) *width = VRX_input_mousewidth;
    if (height) *height = VRX_input_mouseheight;
}

int32_t VRX_input_initcontrollers() {
    VRX_numcontrollers = VRX_ll_input_scancontrollers();
    return VRX_numcontrollers;
}

void VRX_input_pollcontrollers() {
    for (int32_t i = 0; i < VRX_numcontrollers && i < 8; i++) {
        VRX_Controller &c = VRX_controller[i];
        switch (c.type) {
        case 1:
            VRX_GetKeys(&c.value, nullptr);
            break;
        case 2:
            VRX_ll_input_getjoypad(&c.x, &c.y, &c.z, &c.r, &c.value);
            break;
        case 3:
            VRX_GetKeycode(&c.value, nullptr);
            break;
        case 4:
            VRX_GetMouse(&c.x, &c.y, &c.value);
            break;
        default:
            break;
        }
    }
}

void VRX_SetKeyController(int32_t controller, const uint32_t *keys) {
    if (controller < 0 || controller > 7 || !keys) return;
    for (int i = 0; i < 16; i++) VRX_controllerkeys[controller][i] = keys[i];
}
