// What the stand-in offers tests, on Windows: the message queue reset, the window read-back and
// the virtual clock. Every GetTickCount of the program goes through the import slot defined here,
// in front of the system's, so that busy waits end at once and runs are deterministic as they are
// on the stand-in.
#ifdef _WIN32
#include "winapi/standin.h"
#include "winapi/winapi.h"
// The stand-in's virtual clock itself: the Windows library leaves the stand-in out, and every
// program that takes this file (tests, the game-frame benchmark) gets the clock with it.
#include "winapi/virtual_clock.cpp"

namespace {
DWORD system_tick() {
    using tick_fn = DWORD(WINAPI *)();
    static const tick_fn system = reinterpret_cast<tick_fn>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));
    return system();
}

DWORD WINAPI test_tick() {
    return winapi_clock_read(system_tick);
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
#endif
