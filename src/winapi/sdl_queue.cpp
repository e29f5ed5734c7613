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

namespace {
bool mouse_message(UINT message) {
    return message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL;
}

// As on Windows, a pointer move updates the move still waiting in the queue instead of
// queueing another, unless a button or wheel message came after it: a fast mouse then adds
// one message, not hundreds a second, ahead of the keys.
bool merge_move(const MSG &msg) {
    if (msg.message != WM_MOUSEMOVE) return false;
    for (auto it = posted.rbegin(); it != posted.rend(); ++it) {
        if (it->hwnd != msg.hwnd || !mouse_message(it->message)) continue;
        if (it->message != WM_MOUSEMOVE) return false;
        *it = msg;
        return true;
    }
    return false;
}
} // namespace

void winapi_queue_post(const MSG &msg) {
    {
        std::lock_guard<std::mutex> guard(queue_lock);
        if (!merge_move(msg)) posted.push_back(msg);
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
