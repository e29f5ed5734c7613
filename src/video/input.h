// Input: key set, key code, mouse, wheel, joystick and the controller list.
#pragma once
#include <cstdint>

// Key set bits returned by VRX_GetKeys.
enum : uint32_t {
    VRX_KEY_UP = 0x0001,
    VRX_KEY_DOWN = 0x0002,
    VRX_KEY_LEFT = 0x0004,
    VRX_KEY_RIGHT = 0x0008,
    VRX_KEY_SPACE = 0x0010,
    VRX_KEY_CONTROL = 0x0020,
    VRX_KEY_SHIFT = 0x0040,
    VRX_KEY_ALT = 0x0080,
    VRX_KEY_X = 0x0100,
    VRX_KEY_C = 0x0400,
    VRX_KEY_RETURN = 0x1000,
    VRX_KEY_BACKSPACE = 0x2000,
    VRX_KEY_ESCAPE = 0x8000
};

struct VRX_Controller {
    int32_t type; // 1 key set, 2 joystick, 3 key code, 4 mouse
    int32_t x;
    int32_t y;
    int32_t z;
    int32_t r;
    uint32_t value;
};

extern uint32_t VRX_input_prevkey;
extern int32_t VRX_input_mousex, VRX_input_mousey, VRX_input_mousez, VRX_input_mousezdir;
extern uint32_t VRX_input_mousebuttons;
extern int32_t VRX_input_mousewidth, VRX_input_mouseheight;
extern VRX_Controller VRX_controller[8];
extern int32_t VRX_numcontrollers;
extern uint32_t VRX_controllerkeys[8][16];

void VRX_GetKeys(uint32_t *held, uint32_t *pressed);
void VRX_GetKeycode(uint32_t *code, uint32_t *changed);
void VRX_GetMouse(int32_t *x, int32_t *y, uint32_t *buttons);
void VRX_GetMouseZ(int32_t *position, int32_t *direction);
void VRX_GetMouseArea(int32_t *width, int32_t *height);
int32_t VRX_input_initcontrollers();
void VRX_input_pollcontrollers();
void VRX_SetKeyController(int32_t controller, const uint32_t *keys);
