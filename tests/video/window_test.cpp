// The window on SDL's dummy driver: events become the window procedure's messages, a logic
// thread sets up video and presents while this thread serves the window, the display-mode
// switch, and closing the window in the middle of presenting is safe.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "video_fixture.h"
#include "winapi/sdl_window.h"

namespace {
const char CLASS_NAME[] = "VRX: test";

// Every message the window procedure gets: number, key code and the Alt bit of lParam.
struct Seen {
    UINT message;
    WPARAM wparam;
    uint32_t alt;
    bool operator==(const Seen &o) const {
        return message == o.message && wparam == o.wparam && alt == o.alt;
    }
};
std::vector<Seen> seen;
LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    seen.push_back(Seen{message, wparam, uint32_t(lparam >> 29) & 1});
    return WIN32_WndProc(window, message, wparam, lparam);
}
std::ostream &operator<<(std::ostream &out, const Seen &s) {
    return out << "{" << s.message << ", " << s.wparam << ", " << s.alt << "}";
}

class Window : public VideoGroup {
  protected:
    HWND window = nullptr;

    void SetUp() override {
        VideoGroup::SetUp();
        WNDCLASSA c = {};
        c.style = CS_OWNDC;
        c.lpfnWndProc = recording_proc;
        c.lpszClassName = CLASS_NAME;
        ASSERT_NE(RegisterClassA(&c), 0);
        window = CreateWindowExA(0, CLASS_NAME, "Vorn Media Library", 0x00CF0008, 200, 200, 328,
                                 267, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        winhandle = window;
        seen.clear();
    }
    void TearDown() override {
        VideoGroup::TearDown();
        EXPECT_TRUE(!winapi_window(window) || DestroyWindow(window));
        EXPECT_TRUE(UnregisterClassA(CLASS_NAME, nullptr));
        winhandle = nullptr;
        winapi_discard_messages();
    }
    // An SDL event for the window: every kind keeps the window's id in the same place.
    void push(SDL_Event e) {
        e.window.windowID = SDL_GetWindowID(winapi_window(window)->sdl);
        SDL_PushEvent(&e);
    }
    void push_key(SDL_EventType type, SDL_Scancode code, SDL_Keycode sym, uint16_t mod) {
        SDL_Event e = {};
        e.type = type;
        e.key.keysym.scancode = code;
        e.key.keysym.sym = sym ? sym : SDL_GetKeyFromScancode(code);
        e.key.keysym.mod = mod;
        push(e);
    }
    void push_motion(int32_t x, int32_t y) {
        SDL_Event e = {};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        push(e);
    }
    void push_window(SDL_WindowEventID id) {
        SDL_Event e = {};
        e.type = SDL_WINDOWEVENT;
        e.window.event = id;
        push(e);
    }
    // Serves the window until everything queued so far has been handled: the first round
    // turns pending events into messages, queued behind the first marker.
    void pump() {
        for (int round = 0; round < 2; round++) {
            PostMessageA(nullptr, WM_NULL, 0, 0x5EED);
            MSG m;
            while (GetMessageA(&m, nullptr, 0, 0) && !(m.message == WM_NULL && m.lParam == 0x5EED))
                DispatchMessageA(&m);
        }
    }
    // Serves the window while a logic thread runs the work, until the work is done.
    void serve_while(std::function<void()> work) {
        std::thread logic([work] {
            work();
            PostMessageA(nullptr, WM_QUIT, 0, 0);
        });
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
        logic.join();
    }
    uint32_t pixel(int x, int y) { return winapi_client_pixel(window, x, y); }
};

// Through a back buffer and drawn straight into the (top-down) surface.
TEST_F(Window, LogicThreadPresentsUprightThenStretched) {
    for (int32_t flags : {0, int32_t(VRX_DIRECT)}) {
        SCOPED_TRACE(flags);
        SDL_SetWindowSize(winapi_window(window)->sdl, 320, 240);
        serve_while([flags] {
            VRX_SetTitle("presenting");
            VRX_InitVideo(160, 120, 32, flags);
            VRX_ClearColorBitmap(VRX_screenbitmap, 0x00FF00);
            auto *p = static_cast<uint32_t *>(VRX_screenbitmap.data);
            for (int x = 0; x < 160; x++) {
                p[x] = 0xFF0000;
                p[119 * 160 + x] = 0x0000FF;
            }
            VRX_SwapBuffers();
        });
        EXPECT_STREQ(SDL_GetWindowTitle(winapi_window(window)->sdl), "presenting");
        EXPECT_EQ(windowwidth * 1000 + windowheight, 160120u) << "video set-up sized the client";
        EXPECT_EQ(std::vector<uint32_t>({pixel(159, 0), pixel(10, 1), pixel(10, 119)}),
                  std::vector<uint32_t>({0xFF0000, 0x00FF00, 0x0000FF}));

        SDL_SetWindowSize(winapi_window(window)->sdl, 320, 240);
        push_window(SDL_WINDOWEVENT_SIZE_CHANGED);
        pump();
        serve_while([] { VRX_SwapBuffers(); });
        EXPECT_EQ(std::vector<uint32_t>({pixel(319, 1), pixel(319, 2), pixel(0, 239)}),
                  std::vector<uint32_t>({0xFF0000, 0x00FF00, 0x0000FF}));
    }
}

TEST_F(Window, ClosingWhilePresentingIsSafe) {
    std::atomic<int> frames{0};
    std::atomic<bool> stop{false};
    std::thread logic([&] {
        VRX_InitVideo(64, 48, 32, 0x1000);
        for (; !stop.load(); frames++) VRX_SwapBuffers();
    });
    // Serve until frames flow, then close the window under the presenting thread.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (frames.load() < 20 && std::chrono::steady_clock::now() < until) pump();
    EXPECT_TRUE(DestroyWindow(window));
    int closed_at = frames.load();
    while (frames.load() < closed_at + 20 && std::chrono::steady_clock::now() < until)
        std::this_thread::yield();
    stop = true;
    logic.join();
    EXPECT_GE(frames.load(), closed_at + 20) << "presents to no window return at once";
}

// Key events as the window procedure sees them: system keys, the keypad with and without Num
// Lock, punctuation by the character it gives (or its place when the character is not ASCII),
// and the keys known only by their place.
TEST_F(Window, KeysBecomeVirtualKeyMessages) {
    const UINT DOWN = WM_KEYDOWN, SYS = WM_SYSKEYDOWN;
    // {scancode, key (0: what the US keymap gives), modifiers, message, code, Alt bit}
    const int32_t keys[][6] = {{SDL_SCANCODE_LALT, 0, KMOD_LALT, SYS, 0x12, 1},
                               {SDL_SCANCODE_F10, 0, 0, SYS, 0x79, 0},
                               {SDL_SCANCODE_X, 0, KMOD_RALT, SYS, 'X', 1},
                               {SDL_SCANCODE_Q, SDLK_a, 0, DOWN, 'A', 0},
                               {SDL_SCANCODE_1, '&', 0, DOWN, '1', 0},
                               {SDL_SCANCODE_KP_7, 0, KMOD_NUM, DOWN, 0x67, 0},
                               {SDL_SCANCODE_KP_7, 0, 0, DOWN, 0x24, 0},
                               {SDL_SCANCODE_KP_5, 0, 0, DOWN, 0x0C, 0},
                               {SDL_SCANCODE_KP_DIVIDE, 0, 0, DOWN, 0x6F, 0},
                               {SDL_SCANCODE_SEMICOLON, 0, 0, DOWN, 0xBA, 0},
                               {SDL_SCANCODE_SEMICOLON, 0xF6, 0, DOWN, 0xBA, 0},
                               {SDL_SCANCODE_SLASH, '!', 0, DOWN, 0xDF, 0},
                               {SDL_SCANCODE_NONUSBACKSLASH, '<', 0, DOWN, 0xE2, 0},
                               {SDL_SCANCODE_PAUSE, 0, 0, DOWN, 0x13, 0},
                               {SDL_SCANCODE_PRINTSCREEN, 0, 0, DOWN, 0x2C, 0},
                               {SDL_SCANCODE_NUMLOCKCLEAR, 0, 0, DOWN, 0x90, 0},
                               {SDL_SCANCODE_LGUI, 0, 0, DOWN, 0x5B, 0},
                               {SDL_SCANCODE_APPLICATION, 0, 0, DOWN, 0x5D, 0},
                               {SDL_SCANCODE_F24, 0, 0, DOWN, 0x87, 0}};
    for (const auto &k : keys) {
        seen.clear();
        push_key(SDL_KEYDOWN, SDL_Scancode(k[0]), k[1], uint16_t(k[2]));
        pump();
        EXPECT_EQ(seen, std::vector<Seen>({{UINT(k[3]), WPARAM(k[4]), uint32_t(k[5])}}))
            << "scancode " << k[0];
    }
    // Alt's own release is a system key without the Alt bit.
    seen.clear();
    push_key(SDL_KEYUP, SDL_SCANCODE_LALT, 0, 0);
    pump();
    EXPECT_EQ(seen, std::vector<Seen>({{WM_SYSKEYUP, 0x12, 0}}));
    // Alt+F4 is the close command; the window procedure turns the close into a quit.
    seen.clear();
    push_key(SDL_KEYDOWN, SDL_SCANCODE_F4, 0, KMOD_LALT);
    pump();
    EXPECT_EQ(seen,
              std::vector<Seen>({{SYS, 0x73, 1}, {WM_SYSCOMMAND, SC_CLOSE, 0}, {WM_CLOSE, 0, 0}}));
    MSG m;
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(uint32_t(VRX_keys[0x12] + VRX_keys[0x79] + VRX_keys[0x73]), 0u)
        << "system keys are not recorded";
    EXPECT_EQ(VRX_keys[0x67] + VRX_keys[0xBA] + VRX_keys[0x87], 3u);
    EXPECT_NE(winapi_window(window), nullptr) << "closing leaves the window to its owner";
}

// Pointer moves update the move still queued, so a key behind thousands of them comes at once;
// a button message between moves keeps them apart and in order.
TEST_F(Window, PointerMovesMergeAheadOfKeys) {
    for (int i = 0; i < 3000; i++) push_motion(i % 320, i % 240);
    push_key(SDL_KEYDOWN, SDL_SCANCODE_SPACE, 0, 0);
    std::vector<MSG> got;
    MSG m;
    while (!VRX_keys[VK_SPACE] && got.size() < 10 && GetMessageA(&m, nullptr, 0, 0)) {
        DispatchMessageA(&m);
        got.push_back(m);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].message, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(got[0].lParam, MAKELPARAM(2999 % 320, 2999 % 240)) << "the newest position";

    seen.clear();
    push_motion(1, 1);
    SDL_Event e = {};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    push(e);
    push_motion(2, 2);
    push_motion(3, 3);
    pump();
    EXPECT_EQ(seen, std::vector<Seen>(
                        {{WM_MOUSEMOVE, 0, 0}, {WM_LBUTTONDOWN, 0, 0}, {WM_MOUSEMOVE, 0, 0}}));
}

// The window rectangle is the client area with a 4-pixel frame and a 23-pixel title bar, so the
// layer's arithmetic gives client coordinates wherever the window stands.
TEST_F(Window, WindowRectFramesTheClientArea) {
    const struct {
        int x, y, w, h;
        RECT want;
    } places[] = {{200, 200, 328, 267, {200, 200, 528, 467}},
                  {10, 20, 400, 300, {10, 20, 410, 320}},
                  {-50, -30, 72, 75, {-50, -30, 66, 45}}}; // no narrower than 116
    for (const auto &p : places) {
        serve_while([&] { SetWindowPos(window, nullptr, p.x, p.y, p.w, p.h, 0); });
        RECT r = {};
        ASSERT_TRUE(GetWindowRect(window, &r));
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                  std::vector<LONG>({p.want.left, p.want.top, p.want.right, p.want.bottom}));
        EXPECT_EQ(windowwidth * 1000 + windowheight,
                  uint32_t((p.want.right - p.want.left - 8) * 1000 + p.h - 27));
        push_motion(5, 7);
        pump();
        int32_t x = 0, y = 0;
        VRX_GetMouse(&x, &y, nullptr);
        EXPECT_EQ(x * 1000 + y, 5007) << "at " << p.x << "," << p.y;
    }
}

