// SDL stand-in: the table of window records, messages sent to them and their client geometry.
#include "winapi/sdl_window.h"

namespace {
WinapiWindow windows[WINAPI_MAX_WINDOWS];
std::atomic<uint32_t> next_window{0};
} // namespace

bool winapi_alive(const WinapiWindow *record) {
    return record->ui.alive.load(std::memory_order_acquire) != 0;
}

WinapiWindow *winapi_window_at(int32_t index) {
    return (index >= 0 && index < WINAPI_MAX_WINDOWS) ? &windows[index] : nullptr;
}

WinapiWindow *winapi_window(HWND window) {
    for (auto &w : windows) {
        if (reinterpret_cast<HWND>(&w) == window) return winapi_alive(&w) ? &w : nullptr;
    }
    return nullptr;
}

WinapiWindow *winapi_first_window() {
    for (auto &w : windows)
        if (winapi_alive(&w)) return &w;
    return nullptr;
}

WinapiWindow *winapi_window_free() {
    // Round robin, so that a handle just destroyed is not handed out again at once.
    for (int i = 0; i < WINAPI_MAX_WINDOWS; i++) {
        WinapiWindow *w = &windows[next_window.fetch_add(1) % WINAPI_MAX_WINDOWS];
        if (!winapi_alive(w) && !w->sdl) return w;
    }
    return nullptr;
}

HWND winapi_handle(WinapiWindow *record) {
    return reinterpret_cast<HWND>(record);
}

WinapiWindow *winapi_window_from_sdl(uint32_t id) {
    for (auto &w : windows) {
        if (winapi_alive(&w) && winapi_ui_on_owner(&w.ui) && w.sdl &&
            (id == 0 || SDL_GetWindowID(w.sdl) == id))
            return &w;
    }
    return nullptr;
}

LRESULT winapi_send(WinapiWindow *record, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!record || !record->proc) return 0;
    return record->proc(winapi_handle(record), message, wparam, lparam);
}

void winapi_cache_geometry(WinapiWindow *record) {
    if (!record->sdl) return;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(record->sdl, &x, &y);
    SDL_GetWindowSize(record->sdl, &w, &h);
    record->client_x.store(x, std::memory_order_relaxed);
    record->client_y.store(y, std::memory_order_relaxed);
    record->client_w.store(w, std::memory_order_relaxed);
    record->client_h.store(h, std::memory_order_relaxed);
}

void winapi_report_size(WinapiWindow *record) {
    int32_t w = record->client_w.load(std::memory_order_relaxed);
    int32_t h = record->client_h.load(std::memory_order_relaxed);
    if (w == record->sent_w && h == record->sent_h) return;
    record->sent_w = w;
    record->sent_h = h;
    record->needs_paint = true;
    winapi_send(record, WM_SIZE, 0, MAKELPARAM(w, h));
}
