// Internals of the SDL stand-in: the window records and their client geometry.
#pragma once
#include <SDL.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "winapi/sdl_ui_thread.h"
#include "winapi/types.h"
#include "winapi/user.h"

// The frame border the stand-in reports around the client area, so that screen coordinates
// minus the window rectangle's corner minus (4, 23) are client coordinates.
enum : int { WINAPI_FRAME_X = 4, WINAPI_FRAME_TOP = 23, WINAPI_FRAME_BOTTOM = 4 };
// The smallest framed window, as Windows keeps it (its minimum tracking size): a smaller picture
// gets a wider client area than it asked for.
enum : int { WINAPI_MIN_FRAMED_W = 116, WINAPI_MIN_FRAMED_H = 27 };

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
// thread stays safe to look at after the window is gone. ui.alive is 1 while the window exists.
struct WinapiWindow {
    WinapiUiOwner ui;
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
    // Three frame buffers: a presenting thread fills `spare` under post_lock alone, then swaps
    // it with `pending` under frame_lock; the UI thread swaps `pending` with `shown` under
    // frame_lock. Neither thread copies a frame while holding the lock the other one takes.
    std::mutex post_lock; // taken before frame_lock, never after it
    std::vector<uint8_t> spare;
    std::mutex frame_lock;
    std::vector<uint8_t> pending; // rows from the top
    WinapiFrameInfo pending_info{};
    uint64_t pending_seq = 0;
    std::vector<uint8_t> shown; // UI thread only
    WinapiFrameInfo shown_info{};
    uint64_t shown_seq = 0;
};

enum : int { WINAPI_MAX_WINDOWS = 8 };

bool winapi_alive(const WinapiWindow *record);
WinapiWindow *winapi_window(HWND window);      // the live record, or null
WinapiWindow *winapi_window_at(int32_t index); // any record, alive or not
WinapiWindow *winapi_first_window();           // the first live record, or null
WinapiWindow *winapi_window_free();            // a record for a new window, or null
HWND winapi_handle(WinapiWindow *record);
// UI thread: this thread's live window with that SDL id (0: any of this thread's windows).
WinapiWindow *winapi_window_from_sdl(uint32_t id);

// UI thread: send a message straight to the window procedure.
LRESULT winapi_send(WinapiWindow *record, UINT message, WPARAM wparam, LPARAM lparam);
// UI thread: take the client geometry from SDL, and report the client size with a size
// message when it changed.
void winapi_cache_geometry(WinapiWindow *record);
void winapi_report_size(WinapiWindow *record);