// A mode the display does not have fails: the layer says so and the window keeps its frame.
// The display's own size succeeds and is left again.
TEST_F(Window, FullScreenSwitchFailsOrRestores) {
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    const struct {
        int w, h;
        bool works;
    } modes[] = {
        {1234, 567, false}, {desktop.w, desktop.h, true}, {desktop.w + 8, desktop.h, false}};
    SDL_Window *sdl = winapi_window(window)->sdl;
    for (const auto &m : modes) {
        SCOPED_TRACE(testing::Message() << m.w << "x" << m.h);
        win32_fullscreen = 0;
        testing::internal::CaptureStdout();
        serve_while([&] { win32_initwindow(m.w, m.h, 1); });
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  m.works ? "" : "- Couldn't switch to fullscreen, switching to windowed mode\n");
        EXPECT_EQ(win32_fullscreen, m.works ? 1 : 0);
        EXPECT_EQ(winapi_window_fullscreen(window), m.works ? 1 : 0);
        EXPECT_EQ((SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN) != 0, m.works);
        RECT r = {};
        GetWindowRect(window, &r);
        if (!m.works) {
            EXPECT_EQ(SDL_GetWindowFlags(sdl) & SDL_WINDOW_BORDERLESS, 0u);
            EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                      std::vector<LONG>({200, 200, 200 + m.w + 8, 200 + m.h + 27}));
        }
        EXPECT_EQ(windowwidth * 100000 + windowheight, uint32_t(m.w * 100000 + m.h));
        serve_while([] { win32_closewindow(); });
        EXPECT_EQ(SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN, 0u);
        EXPECT_EQ(winapi_window_fullscreen(window), 0);
    }
    win32_fullscreen = 0;
}

