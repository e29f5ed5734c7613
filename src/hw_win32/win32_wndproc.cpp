// The window procedure: records keys, buttons, wheel and client size for the logic thread.
#include "hw_win32/win32.h"
#include "video/input_internal.h"

namespace {
constexpr auto relaxed = std::memory_order_relaxed;
}

LRESULT CALLBACK WIN32_WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DESTROY:
        PostMessageA(winhandle.load(relaxed), WM_QUIT, 0, 0);
        return 0;
    case WM_SIZE:
        windowwidth.store(static_cast<uint32_t>(lparam) & 0xFFFF, relaxed);
        windowheight.store(static_cast<uint32_t>(static_cast<int32_t>(lparam) >> 16), relaxed);
        break;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATEAPP:
        appactive.store(static_cast<uint32_t>(wparam), relaxed);
        return 0;
    case WM_KILLFOCUS:
        // A key released while another window has the keyboard is never reported here: none
        // stays held for good.
        for (auto &key : VRX_keys) key.store(0, relaxed);
        VRX_input_prevkeycode.store(0, relaxed);
        g_keycode.store(0, relaxed);
        break;
    case WM_KEYDOWN: {
        uint32_t k = static_cast<uint32_t>(wparam) & 255;
        VRX_keys[k].store(1, relaxed);
        g_keycode.store(k, relaxed);
        break;
    }
    case WM_KEYUP: {
        uint32_t k = static_cast<uint32_t>(wparam) & 255;
        VRX_keys[k].store(0, relaxed);
        if (g_keycode.load(relaxed) == wparam) {
            VRX_input_prevkeycode.store(0, relaxed);
            g_keycode.store(0, relaxed);
        }
        break;
    }
    case WM_SYSCOMMAND:
        // Neither the screen saver nor monitor power-down while the window has focus.
        if ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_MONITORPOWER) return 0;
        break;
    case WM_MOUSEMOVE: {
        POINT p;
        if (GetCursorPos(&p) && ScreenToClient(window, &p) && p.x >= 0 &&
            static_cast<uint32_t>(p.x) < windowwidth.load(relaxed) && p.y >= 0 &&
            static_cast<uint32_t>(p.y) < windowheight.load(relaxed))
            SetCursor(nullptr);
        break;
    }
    case WM_LBUTTONDOWN:
        g_mouse_buttons.fetch_or(1, relaxed);
        break;
    case WM_LBUTTONUP:
        g_mouse_buttons.fetch_and(~1u, relaxed);
        break;
    case WM_RBUTTONDOWN:
        g_mouse_buttons.fetch_or(2, relaxed);
        break;
    case WM_RBUTTONUP:
        g_mouse_buttons.fetch_and(~2u, relaxed);
        break;
    case WM_MBUTTONDOWN:
        g_mouse_buttons.fetch_or(4, relaxed);
        break;
    case WM_MBUTTONUP:
        g_mouse_buttons.fetch_and(~4u, relaxed);
        break;
    case WM_MOUSEWHEEL: {
        int16_t d = static_cast<int16_t>((wparam >> 16) & 0xFFFF);
        if (d < 0) {
            g_mouse_z.fetch_sub(1, relaxed);
            g_mouse_zdir.store(-1, relaxed);
        } else if (d > 0) {
            g_mouse_z.fetch_add(1, relaxed);
            g_mouse_zdir.store(1, relaxed);
        } else {
            g_mouse_zdir.store(0, relaxed);
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
