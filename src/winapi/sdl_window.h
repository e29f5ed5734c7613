// Internals of the SDL stand-in: window records, the UI-thread hand-over and the frame slot.
#pragma once
#include <SDL.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "winapi/types.h"
#include "winapi/user.h"

// The frame border the stand-in reports around the client area, so that screen coordinates
// minus the window rectangle's corner minus (4, 23) are client coordinates.
enum : int { WINAPI_FRAME_X = 4, WINAPI_FRAME_TOP = 23, WINAPI_FRAME_BOTTOM = 4 };

// A copy of the pixels handed over for presentation, and where to put them.
struct WinapiFrameInfo {
    int32_t width, height; // image size in pixels (height positive)
    int32_t bottomup;      // 1: the first row in memory is the bottom row
    int32_t bpp;           // 16, 24 or 32
    int32_t stride;        // bytes per row
    SDL_Rect src;          // in picture coordinates (row 0 at the top)
    SDL_Rect dst;          // in client coordinates
};

// Window records live for the whole process and are never freed, so a handle held by another
// thread stays safe to look at after the window is gone.
struct WinapiWindow {
    std::atomic<uint32_t> alive{0};
    std::thread::id owner;
    WNDPROC proc = nullptr;
    std::string classname;
    std::atomic<LONG> style{0};
    std::atomic<LONG> exstyle{0};
    // Client geometry in screen coordinates, written by the UI thread.
    std::atomic<int32_t> client_x{0}, client_y{0}, client_w{0}, client_h{0};
    std::atomic<uint32_t> fullscreen{0};
    int32_t sent_w = -1, sent_h = -1; // last size message
    // UI thread only.
    SDL_Window *sdl = nullptr;
    SDL_Renderer *renderer = nullptr;
    SDL_Texture *texture = nullptr;
    int32_t tex_w = 0, tex_h = 0;
    uint32_t tex_format = 0;
    bool needs_paint = false;
    // The frame slot: written under frame_lock by any thread, taken by the UI thread.
    std::mutex frame_lock;
    std::vector<uint8_t> pending;
    WinapiFrameInfo pending_info{};
    uint64_t pending_seq = 0;
    std::vector<uint8_t> shown; // UI thread only
    WinapiFrameInfo shown_info{};
    uint64_t shown_seq = 0;
};

enum : int { WINAPI_MAX_WINDOWS = 8 };

WinapiWindow *winapi_window(HWND window);      // the live record, or null
WinapiWindow *winapi_window_at(int32_t index); // any record, alive or not
HWND winapi_handle(WinapiWindow *record);
WinapiWindow *winapi_window_from_sdl(uint32_t id);

// Runs work on the UI thread of the window: at once when called there, otherwise queued for
// its message loop. run_wait waits for the result (up to a second) and gives `failed` when
// the UI thread does not answer.
void winapi_ui_post(WinapiWindow *record, std::function<void()> work);
int64_t winapi_ui_wait(WinapiWindow *record, std::function<int64_t()> work, int64_t failed);
void winapi_ui_run_queued();
void winapi_ui_wake();
bool winapi_video_ready();
std::mutex &winapi_sdl_init_lock();

// UI thread: send a message straight to the window procedure.
LRESULT winapi_send(WinapiWindow *record, UINT message, WPARAM wparam, LPARAM lparam);
// UI thread: report the client size with a size message when it changed.
void winapi_report_size(WinapiWindow *record);
void winapi_cache_geometry(WinapiWindow *record);
void winapi_apply_cursor();
void winapi_translate_event(const SDL_Event &event);

// The frame slot.
BOOL winapi_frame_post(WinapiWindow *record, const WinapiFrameInfo &info, const void *pixels);
void winapi_paint_windows();
void winapi_paint(WinapiWindow *record);
void winapi_release_window_video(WinapiWindow *record);

// Key translation: SDL key to virtual-key code, 0 for keys the layer has no code for.
UINT winapi_virtual_key(SDL_Keycode key);
