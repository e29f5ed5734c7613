// SDL stand-in: the message queue, the message loop and SDL events turned into messages.
#include "winapi/sdl_window.h"

#include <chrono>
#include <condition_variable>
#include <deque>

extern uint32_t winapi_wake_event_type;

namespace {
std::mutex queue_lock;
std::condition_variable queue_cv;
std::deque<MSG> posted;
bool quit_pending = false;
int quit_code = 0;
uint64_t wake_count = 0;
std::atomic<uint32_t> wake_event_pending{0};

// The pointer in screen coordinates, as the UI thread last saw it.
std::atomic<int32_t> cursor_x{0}, cursor_y{0};

void post(const MSG &msg) {
    {
        std::lock_guard<std::mutex> guard(queue_lock);
        posted.push_back(msg);
    }
    winapi_ui_wake();
}

MSG make(WinapiWindow *record, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg{};
    msg.hwnd = winapi_handle(record);
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = GetTickCount();
    msg.pt.x = cursor_x.load(std::memory_order_relaxed);
    msg.pt.y = cursor_y.load(std::memory_order_relaxed);
    return msg;
}

void track_pointer(WinapiWindow *record, int32_t x, int32_t y) {
    cursor_x.store(record->client_x.load(std::memory_order_relaxed) + x, std::memory_order_relaxed);
    cursor_y.store(record->client_y.load(std::memory_order_relaxed) + y, std::memory_order_relaxed);
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
    UINT vk = winapi_virtual_key(key.keysym.sym);
    if (!record || vk == 0) return;
    bool down = key.type == SDL_KEYDOWN;
    bool alt = (key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
    // As on Windows: Alt, F10 and keys held with Alt are system keys.
    bool sys = alt || vk == VK_F10;
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    uint32_t lparam = 1u | ((static_cast<uint32_t>(key.keysym.scancode) & 0xFF) << 16);
    if (alt) lparam |= 1u << 29;
    if (!down)
        lparam |= (1u << 30) | (1u << 31);
    else if (key.repeat)
        lparam |= 1u << 30;
    post(make(record, message, vk, static_cast<LPARAM>(static_cast<int32_t>(lparam))));
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
        winapi_send(record, WM_ACTIVATEAPP, 0, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        // The close box: the window procedure decides, the window is not destroyed here.
        winapi_send(record, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}
} // namespace

void winapi_ui_wake() {
    {
        std::lock_guard<std::mutex> guard(queue_lock);
        wake_count++;
    }
    queue_cv.notify_all();
    if (winapi_video_ready() && !wake_event_pending.exchange(1, std::memory_order_relaxed)) {
        SDL_Event event{};
        event.type = winapi_wake_event_type;
        if (SDL_PushEvent(&event) != 1) wake_event_pending.store(0, std::memory_order_relaxed);
    }
}

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
        track_pointer(record, event.motion.x, event.motion.y);
        post(
            make(record, WM_MOUSEMOVE, button_state(), MAKELPARAM(event.motion.x, event.motion.y)));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        WinapiWindow *record = winapi_window_from_sdl(event.button.windowID);
        if (!record) break;
        track_pointer(record, event.button.x, event.button.y);
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        UINT message = 0;
        if (event.button.button == SDL_BUTTON_LEFT) message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        if (event.button.button == SDL_BUTTON_RIGHT) message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        if (event.button.button == SDL_BUTTON_MIDDLE)
            message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        if (message)
            post(make(record, message, button_state(), MAKELPARAM(event.button.x, event.button.y)));
        break;
    }
    case SDL_MOUSEWHEEL: {
        WinapiWindow *record = winapi_window_from_sdl(event.wheel.windowID);
        int32_t y = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) y = -y;
        if (!record || y == 0) break;
        int32_t delta = y * WHEEL_DELTA;
        WPARAM wparam = (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | button_state();
        post(make(record, WM_MOUSEWHEEL, wparam,
                  MAKELPARAM(cursor_x.load(std::memory_order_relaxed),
                             cursor_y.load(std::memory_order_relaxed))));
        break;
    }
    case SDL_QUIT: {
        // A termination signal: close the windows as the user would.
        bool any = false;
        for (int i = 0; i < WINAPI_MAX_WINDOWS; i++) {
            WinapiWindow *record = winapi_window_at(i);
            if (record->alive.load(std::memory_order_acquire) && record->sdl &&
                record->owner == std::this_thread::get_id()) {
                any = true;
                winapi_send(record, WM_CLOSE, 0, 0);
            }
        }
        if (!any) PostQuitMessage(0);
        break;
    }
    default:
        if (event.type == winapi_wake_event_type)
            wake_event_pending.store(0, std::memory_order_relaxed);
        break;
    }
}

BOOL GetMessageA(LPMSG msg, HWND, UINT, UINT) {
    for (;;) {
        winapi_ui_run_queued();
        if (winapi_video_ready()) {
            SDL_Event event;
            while (SDL_PollEvent(&event)) winapi_translate_event(event);
        }
        winapi_paint_windows();
        uint64_t seen;
        bool have = false;
        {
            std::lock_guard<std::mutex> guard(queue_lock);
            if (!posted.empty()) {
                *msg = posted.front();
                posted.pop_front();
                have = true;
            } else if (quit_pending) {
                quit_pending = false;
                *msg = MSG{};
                msg->message = WM_QUIT;
                msg->wParam = static_cast<WPARAM>(quit_code);
                have = true;
            }
            seen = wake_count;
        }
        if (have) {
            // A frame presented just before this message (a quit, say) is shown before the
            // message is handled, not after it.
            winapi_paint_windows();
            return msg->message != WM_QUIT;
        }
        if (winapi_video_ready()) {
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, 100)) winapi_translate_event(event);
        } else {
            std::unique_lock<std::mutex> lock(queue_lock);
            queue_cv.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return wake_count != seen; });
        }
    }
}

BOOL TranslateMessage(const MSG *) {
    return FALSE; // the layer uses no character messages
}

LRESULT DispatchMessageA(const MSG *msg) {
    if (!msg) return 0;
    WinapiWindow *record = winapi_window(msg->hwnd);
    return record ? winapi_send(record, msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return 0;
    switch (message) {
    case WM_SYSKEYDOWN:
        if (wparam == VK_F4 && (lparam & (1 << 29)))
            return winapi_send(record, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) == SC_CLOSE) return winapi_send(record, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    default:
        return 0;
    }
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (window && !winapi_window(window)) return FALSE;
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = GetTickCount();
    post(msg);
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

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    point->x = cursor_x.load(std::memory_order_relaxed);
    point->y = cursor_y.load(std::memory_order_relaxed);
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
    WinapiWindow *record = winapi_window(window);
    if (!record || !point) return FALSE;
    point->x -= record->client_x.load(std::memory_order_relaxed);
    point->y -= record->client_y.load(std::memory_order_relaxed);
    return TRUE;
}
