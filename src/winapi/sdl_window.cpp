// SDL stand-in: window classes and windows. Calls from a thread other than the window's own
// hand their SDL work to its UI thread.
#include "winapi/sdl_display.h"
#include "winapi/sdl_present.h"
#include "winapi/sdl_window.h"
#include "winapi/standin.h"

#include <cstdio>

namespace {
struct ClassEntry {
    std::string name;
    WNDPROC proc;
};
std::mutex class_lock;
std::vector<ClassEntry> classes;

// Client size and position for an outer window size under a style.
bool framed(LONG style) {
    return (static_cast<DWORD>(style) & WS_CAPTION) == WS_CAPTION;
}
void outer_to_client(LONG style, int x, int y, int w, int h, SDL_Rect *client) {
    if (framed(style)) {
        w = w < WINAPI_MIN_FRAMED_W ? WINAPI_MIN_FRAMED_W : w;
        h = h < WINAPI_MIN_FRAMED_H ? WINAPI_MIN_FRAMED_H : h;
        x += WINAPI_FRAME_X;
        y += WINAPI_FRAME_TOP;
        w -= 2 * WINAPI_FRAME_X;
        h -= WINAPI_FRAME_TOP + WINAPI_FRAME_BOTTOM;
    }
    *client = SDL_Rect{x, y, w < 1 ? 1 : w, h < 1 ? 1 : h};
}
} // namespace

// --- window classes ---

ATOM RegisterClassA(const WNDCLASSA *wndclass) {
    if (!wndclass || !wndclass->lpszClassName || !wndclass->lpfnWndProc) return 0;
    std::lock_guard<std::mutex> guard(class_lock);
    for (auto &c : classes)
        if (c.name == wndclass->lpszClassName) return 0;
    classes.push_back(ClassEntry{wndclass->lpszClassName, wndclass->lpfnWndProc});
    return static_cast<ATOM>(classes.size());
}

BOOL UnregisterClassA(LPCSTR classname, HINSTANCE) {
    if (!classname) return FALSE;
    for (int i = 0; i < WINAPI_MAX_WINDOWS; i++) {
        WinapiWindow *w = winapi_window_at(i);
        if (winapi_alive(w) && w->classname == classname) return FALSE;
    }
    std::lock_guard<std::mutex> guard(class_lock);
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (it->name == classname) {
            classes.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

// --- windows ---

HWND CreateWindowExA(DWORD exstyle, LPCSTR classname, LPCSTR caption, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> guard(class_lock);
        for (auto &c : classes)
            if (classname && c.name == classname) proc = c.proc;
    }
    if (!proc || !winapi_start_video()) return nullptr;

    WinapiWindow *record = winapi_window_free();
    if (!record) return nullptr;

    SDL_Rect client;
    outer_to_client(static_cast<LONG>(style), x, y, width, height, &client);
    uint32_t flags = SDL_WINDOW_HIDDEN;
    if (!framed(static_cast<LONG>(style))) flags |= SDL_WINDOW_BORDERLESS;
    if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
    SDL_Window *sdl =
        SDL_CreateWindow(caption ? caption : "", client.x, client.y, client.w, client.h, flags);
    if (!sdl) {
        std::fprintf(stderr, "could not create a window: %s\n", SDL_GetError());
        return nullptr;
    }
    SDL_Renderer *renderer = SDL_CreateRenderer(sdl, -1, 0);
    if (!renderer) renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);

    record->ui.thread = std::this_thread::get_id();
    record->proc = proc;
    record->classname = classname;
    record->style.store(static_cast<LONG>(style), std::memory_order_relaxed);
    record->exstyle.store(static_cast<LONG>(exstyle), std::memory_order_relaxed);
    record->fullscreen.store(0, std::memory_order_relaxed);
    record->sdl = sdl;
    record->renderer = renderer;
    record->texture = nullptr;
    record->tex_w = record->tex_h = 0;
    record->sent_w = record->sent_h = -1;
    {
        std::lock_guard<std::mutex> guard(record->frame_lock);
        record->pending_seq = record->shown_seq = 0;
        record->ui.alive.store(1, std::memory_order_release);
    }
    winapi_cache_geometry(record);
    if (style & WS_VISIBLE) SDL_ShowWindow(sdl);
    winapi_send(record, WM_CREATE, 0, 0);
    winapi_report_size(record);
    return winapi_handle(record);
}

