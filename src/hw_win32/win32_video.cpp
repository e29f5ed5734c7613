// The presentation surface: a bitmap section of the window, copied 1:1 or stretched onto it.
#include "base/dbg.h"
#include "hw_win32/win32.h"
#include "video/input_internal.h"
#include "video/platform_internal.h"
#include "graphics/video_state.h"

BITMAPINFO dibinfo = {};
HBITMAP DIBHandle = nullptr;
void *dibarea = nullptr;
HDRAWDIB drawdib = nullptr;
int32_t win32_dibtopdown = 0;

int32_t win32_initvideo(uint32_t width, uint32_t height, uint8_t bits, int32_t fullscreen) {
    HWND window = winhandle.load(std::memory_order_relaxed);
    if (window) win32_closewindow();
    win32_initwindow(width, static_cast<int32_t>(height), fullscreen);
    // Set up again: the previous handle and surface are released first.
    if (drawdib) DrawDibClose(drawdib);
    drawdib = DrawDibOpen();

    HDC context = GetDC(window);
    BITMAPINFOHEADER &h = dibinfo.bmiHeader;
    h = BITMAPINFOHEADER{};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = static_cast<LONG>(width);
    h.biHeight = win32_dibtopdown ? -static_cast<LONG>(height) : static_cast<LONG>(height);
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biCompression = BI_RGB;
    h.biSizeImage = 0;
    int mmx = GetDeviceCaps(context, HORZSIZE), mmy = GetDeviceCaps(context, VERTSIZE);
    h.biXPelsPerMeter = mmx > 0 ? GetDeviceCaps(context, HORZRES) / mmx : 0;
    h.biYPelsPerMeter = mmy > 0 ? GetDeviceCaps(context, VERTRES) / mmy : 0;
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    if (DIBHandle) DeleteObject(DIBHandle);
    dibarea = nullptr;
    DIBHandle = CreateDIBSection(context, &dibinfo, DIB_RGB_COLORS, &dibarea, nullptr, 0);
    if (!DIBHandle) {
        // Nothing is presented and nothing is written through a surface that does not exist.
        dibarea = nullptr;
        _dbg_printf("could not create the video surface (%ux%u, %d bits)\n", width, height, bits);
    }
    if (context) ReleaseDC(window, context);
    // The mouse moves over the presentation area.
    g_mouse_w = static_cast<int32_t>(width);
    g_mouse_h = static_cast<int32_t>(height);
    return 1;
}

void win32_closevideo() {
    if (drawdib) DrawDibClose(drawdib);
    drawdib = nullptr;
    win32_closewindow();
    if (DIBHandle) DeleteObject(DIBHandle);
    DIBHandle = nullptr;
    dibarea = nullptr;
}

// The 1:1 block copy of the surface onto a context.
static BOOL blit_surface(HDC context) {
    HDC memory = CreateCompatibleDC(context);
    if (!memory) return FALSE;
    HGDIOBJ old = SelectObject(memory, DIBHandle);
    BitBlt(context, 0, 0, static_cast<int>(windowwidth.load(std::memory_order_relaxed)),
           static_cast<int>(windowheight.load(std::memory_order_relaxed)), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    return DeleteDC(memory);
}

static void stretch_surface(HDC context, uint32_t width, uint32_t height) {
    HDC memory = CreateCompatibleDC(context);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, DIBHandle);
    SetStretchBltMode(context, COLORONCOLOR);
    StretchBlt(context, 0, 0, static_cast<int>(width), static_cast<int>(height), memory, 0, 0,
               static_cast<int>(VRX_video.width), static_cast<int>(VRX_video.height), SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void win32_flippage(HWND window) {
    if (!window || !DIBHandle) return;
    HDC context = GetDC(window);
    if (!context) return;
    uint32_t ww = windowwidth.load(std::memory_order_relaxed);
    uint32_t wh = windowheight.load(std::memory_order_relaxed);
    if (VRX_video.width == ww && VRX_video.height == wh) {
        blit_surface(context);
    } else if (dibinfo.bmiHeader.biHeight < 0) {
        // DrawDib takes bottom-up bitmaps only: a top-down surface is stretched by GDI.
        stretch_surface(context, ww, wh);
    } else {
        DrawDibDraw(drawdib, context, 0, 0, static_cast<int>(ww), static_cast<int>(wh),
                    &dibinfo.bmiHeader, dibarea, 0, 0, static_cast<int>(VRX_video.width),
                    static_cast<int>(VRX_video.height), 0);
    }
    ReleaseDC(window, context);
}

void win32_fastflippage(HWND window) {
    if (!window || !DIBHandle) return;
    HDC context = GetDC(window);
    if (!context) return;
    blit_surface(context);
    ReleaseDC(window, context);
}

int32_t win32_flippageHDC(HDC context) {
    if (!context || !DIBHandle) return 0;
    return blit_surface(context);
}

// Shutdown parks the logic thread here: between presents it holds no lock of the system's.
void win32_park_if_closing() {
    if (!win32_closing.load(std::memory_order_acquire)) return;
    win32_parked.store(1, std::memory_order_release);
    for (;;) Sleep(1000);
}

void win32_stoplogicthread(HANDLE thread) {
    win32_closing.store(1, std::memory_order_release);
    // A thread that has finished its work, or never presents, is not waited for long.
    for (int i = 0; i < 50 && !win32_parked.load(std::memory_order_acquire) &&
                    !exitflag.load(std::memory_order_relaxed);
         i++)
        Sleep(2);
    TerminateThread(thread, 0);
}

// The portable video code's view of the above.
int32_t VRX_ll_video_open(uint32_t width, uint32_t height, uint8_t bits, int32_t fullscreen,
                          int32_t topdown) {
    win32_dibtopdown = topdown;
    return win32_initvideo(width, height, bits, fullscreen);
}

void VRX_ll_video_close() {
    win32_closevideo();
}

void *VRX_ll_video_surface() {
    return dibarea;
}

HWND VRX_ll_video_window() {
    return winhandle.load(std::memory_order_relaxed);
}

void VRX_ll_video_present(HWND window, int32_t fast) {
    win32_park_if_closing();
    if (fast)
        win32_fastflippage(window);
    else
        win32_flippage(window);
}

int32_t VRX_ll_video_present_dc(HDC context) {
    win32_park_if_closing();
    return win32_flippageHDC(context);
}
