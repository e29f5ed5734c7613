// The window layer on the system's own window manager and GDI (run under Wine on a virtual
// display): a logic thread sets up video and presents while this thread serves the window, the
// picture read back from the window, keys and pointer from the system's input queue, closing
// while presenting and the display-mode switch.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "video_fixture.h"

namespace {
const char CLASS_NAME[] = "VRX: win32 test";

struct Seen {
    UINT message;
    WPARAM wparam;
    uint32_t flags; // lParam bits 29-31: Alt, previous state, released
    bool operator==(const Seen &o) const {
        return message == o.message && wparam == o.wparam && flags == o.flags;
    }
};
std::ostream &operator<<(std::ostream &out, const Seen &s) {
    return out << "{" << s.message << ", " << s.wparam << ", " << s.flags << "}";
}
// The key messages the window procedure gets.
std::vector<Seen> keys_seen;
LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
        message == WM_SYSKEYUP)
        keys_seen.push_back(Seen{message, wparam, uint32_t(lparam >> 29) & 7});
    return WIN32_WndProc(window, message, wparam, lparam);
}

// One window for the whole program: under Wine without a window manager, hiding or destroying a
// framed window waits two seconds for a state change that never comes. Each test starts from
// the layer's own framed window at its place.
class Win32Window : public VideoGroup {
  protected:
    static inline HWND window = nullptr;
    DWORD ui_thread = 0;

    void SetUp() override {
        VideoGroup::SetUp();
        HINSTANCE module = GetModuleHandleA(nullptr);
        if (!IsWindow(window)) {
            WNDCLASSA c = {};
            c.style = CS_OWNDC;
            c.lpfnWndProc = recording_proc;
            c.hInstance = module;
            c.lpszClassName = CLASS_NAME;
            RegisterClassA(&c);
            window = CreateWindowExA(0, CLASS_NAME, "Vorn Media Library", WIN32_STYLE_WINDOWED, 200,
                                     200, 328, 267, nullptr, nullptr, module, nullptr);
            ASSERT_NE(window, nullptr);
            ShowWindow(window, SW_SHOW); // the first show sends the size message
        }
        SetWindowLongA(window, GWL_STYLE, LONG(WIN32_STYLE_WINDOWED | WS_VISIBLE));
        SetWindowLongA(window, GWL_EXSTYLE, 0);
        SetWindowPos(window, HWND_NOTOPMOST, 200, 200, 328, 267, SWP_FRAMECHANGED);
        winhandle = window;
        ui_thread = GetCurrentThreadId();
        SetForegroundWindow(window);
        SetFocus(window);
        pump();
        keys_seen.clear();
    }
    void TearDown() override {
        VideoGroup::TearDown();
        win32_fullscreen = 0;
        winhandle = nullptr;
        pump();
    }
    // Handles every message waiting for this thread.
    static void pump() {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    // Other test programs on the display may hold the focus for a moment.
    static void take_focus() {
        for (int wait = 0; wait < 50 && GetForegroundWindow() != window; wait++) {
            SetForegroundWindow(window);
            Sleep(10);
        }
    }
    // Handles messages until that many key messages have come, or a second has passed.
    static void pump_until(size_t keys) {
        for (DWORD until = GetTickCount() + 1000;
             keys_seen.size() < keys && GetTickCount() < until;)
            if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0)
                pump();
        pump();
    }
    // Serves the window while a logic thread runs the work, until the work is done. The quit
    // goes to this thread's queue by its id: a null window would post it to the logic thread's.
    void serve_while(std::function<void()> work) {
        DWORD ui = ui_thread;
        std::thread logic([work, ui] {
            work();
            PostThreadMessageA(ui, WM_QUIT, 0, 0);
        });
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        logic.join();
    }
    uint32_t pixel(int x, int y) { return winapi_client_pixel(window, x, y); }
    RECT client() {
        RECT r = {};
        GetClientRect(window, &r);
        return r;
    }
};