BOOL DestroyWindow(HWND window) {
    WinapiWindow *record = winapi_window(window);
    if (!record || !winapi_ui_on_owner(&record->ui)) return FALSE;
    winapi_send(record, WM_DESTROY, 0, 0);
    {
        // Presents from other threads stop here; they never touch SDL.
        std::lock_guard<std::mutex> guard(record->frame_lock);
        record->ui.alive.store(0, std::memory_order_release);
    }
    // Work still queued for this window is dropped, never run on the next one in the record.
    record->ui.generation.fetch_add(1, std::memory_order_relaxed);
    winapi_ui_forget(&record->ui);
    winapi_release_window_video(record);
    return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return FALSE;
    winapi_ui_post(&record->ui, [record, command] {
        if (!winapi_alive(record)) return;
        if (command == SW_HIDE) {
            SDL_HideWindow(record->sdl);
        } else {
            SDL_ShowWindow(record->sdl);
            record->needs_paint = true;
        }
        winapi_cache_geometry(record);
    });
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return FALSE;
    winapi_ui_post(&record->ui, [record] { record->needs_paint = true; });
    return TRUE;
}

HWND SetFocus(HWND window) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return nullptr;
    winapi_ui_post(&record->ui, [record] {
        if (!winapi_alive(record)) return;
        SDL_RaiseWindow(record->sdl);
        if (SDL_GetWindowFlags(record->sdl) & SDL_WINDOW_SHOWN)
            SDL_SetWindowInputFocus(record->sdl);
    });
    return window;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return FALSE;
    std::string copy = text ? text : "";
    winapi_ui_post(&record->ui, [record, copy] {
        if (winapi_alive(record)) SDL_SetWindowTitle(record->sdl, copy.c_str());
    });
    return TRUE;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return 0;
    if (index == GWL_EXSTYLE) return record->exstyle.exchange(value, std::memory_order_relaxed);
    if (index != GWL_STYLE) return 0;
    LONG old = record->style.exchange(value, std::memory_order_relaxed);
    winapi_ui_post(&record->ui, [record, value] {
        if (!winapi_alive(record)) return;
        SDL_SetWindowBordered(record->sdl, framed(value) ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowResizable(record->sdl,
                               (static_cast<DWORD>(value) & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
    });
    return old;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return FALSE;
    auto work = [record, x, y, width, height, flags]() -> int64_t {
        if (!winapi_alive(record)) return FALSE;
        SDL_Rect client;
        outer_to_client(record->style.load(std::memory_order_relaxed), x, y, width, height,
                        &client);
        // A full-screen window keeps its place and size; the display mode decides them.
        if (!record->fullscreen.load(std::memory_order_relaxed)) {
            if (!(flags & SWP_NOSIZE)) SDL_SetWindowSize(record->sdl, client.w, client.h);
            if (!(flags & SWP_NOMOVE)) SDL_SetWindowPosition(record->sdl, client.x, client.y);
        }
        if (flags & SWP_SHOWWINDOW) SDL_ShowWindow(record->sdl);
        winapi_cache_geometry(record);
        winapi_report_size(record);
        return TRUE;
    };
    return static_cast<BOOL>(winapi_ui_wait(&record->ui, work, FALSE));
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    WinapiWindow *record = winapi_window(window);
    if (!record || !rect) return FALSE;
    int32_t x = record->client_x.load(std::memory_order_relaxed);
    int32_t y = record->client_y.load(std::memory_order_relaxed);
    rect->left = x - WINAPI_FRAME_X;
    rect->top = y - WINAPI_FRAME_TOP;
    rect->right = x + record->client_w.load(std::memory_order_relaxed) + WINAPI_FRAME_X;
    rect->bottom = y + record->client_h.load(std::memory_order_relaxed) + WINAPI_FRAME_BOTTOM;
    return TRUE;
}

BOOL winapi_client_size(HWND window, int *width, int *height) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return FALSE;
    if (width) *width = record->client_w.load(std::memory_order_relaxed);
    if (height) *height = record->client_h.load(std::memory_order_relaxed);
    return TRUE;
}

int winapi_window_fullscreen(HWND window) {
    WinapiWindow *record = winapi_window(window);
    return record ? static_cast<int>(record->fullscreen.load(std::memory_order_relaxed)) : 0;
}
