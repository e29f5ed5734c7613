// SDL stand-in: the multimedia joystick query on SDL's joystick API.
#include "winapi/joystick.h"
#include "winapi/sdl_display.h"

#include <SDL.h>

namespace {
std::mutex joy_lock;
bool joy_started = false;
SDL_Joystick *opened[16];

// Windows positions run 0..65535 with the centre at 32767/32768.
DWORD position(SDL_Joystick *joy, int axis) {
    if (axis >= SDL_JoystickNumAxes(joy)) return 32767;
    return static_cast<DWORD>(SDL_JoystickGetAxis(joy, axis) + 32768);
}
} // namespace

MMRESULT joyGetPosEx(UINT id, LPJOYINFOEX info) {
    if (!info || info->dwSize < sizeof(JOYINFOEX)) return MMSYSERR_INVALPARAM;
    // As on Windows, a joystick number with no device behind it is a bad parameter.
    if (id >= 16) return JOYERR_PARMS;
    std::lock_guard<std::mutex> guard(joy_lock);
    if (!joy_started) {
        std::lock_guard<std::mutex> init(winapi_sdl_init_lock());
        joy_started = SDL_WasInit(SDL_INIT_JOYSTICK) || SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        if (!joy_started) return JOYERR_UNPLUGGED;
    }
    SDL_JoystickUpdate();
    if (opened[id] && !SDL_JoystickGetAttached(opened[id])) {
        SDL_JoystickClose(opened[id]);
        opened[id] = nullptr;
    }
    if (!opened[id]) {
        if (static_cast<int>(id) >= SDL_NumJoysticks()) return JOYERR_PARMS;
        opened[id] = SDL_JoystickOpen(static_cast<int>(id));
        if (!opened[id]) return JOYERR_UNPLUGGED;
        SDL_JoystickUpdate();
    }
    SDL_Joystick *joy = opened[id];
    info->dwXpos = position(joy, 0);
    info->dwYpos = position(joy, 1);
    info->dwZpos = position(joy, 2);
    info->dwRpos = position(joy, 3);
    info->dwUpos = position(joy, 4);
    info->dwVpos = position(joy, 5);
    DWORD buttons = 0, count = 0;
    int n = SDL_JoystickNumButtons(joy);
    for (int b = 0; b < n && b < 32; b++) {
        if (SDL_JoystickGetButton(joy, b)) {
            buttons |= 1u << b;
            count++;
        }
    }
    info->dwButtons = buttons;
    info->dwButtonNumber = count;
    info->dwPOV = 0xFFFF;
    return JOYERR_NOERROR;
}