// Red top row, blue bottom row, green between, in the screen's own pixel format.
void paint_rows() {
    uint32_t w = VRX_video.width, h = VRX_video.height;
    bool wide = VRX_video.bytesperpixel == 4;
    for (uint32_t y = 0; y < h; y++)
        for (uint32_t x = 0; x < w; x++) {
            uint32_t rgb = y == 0 ? 0xFF0000 : y == h - 1 ? 0x0000FF : 0x00FF00;
            if (wide)
                static_cast<uint32_t *>(VRX_screenbitmap.data)[y * w + x] = rgb;
            else
                static_cast<uint16_t *>(VRX_screenbitmap.data)[y * w + x] =
                    uint16_t(rgb == 0xFF0000   ? 0x7C00
                             : rgb == 0x0000FF ? 0x001F
                                               : 0x03E0);
        }
}

// Every presentation path: the back buffer copied 1:1, drawn straight into the surface, in
// 16 bits, doubled, and onto a device context the application holds; then stretched over a
// larger client area.
TEST_F(Win32Window, PicturesUprightInEveryModeThenStretched) {
    const struct {
        int32_t bpp, flags;
        int scale; // client pixels per picture pixel
        bool onto_dc;
    } modes[] = {{32, 0, 1, false},
                 {32, VRX_DIRECT, 1, false},
                 {16, VRX_MODE16, 1, false},
                 {16, VRX_MODE16 | VRX_DIRECT, 1, false},
                 {32, VRX_DOUBLE1, 2, false},
                 {16, VRX_MODE16 | VRX_DOUBLE1, 2, false},
                 {32, 0, 1, true}};
    for (const auto &m : modes) {
        SCOPED_TRACE(testing::Message() << m.bpp << " bits, flags " << m.flags);
        serve_while([&] {
            VRX_InitVideo(160, 120, m.bpp, m.flags);
            paint_rows();
            if (!m.onto_dc) return VRX_SwapBuffers();
            HDC context = GetDC(window);
            EXPECT_EQ(VRX_SwapBufferHDC(context), 1);
            ReleaseDC(window, context);
        });
        int w = 160 * m.scale, h = 120 * m.scale;
        RECT r = client();
        EXPECT_EQ(std::vector<LONG>({r.right, r.bottom, LONG(windowwidth), LONG(windowheight)}),
                  std::vector<LONG>({w, h, w, h}));
        EXPECT_EQ(std::vector<uint32_t>({pixel(w - 1, 0), pixel(5, m.scale), pixel(5, h - 1)}),
                  std::vector<uint32_t>({0xFF0000, 0x00FF00, 0x0000FF}));
        if (m.scale != 1 || m.onto_dc) continue;
        SetWindowPos(window, nullptr, 0, 0, 2 * 160 + 8, 2 * 120 + 27, SWP_NOMOVE | SWP_NOZORDER);
        pump();
        r = client();
        serve_while([] { VRX_SwapBuffers(); });
        EXPECT_EQ(std::vector<uint32_t>(
                      {pixel(r.right - 1, 1), pixel(r.right - 1, 2), pixel(0, r.bottom - 1)}),
                  std::vector<uint32_t>({0xFF0000, 0x00FF00, 0x0000FF}))
            << "stretched to " << r.right << "x" << r.bottom;
    }
}

