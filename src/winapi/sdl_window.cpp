// SDL stand-in: window classes, windows and the hand-over of window work to the UI thread.
#include "winapi/sdl_window.h"
#include "winapi/gdi.h"

#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <deque>
#include <future>
#include <memory>

namespace {
struct ClassEntry {
    std::string name;
    WNDPROC proc;
};
std::mutex class_lock;
std::vector<ClassEntry> classes;

WinapiWindow windows[WINAPI_MAX_WINDOWS];
std::atomic<uint32_t> next_window{0};

struct Task {
    WinapiWindow *record;
    std::function<void()> work;
};
std::mutex task_lock;
std::deque<Task> tasks;

std::mutex init_lock;
std::atomic<uint32_t> video_ready{0};

// Screen size for the device capabilities, cached on the UI thread.
std::atomic<int32_t> desktop_w{1024}, desktop_h{768};

// Pointer visibility: SetCursor(nullptr) hides it over the client area, ShowCursor counts.
std::atomic<uint32_t> cursor_none{0};
std::atomic<int32_t> cursor_count{0};

bool on_owner(const WinapiWindow *record) {
    return record->owner == std::this_thread::get_id();
}

// Client size and position for an outer window size under a style.
bool framed(LONG style) {
    return (static_cast<DWORD>(style) & WS_CAPTION) == WS_CAPTION;
}
void outer_to_client(LONG style, int x, int y, int w, int h, SDL_Rect *client) {
    if (framed(style)) {
        x += WINAPI_FRAME_X;
        y += WINAPI_FRAME_TOP;
        w -= 2 * WINAPI_FRAME_X;
        h -= WINAPI_FRAME_TOP + WINAPI_FRAME_BOTTOM;
    }
    *client = SDL_Rect{x, y, w < 1 ? 1 : w, h < 1 ? 1 : h};
}
} // namespace

std::mutex &winapi_sdl_init_lock() {
    return init_lock;
}

bool winapi_video_ready() {
    return video_ready.load(std::memory_order_acquire) != 0;
}

uint32_t winapi_wake_event_type = 0;

int winapi_start_video() {
    std::lock_guard<std::mutex> guard(init_lock);
    if (video_ready.load(std::memory_order_relaxed)) return 1;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        // No display: run on the dummy driver unless the user chose a driver.
        if (std::getenv("SDL_VIDEODRIVER") != nullptr) return 0;
        std::fprintf(stderr, "no display (%s); using SDL's dummy video driver\n", SDL_GetError());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    }
    winapi_wake_event_type = SDL_RegisterEvents(1);
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        desktop_w.store(mode.w, std::memory_order_relaxed);
        desktop_h.store(mode.h, std::memory_order_relaxed);
    }
    video_ready.store(1, std::memory_order_release);
    return 1;
}

int32_t winapi_desktop_width() {
    return desktop_w.load(std::memory_order_relaxed);
}
int32_t winapi_desktop_height() {
    return desktop_h.load(std::memory_order_relaxed);
}

WinapiWindow *winapi_window_at(int32_t index) {
    return (index >= 0 && index < WINAPI_MAX_WINDOWS) ? &windows[index] : nullptr;
}

WinapiWindow *winapi_window(HWND window) {
    for (auto &w : windows) {
        if (reinterpret_cast<HWND>(&w) == window)
            return w.alive.load(std::memory_order_acquire) ? &w : nullptr;
    }
    return nullptr;
}

HWND winapi_handle(WinapiWindow *record) {
    return reinterpret_cast<HWND>(record);
}

WinapiWindow *winapi_window_from_sdl(uint32_t id) {
    for (auto &w : windows) {
        if (w.alive.load(std::memory_order_relaxed) && on_owner(&w) && w.sdl &&
            (id == 0 || SDL_GetWindowID(w.sdl) == id))
            return &w;
    }
    return nullptr;
}

void winapi_ui_post(WinapiWindow *record, std::function<void()> work) {
    if (!record) return;
    if (on_owner(record)) {
        work();
        return;
    }
    {
        std::lock_guard<std::mutex> guard(task_lock);
        tasks.push_back(Task{record, std::move(work)});
    }
    winapi_ui_wake();
}

int64_t winapi_ui_wait(WinapiWindow *record, std::function<int64_t()> work, int64_t failed) {
    if (!record) return failed;
    if (on_owner(record)) return work();
    auto job = std::make_shared<std::packaged_task<int64_t()>>(std::move(work));
    std::future<int64_t> result = job->get_future();
    {
        std::lock_guard<std::mutex> guard(task_lock);
        tasks.push_back(Task{record, [job] { (*job)(); }});
    }
    winapi_ui_wake();
    // A UI thread that has left its loop never answers; the caller goes on without the result.
    for (int i = 0; i < 100; i++) {
        if (result.wait_for(std::chrono::milliseconds(10)) == std::future_status::ready)
            return result.get();
        if (!record->alive.load(std::memory_order_acquire)) return failed;
    }
    return failed;
}

