// Window mode switching for video set-up, and the caption.
#include "base/dbg.h"
#include "hw_win32/win32.h"
#include "video/platform_internal.h"

void win32_initwindow(uint32_t width, int32_t height, int32_t fullscreen) {
    HWND window = winhandle.load(std::memory_order_relaxed);
    int w = static_cast<int>(width), h = static_cast<int>(height);
    if (fullscreen) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof(mode);
        mode.dmBitsPerPel = 32;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = static_cast<DWORD>(height);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(0x90000000u));
        SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(0x90000000u));
        SetWindowPos(window, HWND_TOPMOST, -4, 0, w + 8, h, 0);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, w, h, 0);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        SetFocus(window);
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
            ShowCursor(FALSE);
            UpdateWindow(window);
            SetFocus(window);
            win32_fullscreen = 1;
            return;
        }
        _dbg_printf("- Couldn't switch to fullscreen, switching to windowed mode\n");
    }
    if (win32_fullscreen) return;
    // Back to a framed window after a failed switch: the pop-up style would leave it bare.
    if (fullscreen) {
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(0x10CF0008u));
        SetWindowLongA(window, GWL_EXSTYLE, 0);
    }
    SetWindowPos(window, nullptr, 200, 200, w + 2 * WIN32_BORDERX,
                 h + WIN32_BORDERBOTTOM + WIN32_BORDERTOP, SWP_FRAMECHANGED);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(window);
    ShowCursor(TRUE);
    win32_fullscreen = 0;
}

void win32_closewindow() {
    if (win32_fullscreen && ChangeDisplaySettingsA(nullptr, 0) != DISP_CHANGE_SUCCESSFUL)
        _dbg_printf("- Couldn't switch back to original res\n");
    ShowCursor(TRUE);
}

int32_t VRX_ll_settitle(const char *text) {
    return SetWindowTextA(winhandle.load(std::memory_order_relaxed), text);
}
