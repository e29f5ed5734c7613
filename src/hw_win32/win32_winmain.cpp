// The process frame: window class and window, the logic thread, the message loop, shutdown.
#include "base/block.h"
#include "base/dbg.h"
#include "hw_win32/win32.h"
#include "video/input_internal.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    instancehandle = instance;
    win32_initinput();

    wc.style = CS_OWNDC;
    wc.lpfnWndProc = WIN32_WndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = VRX_ID;
    wc.lpszClassName = VRX_ID;
    if (!RegisterClassA(&wc)) _dbg_printf("Could not register Window class.");

    HWND window = CreateWindowExA(
        0, VRX_ID, "Vorn Media Library", WIN32_STYLE_WINDOWED, 200, 200, 2 * WIN32_BORDERX + 320,
        WIN32_BORDERBOTTOM + WIN32_BORDERTOP + 240, nullptr, nullptr, wc.hInstance, nullptr);
    winhandle.store(window, std::memory_order_relaxed);

    SetCursor(nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(window);

    g_mouse_x = 160;
    g_mouse_xofs = 0;
    g_mouse_yofs = 0;
    g_mouse_buttons.store(0, std::memory_order_relaxed);

    threadhandle = CreateThread(nullptr, 0, win32_main, nullptr, 0, nullptr);

    MSG msg;
    while (GetMessageA(&msg, window, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        Sleep(1);
    }

    win32_stoplogicthread(threadhandle);
    _dbg_printf("closing windows\n");
    win32_closeinput();
    ChangeDisplaySettingsA(nullptr, 0);
    if (!DestroyWindow(window)) {
        _dbg_printf("failed to destroy window\n");
        return 0;
    }
    if (!UnregisterClassA(VRX_ID, wc.hInstance)) {
        _dbg_printf("failed to unregister class: %s\n", VRX_ID);
        return 0;
    }
    winhandle.store(nullptr, std::memory_order_relaxed);
    wrap_memset(&wc, 0, sizeof(wc));
    return 0;
}