// Screen saver and monitor power-down are refused, other commands go on to the default
// handling; activation is recorded, and keys held when the focus goes count as released.
TEST_F(Window, SystemCommandsActivationAndFocus) {
    const struct {
        WPARAM command;
        LRESULT result;
        size_t messages; // those the window procedure sees, the command included
    } commands[] = {{SC_SCREENSAVE, 0, 1},
                    {SC_SCREENSAVE | 0xF, 0, 1},
                    {SC_MONITORPOWER, 0, 1},
                    {SC_CLOSE, 0, 2}};
    for (const auto &c : commands) {
        seen.clear();
        MSG m = {window, WM_SYSCOMMAND, c.command, 2, 0, {}};
        EXPECT_EQ(DispatchMessageA(&m), c.result);
        EXPECT_EQ(seen.size(), c.messages) << c.command;
    }
    EXPECT_EQ(seen.back().message, UINT(WM_CLOSE));
    winapi_discard_messages();

    push_key(SDL_KEYDOWN, SDL_SCANCODE_SPACE, 0, 0);
    push_key(SDL_KEYDOWN, SDL_SCANCODE_LALT, 0, KMOD_LALT);
    const struct {
        SDL_WindowEventID event;
        uint32_t active, space;
    } focus[] = {{SDL_WINDOWEVENT_FOCUS_GAINED, 1, 1}, {SDL_WINDOWEVENT_FOCUS_LOST, 0, 0}};
    for (const auto &f : focus) {
        push_window(f.event);
        pump();
        EXPECT_EQ(appactive * 10 + VRX_keys[VK_SPACE], f.active * 10 + f.space) << f.event;
    }
    EXPECT_EQ(std::vector<Seen>(seen.end() - 2, seen.end()),
              std::vector<Seen>({{WM_ACTIVATEAPP, 0, 0}, {WM_KILLFOCUS, 0, 0}}));
}

