// SDL stand-in: the posted-message queue, and the quit request that ends the message loop.
#include "winapi/sdl_queue.h"

#include <deque>
#include <mutex>

#include "winapi/sdl_ui_thread.h"
#include "winapi/sdl_window.h"
#include "winapi/standin.h"

namespace {
std::mutex queue_lock;
std::deque<MSG> posted;
bool quit_pending = false;
int quit_code = 0;
} // namespace

void winapi_queue_post(const MSG &msg) {
    {
        std::lock_guard<std::mutex> guard(queue_lock);
        posted.push_back(msg);
    }
    winapi_ui_wake();
}

bool winapi_queue_take(MSG *msg) {
    std::lock_guard<std::mutex> guard(queue_lock);
    if (!posted.empty()) {
        *msg = posted.front();
        posted.pop_front();
        return true;
    }
    if (!quit_pending) return false;
    quit_pending = false;
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(quit_code);
    return true;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (window && !winapi_window(window)) return FALSE;
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = GetTickCount();
    winapi_queue_post(msg);
    return TRUE;
}

void PostQuitMessage(int code) {
    {
        std::lock_guard<std::mutex> guard(queue_lock);
        quit_pending = true;
        quit_code = code;
    }
    winapi_ui_wake();
}

void winapi_discard_messages() {
    std::lock_guard<std::mutex> guard(queue_lock);
    posted.clear();
    quit_pending = false;
}