void winapi_ui_run_queued() {
    std::deque<Task> mine;
    {
        std::lock_guard<std::mutex> guard(task_lock);
        for (auto it = tasks.begin(); it != tasks.end();) {
            if (on_owner(it->record)) {
                mine.push_back(std::move(*it));
                it = tasks.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto &t : mine) t.work();
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

void winapi_apply_cursor() {
    if (!winapi_video_ready()) return;
    bool hide = cursor_none.load(std::memory_order_relaxed) ||
                cursor_count.load(std::memory_order_relaxed) < 0;
    SDL_ShowCursor(hide ? SDL_DISABLE : SDL_ENABLE);
}

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
    for (auto &w : windows)
        if (w.alive.load(std::memory_order_acquire) && w.classname == classname) return FALSE;
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

    WinapiWindow *record = nullptr;
    for (int i = 0; i < WINAPI_MAX_WINDOWS && !record; i++) {
        WinapiWindow *w = &windows[next_window.fetch_add(1) % WINAPI_MAX_WINDOWS];
        if (!w->alive.load(std::memory_order_acquire) && !w->sdl) record = w;
    }
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

    record->owner = std::this_thread::get_id();
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
        record->alive.store(1, std::memory_order_release);
    }
    winapi_cache_geometry(record);
    if (style & WS_VISIBLE) SDL_ShowWindow(sdl);
    winapi_send(record, WM_CREATE, 0, 0);
    winapi_report_size(record);
    return winapi_handle(record);
}

BOOL DestroyWindow(HWND window) {
    WinapiWindow *record = winapi_window(window);
    if (!record || !on_owner(record)) return FALSE;
    winapi_send(record, WM_DESTROY, 0, 0);
    {
        // Presents from other threads stop here; they never touch SDL.
        std::lock_guard<std::mutex> guard(record->frame_lock);
        record->alive.store(0, std::memory_order_release);
    }
    winapi_release_window_video(record);
    return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return FALSE;
    winapi_ui_post(record, [record, command] {
        if (!record->alive.load(std::memory_order_acquire)) return;
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
    winapi_ui_post(record, [record] { record->needs_paint = true; });
    return TRUE;
}

HWND SetFocus(HWND window) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return nullptr;
    winapi_ui_post(record, [record] {
        if (!record->alive.load(std::memory_order_acquire)) return;
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
    winapi_ui_post(record, [record, copy] {
        if (record->alive.load(std::memory_order_acquire))
            SDL_SetWindowTitle(record->sdl, copy.c_str());
    });
    return TRUE;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    WinapiWindow *record = winapi_window(window);
    if (!record) return 0;
    if (index == GWL_EXSTYLE) return record->exstyle.exchange(value, std::memory_order_relaxed);
    if (index != GWL_STYLE) return 0;
    LONG old = record->style.exchange(value, std::memory_order_relaxed);
    winapi_ui_post(record, [record, value] {
        if (!record->alive.load(std::memory_order_acquire)) return;
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
        if (!record->alive.load(std::memory_order_acquire)) return FALSE;
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
    return static_cast<BOOL>(winapi_ui_wait(record, work, FALSE));
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

// The display switch acts on the program's window: the stand-in has no desktop of its own.
LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
    WinapiWindow *record = nullptr;
    for (int i = 0; i < WINAPI_MAX_WINDOWS && !record; i++)
        if (windows[i].alive.load(std::memory_order_acquire)) record = &windows[i];
    if (!mode) {
        if (!record) return DISP_CHANGE_SUCCESSFUL;
        auto work = [record]() -> int64_t {
            if (record->alive.load(std::memory_order_acquire) &&
                record->fullscreen.load(std::memory_order_relaxed)) {
                SDL_SetWindowFullscreen(record->sdl, 0);
                record->fullscreen.store(0, std::memory_order_relaxed);
                winapi_cache_geometry(record);
                winapi_report_size(record);
            }
            return DISP_CHANGE_SUCCESSFUL;
        };
        return static_cast<LONG>(winapi_ui_wait(record, work, DISP_CHANGE_SUCCESSFUL));
    }
    if (!record || !(flags & CDS_FULLSCREEN)) return DISP_CHANGE_FAILED;
    int w = (mode->dmFields & DM_PELSWIDTH) ? static_cast<int>(mode->dmPelsWidth) : 0;
    int h = (mode->dmFields & DM_PELSHEIGHT) ? static_cast<int>(mode->dmPelsHeight) : 0;
    if (w <= 0 || h <= 0) return DISP_CHANGE_BADMODE;
    auto work = [record, w, h]() -> int64_t {
        if (!record->alive.load(std::memory_order_acquire)) return DISP_CHANGE_FAILED;
        SDL_DisplayMode want{};
        want.w = w;
        want.h = h;
        SDL_SetWindowSize(record->sdl, w, h);
        if (SDL_SetWindowDisplayMode(record->sdl, &want) != 0 ||
            SDL_SetWindowFullscreen(record->sdl, SDL_WINDOW_FULLSCREEN) != 0)
            return DISP_CHANGE_FAILED;
        record->fullscreen.store(1, std::memory_order_relaxed);
        winapi_cache_geometry(record);
        winapi_report_size(record);
        return DISP_CHANGE_SUCCESSFUL;
    };
    return static_cast<LONG>(winapi_ui_wait(record, work, DISP_CHANGE_FAILED));
}

// --- pointer ---

static void post_cursor_update() {
    bool posted = false;
    for (auto &w : windows) {
        if (!posted && w.alive.load(std::memory_order_acquire)) {
            winapi_ui_post(&w, [] { winapi_apply_cursor(); });
            posted = true;
        }
    }
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

int GetDeviceCapsScreen(int index) {
    switch (index) {
    case HORZRES:
        return winapi_desktop_width();
    case VERTRES:
        return winapi_desktop_height();
    case HORZSIZE: // a 96 dpi screen
        return winapi_desktop_width() * 254 / 960;
    case VERTSIZE:
        return winapi_desktop_height() * 254 / 960;
    case BITSPIXEL:
        return 32;
    default:
        return 0;
    }
}
