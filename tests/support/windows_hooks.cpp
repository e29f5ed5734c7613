// What the stand-in offers tests, on Windows: the window read-back, and the virtual clock: every
// GetTickCount of the program goes through the import slot defined here, in front of the system's,
// so that busy waits end at once and runs are deterministic as they are on the stand-in.
#ifdef _WIN32
#include "winapi/standin.h"
#include "winapi/winapi.h"

#include <atomic>

namespace {
enum ClockMode : uint32_t { REAL, MANUAL, STEPPING };
std::atomic<uint32_t> clock_mode{REAL};
std::atomic<uint32_t> virtual_now{0};
std::atomic<uint32_t> virtual_step{0};

DWORD WINAPI system_tick() {
    using tick_fn = DWORD(WINAPI *)();
    static const tick_fn system = reinterpret_cast<tick_fn>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));
    return system();
}

DWORD WINAPI test_tick() {
    switch (clock_mode.load(std::memory_order_relaxed)) {
    case MANUAL:
        return virtual_now.load(std::memory_order_relaxed);
    case STEPPING:
        return virtual_now.fetch_add(virtual_step.load(std::memory_order_relaxed),
                                     std::memory_order_relaxed);
    default:
        return system_tick();
    }
}
} // namespace

// What the program's calls to GetTickCount jump through (they are declared dllimport).
extern "C" {
DWORD(WINAPI *__imp_GetTickCount)() = test_tick;
}

void winapi_discard_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// What the window shows, copied from its device context into a one-pixel bitmap section.
uint32_t winapi_client_pixel(HWND window, int x, int y) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    uint32_t pixel = 0;
    if (screen && memory && dib) {
        HGDIOBJ old = SelectObject(memory, dib);
        if (BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY)) {
            GdiFlush();
            pixel = *static_cast<uint32_t *>(bits) & 0xFFFFFF;
        }
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    if (screen) ReleaseDC(window, screen);
    return pixel;
}

void winapi_clock_use_real() {
    clock_mode.store(REAL, std::memory_order_relaxed);
}

void winapi_clock_use_manual(uint32_t start) {
    virtual_now.store(start, std::memory_order_relaxed);
    clock_mode.store(MANUAL, std::memory_order_relaxed);
}

void winapi_clock_use_stepping(uint32_t start, uint32_t step) {
    virtual_now.store(start, std::memory_order_relaxed);
    virtual_step.store(step, std::memory_order_relaxed);
    clock_mode.store(STEPPING, std::memory_order_relaxed);
}

void winapi_clock_advance(uint32_t ms) {
    virtual_now.fetch_add(ms, std::memory_order_relaxed);
}
#endif
