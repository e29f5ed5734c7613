// SDL stand-in: the message loop. Each pass runs the work handed to this thread, turns SDL's
// events into messages, shows new frames and hands out the next message.
#include "winapi/sdl_cursor.h"
#include "winapi/sdl_display.h"
#include "winapi/sdl_events.h"
#include "winapi/sdl_present.h"
#include "winapi/sdl_queue.h"
#include "winapi/sdl_window.h"

namespace {
void pump_events() {
    if (!winapi_video_ready()) return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (!winapi_ui_consume_wake(event)) winapi_translate_event(event);
}
} // namespace

BOOL GetMessageA(LPMSG msg, HWND, UINT, UINT) {
    for (;;) {
        // Read before looking at the queue: a post after the look wakes the wait below.
        uint64_t seen = winapi_ui_wake_count();
        winapi_ui_run_queued();
        pump_events();
        bool pointer_outside = winapi_video_ready() && winapi_cursor_refresh();
        winapi_paint_windows();
        if (winapi_queue_take(msg)) {
            // A frame presented just before this message (a quit, say) is shown before the
            // message is handled, not after it.
            winapi_paint_windows();
            return msg->message != WM_QUIT;
        }
        SDL_Event event;
        if (winapi_ui_idle(seen, pointer_outside ? 10 : 100, &event)) winapi_translate_event(event);
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
