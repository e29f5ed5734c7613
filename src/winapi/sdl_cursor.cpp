// SDL stand-in: the pointer. SetCursor(nullptr) hides it over the client area, ShowCursor
// counts as on Windows; its position is kept in screen coordinates.
#include "winapi/sdl_cursor.h"

#include <cstring>

#include "winapi/sdl_display.h"

namespace {
std::atomic<uint32_t> cursor_none{0};
std::atomic<int32_t> cursor_count{0};
// x in the low half, y in the high half: readers on other threads never see half a move.
std::atomic<uint64_t> cursor_xy{0};

void store_cursor(int32_t x, int32_t y) {
    cursor_xy.store(uint64_t(uint32_t(x)) | (uint64_t(uint32_t(y)) << 32),
                    std::memory_order_relaxed);
}

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
    store_cursor(record->client_x.load(std::memory_order_relaxed) + x,
                 record->client_y.load(std::memory_order_relaxed) + y);
}

bool winapi_cursor_refresh() {
    static const bool global = driver_has_global_pointer();
    if (!global || SDL_GetMouseFocus() != nullptr) return false;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    store_cursor(x, y);
    return true;
}

POINT winapi_cursor_position() {
    uint64_t xy = cursor_xy.load(std::memory_order_relaxed);
    return POINT{int32_t(uint32_t(xy)), int32_t(uint32_t(xy >> 32))};
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
