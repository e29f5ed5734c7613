// SDL stand-in: the pointer. SetCursor(nullptr) hides it over the client area, ShowCursor
// counts as on Windows; its position is kept in screen coordinates.
#include "winapi/sdl_cursor.h"

#include <cstring>

#include "winapi/sdl_display.h"

namespace {
std::atomic<uint32_t> cursor_none{0};
std::atomic<int32_t> cursor_count{0};
std::atomic<int32_t> cursor_x{0}, cursor_y{0};

// Drivers whose global pointer position is in the screen coordinates the window positions use;
// on the others SDL reports the position inside the window only.
bool driver_has_global_pointer() {
    const char *driver = SDL_GetCurrentVideoDriver();
    for (const char *name : {"x11", "windows", "cocoa"})
        if (driver && std::strcmp(driver, name) == 0) return true;
    return false;
}

void post_cursor_update() {
    if (WinapiWindow *record = winapi_first_window())
        winapi_ui_post(&record->ui, [] { winapi_apply_cursor(); });
}
} // namespace

void winapi_apply_cursor() {
    if (!winapi_video_ready()) return;
    bool hide = cursor_none.load(std::memory_order_relaxed) ||
                cursor_count.load(std::memory_order_relaxed) < 0;
    SDL_ShowCursor(hide ? SDL_DISABLE : SDL_ENABLE);
}

void winapi_cursor_track(WinapiWindow *record, int32_t x, int32_t y) {
    cursor_x.store(record->client_x.load(std::memory_order_relaxed) + x, std::memory_order_relaxed);
    cursor_y.store(record->client_y.load(std::memory_order_relaxed) + y, std::memory_order_relaxed);
}

bool winapi_cursor_refresh() {
    static const bool global = driver_has_global_pointer();
    if (!global || SDL_GetMouseFocus() != nullptr) return false;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    cursor_x.store(x, std::memory_order_relaxed);
    cursor_y.store(y, std::memory_order_relaxed);
    return true;
}

POINT winapi_cursor_position() {
    return POINT{cursor_x.load(std::memory_order_relaxed),
                 cursor_y.load(std::memory_order_relaxed)};
}

HCURSOR SetCursor(HCURSOR cursor) {
    uint32_t was = cursor_none.exchange(cursor == nullptr ? 1 : 0, std::memory_order_relaxed);
    if (was != (cursor == nullptr ? 1u : 0u)) post_cursor_update();
    return nullptr;
}

int ShowCursor(BOOL show) {
    int32_t count =
        cursor_count.fetch_add(show ? 1 : -1, std::memory_order_relaxed) + (show ? 1 : -1);
    post_cursor_update();
    return count;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = winapi_cursor_position();
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
    WinapiWindow *record = winapi_window(window);
    if (!record || !point) return FALSE;
    point->x -= record->client_x.load(std::memory_order_relaxed);
    point->y -= record->client_y.load(std::memory_order_relaxed);
    return TRUE;
}
