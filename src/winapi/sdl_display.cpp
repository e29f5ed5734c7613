// SDL stand-in: starting SDL's video, the display's size and the display-mode switch. The
// switch acts on the program's window: the stand-in has no desktop of its own.
#include "winapi/sdl_display.h"

#include <cstdio>
#include <cstdlib>

#include "winapi/gdi.h"
#include "winapi/sdl_window.h"
#include "winapi/standin.h"

namespace {
std::mutex init_lock;
std::atomic<uint32_t> video_ready{0};
// Screen size for the device capabilities, cached at start.
std::atomic<int32_t> desktop_w{1024}, desktop_h{768};

// A mode of the window's display with the fields the record marks valid. Displays of 24 bits
// per pixel store them in 32-bit words, which is what Windows reports for them.
bool display_has_mode(SDL_Window *window, const DEVMODEA &want, SDL_DisplayMode *found) {
    int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0) return false;
    for (int i = 0, n = SDL_GetNumDisplayModes(display); i < n; i++) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(display, i, &m) != 0) continue;
        uint32_t bits = SDL_BITSPERPIXEL(m.format) == 24 ? 32 : SDL_BITSPERPIXEL(m.format);
        if (((want.dmFields & DM_PELSWIDTH) && uint32_t(m.w) != want.dmPelsWidth) ||
            ((want.dmFields & DM_PELSHEIGHT) && uint32_t(m.h) != want.dmPelsHeight) ||
            ((want.dmFields & DM_BITSPERPEL) && bits != want.dmBitsPerPel))
            continue;
        *found = m;
        return true;
    }
    return false;
}
} // namespace

std::mutex &winapi_sdl_init_lock() {
    return init_lock;
}

bool winapi_video_ready() {
    return video_ready.load(std::memory_order_acquire) != 0;
}

int winapi_start_video() {
    std::lock_guard<std::mutex> guard(init_lock);
    if (video_ready.load(std::memory_order_relaxed)) return 1;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A 640x480 picture needs no GPU: the software renderer on the window's own framebuffer
    // spares the GL stack's start-up and memory (without the second hint SDL backs the software
    // renderer's window surface with a GL texture). At default priority, so the environment's
    // SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION still decide.
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    // Windows get keys, never composed text: an empty compose table spares X's input method
    // parsing the locale's table (most of the video start-up's CPU time). A user's own stays.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        // No display: run on the dummy driver unless the user chose a driver.
        if (std::getenv("SDL_VIDEODRIVER") != nullptr) return 0;
        std::fprintf(stderr, "no display (%s); using SDL's dummy video driver\n", SDL_GetError());
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    }
    winapi_ui_use_wake_event(SDL_RegisterEvents(1));
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        desktop_w.store(mode.w, std::memory_order_relaxed);
        desktop_h.store(mode.h, std::memory_order_relaxed);
    }
    video_ready.store(1, std::memory_order_release);
    return 1;
}

int winapi_screen_caps(int index) {
    int32_t w = desktop_w.load(std::memory_order_relaxed);
    int32_t h = desktop_h.load(std::memory_order_relaxed);
    switch (index) {
    case HORZRES:
        return w;
    case VERTRES:
        return h;
    case HORZSIZE: // a 96 dpi screen
        return w * 254 / 960;
    case VERTSIZE:
        return h * 254 / 960;
    case BITSPIXEL:
        return 32;
    default:
        return 0;
    }
}

LONG ChangeDisplaySettingsA(DEVMODEA *mode, DWORD flags) {
    WinapiWindow *record = winapi_first_window();
    if (!mode) {
        if (!record) return DISP_CHANGE_SUCCESSFUL;
        auto work = [record]() -> int64_t {
            if (winapi_alive(record) && record->fullscreen.load(std::memory_order_relaxed)) {
                SDL_SetWindowFullscreen(record->sdl, 0);
                record->fullscreen.store(0, std::memory_order_relaxed);
                winapi_cache_geometry(record);
                winapi_report_size(record);
            }
            return DISP_CHANGE_SUCCESSFUL;
        };
        return static_cast<LONG>(winapi_ui_wait(&record->ui, work, DISP_CHANGE_SUCCESSFUL));
    }
    if (!record || !(flags & CDS_FULLSCREEN)) return DISP_CHANGE_FAILED;
    DEVMODEA want = *mode;
    auto work = [record, want]() -> int64_t {
        if (!winapi_alive(record)) return DISP_CHANGE_FAILED;
        SDL_DisplayMode found;
        if (!display_has_mode(record->sdl, want, &found)) return DISP_CHANGE_BADMODE;
        if (SDL_SetWindowDisplayMode(record->sdl, &found) != 0 ||
            SDL_SetWindowFullscreen(record->sdl, SDL_WINDOW_FULLSCREEN) != 0) {
            SDL_SetWindowFullscreen(record->sdl, 0);
            return DISP_CHANGE_FAILED;
        }
        record->fullscreen.store(1, std::memory_order_relaxed);
        winapi_cache_geometry(record);
        winapi_report_size(record);
        return DISP_CHANGE_SUCCESSFUL;
    };
    return static_cast<LONG>(winapi_ui_wait(&record->ui, work, DISP_CHANGE_FAILED));
}