// A doubled 16-bit screen shows its picture, doubled.
TEST_F(Window, SixteenBitDoubledFrameShowsThePicture) {
    serve_while([] {
        VRX_InitVideo(64, 48, 16, 0x1010);
        VRX_ClearColorBitmap(VRX_screenbitmap, 0xFF0000);
        static_cast<uint16_t *>(VRX_screenbitmap.data)[0] = 0x03E0; // green
        VRX_SwapBuffers();
    });
    EXPECT_EQ(windowwidth * 1000 + windowheight, 128096u);
    EXPECT_EQ(std::vector<uint32_t>({pixel(0, 0), pixel(1, 1), pixel(2, 0), pixel(127, 95)}),
              std::vector<uint32_t>({0x00FF00, 0x00FF00, 0xFF0000, 0xFF0000}));
}
// Part of a bitmap section blitted onto the window lands upright in either row order, and the
// rest of the client area is black.
TEST_F(Window, BlittedRectangleOfEitherRowOrder) {
    for (LONG height : {6L, -6L}) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void *bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        for (uint32_t m = 0; m < 6; m++) // each pixel names its row from the top and its column
            for (uint32_t x = 0; x < 8; x++)
                static_cast<uint32_t *>(bits)[m * 8 + x] = ((height > 0 ? 5 - m : m) << 16) | x;
        HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, dib);
        EXPECT_TRUE(BitBlt(screen, 10, 20, 4, 3, memory, 2, 1, SRCCOPY));
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(window, screen);
        DeleteObject(dib);
        pump();
        EXPECT_EQ(std::vector<uint32_t>(
                      {pixel(10, 20), pixel(13, 20), pixel(11, 22), pixel(9, 20), pixel(10, 23)}),
                  std::vector<uint32_t>({0x010002, 0x010005, 0x030003, 0, 0}))
            << height;
    }
}
} // namespace
