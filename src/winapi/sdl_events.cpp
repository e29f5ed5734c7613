// SDL stand-in: SDL events turned into window messages, with Windows message numbers and
// virtual-key codes.
#include "winapi/sdl_events.h"

#include "winapi/sdl_cursor.h"
#include "winapi/sdl_queue.h"
#include "winapi/sdl_window.h"

namespace {
MSG make(WinapiWindow *record, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg{};
    msg.hwnd = winapi_handle(record);
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = GetTickCount();
    msg.pt = winapi_cursor_position();
    return msg;
}

WPARAM button_state() {
    uint32_t b = SDL_GetMouseState(nullptr, nullptr);
    WPARAM w = 0;
    if (b & SDL_BUTTON_LMASK) w |= MK_LBUTTON;
    if (b & SDL_BUTTON_RMASK) w |= MK_RBUTTON;
    if (b & SDL_BUTTON_MMASK) w |= MK_MBUTTON;
    return w;
}

void translate_key(const SDL_KeyboardEvent &key) {
    WinapiWindow *record = winapi_window_from_sdl(key.windowID);
    if (!record) record = winapi_window_from_sdl(0);
    UINT vk = winapi_virtual_key(key.keysym);
    if (!record || vk == 0) return;
    bool down = key.type == SDL_KEYDOWN;
    // As on Windows: Alt, F10 and keys held with Alt are system keys. Alt's own release is
    // one too, but without the Alt bit: Alt is up by then.
    bool alt = (key.keysym.mod & KMOD_ALT) != 0 || (vk == VK_MENU && key.type == SDL_KEYDOWN);
    bool sys = alt || vk == VK_MENU || vk == VK_F10;
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    uint32_t lparam = 1u | ((static_cast<uint32_t>(key.keysym.scancode) & 0xFF) << 16);
    if (alt) lparam |= 1u << 29;
    if (!down)
        lparam |= (1u << 30) | (1u << 31);
    else if (key.repeat)
        lparam |= 1u << 30;
    winapi_queue_post(make(record, message, vk, static_cast<LPARAM>(static_cast<int32_t>(lparam))));
}

// As on Windows, the window losing the keyboard is told so; releases of the keys it holds are
// not its to see (SDL may still report them).
void lose_focus(WinapiWindow *record) {
    winapi_send(record, WM_ACTIVATEAPP, 0, 0);
    winapi_send(record, WM_KILLFOCUS, 0, 0);
}

void translate_window(const SDL_WindowEvent &event) {
    WinapiWindow *record = winapi_window_from_sdl(event.windowID);
    if (!record) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_MOVED:
        winapi_cache_geometry(record);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED:
        winapi_cache_geometry(record);
        winapi_report_size(record);
        record->needs_paint = true;
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
        winapi_cache_geometry(record);
        record->needs_paint = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        winapi_apply_cursor();
        winapi_send(record, WM_ACTIVATEAPP, 1, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        lose_focus(record);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        // The close box: the window procedure decides, the window is not destroyed here.
        winapi_send(record, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void translate_button(const SDL_MouseButtonEvent &button) {
    WinapiWindow *record = winapi_window_from_sdl(button.windowID);
    if (!record) return;
    winapi_cursor_track(record, button.x, button.y);
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    UINT message = 0;
    if (button.button == SDL_BUTTON_LEFT) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (button.button == SDL_BUTTON_RIGHT) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    if (button.button == SDL_BUTTON_MIDDLE) message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    if (message)
        winapi_queue_post(make(record, message, button_state(), MAKELPARAM(button.x, button.y)));
}

void translate_wheel(const SDL_MouseWheelEvent &wheel) {
    WinapiWindow *record = winapi_window_from_sdl(wheel.windowID);
    int32_t y = wheel.y;
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) y = -y;
    if (!record || y == 0) return;
    int32_t delta = y * WHEEL_DELTA;
    WPARAM wparam = (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | button_state();
    POINT at = winapi_cursor_position();
    winapi_queue_post(make(record, WM_MOUSEWHEEL, wparam, MAKELPARAM(at.x, at.y)));
}

// A termination signal: close the windows as the user would.
void translate_quit() {
    bool any = false;
    for (int i = 0; i < WINAPI_MAX_WINDOWS; i++) {
        WinapiWindow *record = winapi_window_at(i);
        if (winapi_alive(record) && record->sdl && winapi_ui_on_owner(&record->ui)) {
            any = true;
            winapi_send(record, WM_CLOSE, 0, 0);
        }
    }
    if (!any) PostQuitMessage(0);
}
} // namespace

void winapi_translate_event(const SDL_Event &event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        translate_window(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translate_key(event.key);
        break;
    case SDL_MOUSEMOTION: {
        WinapiWindow *record = winapi_window_from_sdl(event.motion.windowID);
        if (!record) break;
        winapi_cursor_track(record, event.motion.x, event.motion.y);
        winapi_queue_post(
            make(record, WM_MOUSEMOVE, button_state(), MAKELPARAM(event.motion.x, event.motion.y)));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translate_button(event.button);
        break;
    case SDL_MOUSEWHEEL:
        translate_wheel(event.wheel);
        break;
    case SDL_QUIT:
        translate_quit();
        break;
    default:
        break;
    }
}