// Keys from the system's input queue arrive as key messages with virtual-key codes (Alt and
// F10 as system keys; a held key again with its previous-state bit) and reach the key table.
TEST_F(Win32Window, KeysBecomeVirtualKeyMessagesAndReachTheKeyTable) {
    const UINT DOWN = WM_KEYDOWN, UP = WM_KEYUP, SYSDOWN = WM_SYSKEYDOWN;
    const struct {
        BYTE vk;
        uint32_t held; // key set while down
        UINT down, up;
        uint32_t alt; // lParam bit 29 while down
    } keys[] = {{VK_UP, VRX_KEY_UP, DOWN, UP, 0},
                {VK_SPACE, VRX_KEY_SPACE, DOWN, UP, 0},
                {'X', VRX_KEY_X, DOWN, UP, 0},
                {'1', VRX_KEY_RETURN, DOWN, UP, 0},
                {VK_ESCAPE, VRX_KEY_ESCAPE, DOWN, UP, 0},
                {VK_CONTROL, VRX_KEY_CONTROL, DOWN, UP, 0},
                {VK_MENU, 0, SYSDOWN, WM_SYSKEYUP, 1},
                {VK_F10, 0, SYSDOWN, WM_SYSKEYUP, 0}};
    for (const auto &k : keys) {
        SCOPED_TRACE(testing::Message() << "key " << int(k.vk));
        // Other test programs on the display may take the focus and the keys with it: a press
        // counts only when the window kept the focus throughout.
        uint32_t held[2] = {};
        for (int attempt = 0; attempt < 20; attempt++) {
            take_focus();
            keys_seen.clear();
            keybd_event(k.vk, 0, 0, 0);
            keybd_event(k.vk, 0, 0, 0);
            pump_until(2);
            VRX_GetKeys(&held[0], nullptr);
            keybd_event(k.vk, 0, KEYEVENTF_KEYUP, 0);
            pump_until(3);
            VRX_GetKeys(&held[1], nullptr);
            if (GetForegroundWindow() == window) break;
        }
        EXPECT_EQ(held[0] * 0x10000 + held[1], k.held * 0x10000);
        EXPECT_EQ(
            keys_seen,
            std::vector<Seen>({{k.down, k.vk, k.alt}, {k.down, k.vk, k.alt | 2}, {k.up, k.vk, 6}}));
    }
}

// A key held when another window takes the keyboard counts as released: its release goes to
// that window. (The other window stays: taking it down costs seconds under Wine.)
TEST_F(Win32Window, KeyHeldWhenTheFocusGoesCountsAsReleased) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 500,
                                 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    uint32_t held = 0;
    for (int attempt = 0; attempt < 20 && !held; attempt++) {
        take_focus();
        keys_seen.clear();
        keybd_event(VK_SPACE, 0, 0, 0);
        pump_until(1);
        held = VRX_keys[VK_SPACE];
    }
    ASSERT_EQ(held, 1u);
    SetForegroundWindow(other);
    pump();
    EXPECT_EQ(VRX_keys[VK_SPACE] * 10 + g_keycode, 0u);
    keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
    pump();
}

// The client area is the window less a 4-pixel frame and a 23-pixel title bar, but no narrower
// than the system's smallest framed window allows; the pointer's place in client pixels,
// wherever the window stands.
TEST_F(Win32Window, ClientAreaAndMousePositionInClientPixels) {
    const struct {
        int x, y, w, h, client_w, client_h;
    } places[] = {
        {200, 200, 328, 267, 320, 240}, {10, 20, 400, 300, 392, 273}, {300, 40, 72, 75, 108, 48}};
    for (const auto &p : places) {
        SCOPED_TRACE(testing::Message() << "at " << p.x << "," << p.y);
        serve_while([&] { SetWindowPos(window, nullptr, p.x, p.y, p.w, p.h, 0); });
        RECT r = client();
        EXPECT_EQ(std::vector<LONG>({r.right, r.bottom, LONG(windowwidth), LONG(windowheight)}),
                  std::vector<LONG>({p.client_w, p.client_h, p.client_w, p.client_h}));
        POINT at = {5, 7};
        ClientToScreen(window, &at);
        SetCursorPos(at.x, at.y);
        pump();
        int32_t x = 0, y = 0;
        VRX_GetMouse(&x, &y, nullptr);
        EXPECT_EQ(x * 1000 + y, 5007);
    }
}

// The layer's own shutdown while the logic thread presents, as the process entry does it: the
// close ends the message loop, the thread is stopped, and the window still goes cleanly. A
// thread killed inside GDI would leave a lock held that the next round's set-up waits on.
DWORD WINAPI present_forever(LPVOID frames) {
    VRX_InitVideo(160, 120, 32, 0);
    for (;;) {
        VRX_SwapBuffers();
        static_cast<std::atomic<int> *>(frames)->fetch_add(1);
    }
}

TEST_F(Win32Window, CloseEndsTheLoopAndTheLogicThreadWhilePresenting) {
    for (int round = 0; round < 3; round++) {
        std::atomic<int> frames{0};
        win32_closing = 0;
        win32_parked = 0;
        HANDLE logic = CreateThread(nullptr, 0, present_forever, &frames, 0, nullptr);
        ASSERT_NE(logic, nullptr);
        for (DWORD until = GetTickCount() + 5000; frames.load() < 20 && GetTickCount() < until;)
            pump();
        ASSERT_GE(frames.load(), 20) << "frames flow";
        PostMessageA(window, WM_CLOSE, 0, 0);
        MSG m;
        while (GetMessageA(&m, window, 0, 0)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        win32_stoplogicthread(logic);
        EXPECT_EQ(win32_parked, 1u) << "stopped at a present";
        EXPECT_EQ(WaitForSingleObject(logic, 5000), DWORD(WAIT_OBJECT_0));
        CloseHandle(logic);
        win32_closing = 0;
        EXPECT_TRUE(IsWindow(window)) << "the close leaves the window to its owner";
    }
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_TRUE(UnregisterClassA(CLASS_NAME, GetModuleHandleA(nullptr)));
    winhandle = nullptr;
}

// A mode the display lacks fails: the layer says so and keeps a framed window of the asked
// client size. Other modes may switch (the display's own size should), and are left again.
TEST_F(Win32Window, FullScreenSwitchesAndRestoresOrFailsCleanly) {
    DEVMODEA desktop = {};
    desktop.dmSize = sizeof(desktop);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop));
    const int dw = int(desktop.dmPelsWidth), dh = int(desktop.dmPelsHeight);
    DEVMODEA odd = desktop;
    odd.dmPelsWidth = 1234;
    odd.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    EXPECT_EQ(ChangeDisplaySettingsA(&odd, CDS_FULLSCREEN), LONG(DISP_CHANGE_BADMODE));
    const struct {
        int w, h;
        bool may_work;
    } modes[] = {{1234, 567, false}, {dw, dh, true}, {640, 480, true}};
    for (const auto &m : modes) {
        SCOPED_TRACE(testing::Message() << m.w << "x" << m.h);
        win32_fullscreen = 0;
        testing::internal::CaptureStdout();
        serve_while([&] { win32_initwindow(m.w, m.h, 1); });
        std::string said = testing::internal::GetCapturedStdout();
        DWORD style = DWORD(GetWindowLongA(window, GWL_STYLE));
        RECT r = client();
        EXPECT_EQ(std::vector<LONG>({r.right, r.bottom, LONG(windowwidth), LONG(windowheight)}),
                  std::vector<LONG>({m.w, m.h, m.w, m.h}));
        if (win32_fullscreen) {
            EXPECT_TRUE(m.may_work);
            EXPECT_EQ(said, "");
            EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), DWORD(WS_POPUP));
            serve_while([] { win32_closewindow(); });
        } else {
            EXPECT_EQ(said, "- Couldn't switch to fullscreen, switching to windowed mode\n");
            EXPECT_EQ(style & (WS_POPUP | WS_CAPTION), DWORD(WS_CAPTION)) << "framed again";
        }
        DEVMODEA now = {};
        now.dmSize = sizeof(now);
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &now));
        EXPECT_EQ(int(now.dmPelsWidth) * 100000 + int(now.dmPelsHeight), dw * 100000 + dh);
    }
}
} // namespace
