// The window on SDL's dummy driver: events become the window procedure's messages, a logic
// thread sets up video and presents while this thread serves the window, and closing the
// window in the middle of presenting is safe.
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "base/library.h"
#include "hw_win32/win32.h"
#include "video/input.h"
#include "video/video.h"
#include "winapi/sdl_window.h"

namespace {
const char CLASS_NAME[] = "VRX: test";

class Window : public ::testing::Test {
  protected:
    HWND window = nullptr;

    void SetUp() override {
        winapi_discard_messages();
        for (auto &k : VRX_keys) k.store(0);
        g_keycode = 0;
        g_mouse_buttons = 0;
        g_mouse_z = 0;
        WNDCLASSA c = {};
        c.style = CS_OWNDC;
        c.lpfnWndProc = WIN32_WndProc;
        c.lpszClassName = CLASS_NAME;
        ASSERT_NE(RegisterClassA(&c), 0);
        window = CreateWindowExA(0, CLASS_NAME, "Vorn Media Library", 0x00CF0008, 200, 200, 328,
                                 267, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        winhandle = window;
        VRX_Initialise();
    }
    void TearDown() override {
        testing::internal::CaptureStdout();
        VRX_CloseVideo();
        testing::internal::GetCapturedStdout();
        if (winapi_window(window)) {
            EXPECT_TRUE(DestroyWindow(window));
        }
        EXPECT_TRUE(UnregisterClassA(CLASS_NAME, nullptr));
        winhandle = nullptr;
        win32_fullscreen = 0;
        winapi_discard_messages();
    }

    SDL_Window *sdl() { return winapi_window(window)->sdl; }

    // Serves the window until everything queued so far has been handled: the first round
    // turns pending events into messages, queued behind the first marker.
    void pump() {
        for (int round = 0; round < 2; round++) {
            PostMessageA(nullptr, WM_NULL, 0, 0x5EED);
            MSG m;
            while (GetMessageA(&m, nullptr, 0, 0)) {
                if (m.message == WM_NULL && m.lParam == 0x5EED) break;
                DispatchMessageA(&m);
            }
        }
    }
    // Serves the window until a quit message arrives.
    void serve() {
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
    }
    void key(uint32_t type, SDL_Keycode sym, uint16_t mod = 0) {
        SDL_Event e = {};
        e.type = type;
        e.key.windowID = SDL_GetWindowID(sdl());
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
    uint32_t pixel(int x, int y) {
        uint32_t p = 0;
        SDL_Rect r = {x, y, 1, 1};
        SDL_RenderReadPixels(winapi_window(window)->renderer, &r, SDL_PIXELFORMAT_RGB888, &p, 4);
        return p & 0xFFFFFF;
    }
};

TEST_F(Window, CreatedWithTheClientAreaInsideTheFrame) {
    EXPECT_EQ(windowwidth.load(), 320u);
    EXPECT_EQ(windowheight.load(), 240u);
    RECT r;
    ASSERT_TRUE(GetWindowRect(window, &r));
    EXPECT_EQ(r.right - r.left, 328);
    EXPECT_EQ(r.bottom - r.top, 267);
}

TEST_F(Window, KeyEventsReachTheTables) {
    key(SDL_KEYDOWN, SDLK_F5);
    pump();
    uint32_t code = 0, changed = 0;
    VRX_GetKeycode(&code, &changed);
    EXPECT_EQ(code, 0xF034u);
    EXPECT_EQ(changed, 1u);
    key(SDL_KEYUP, SDLK_F5);
    key(SDL_KEYDOWN, SDLK_UP);
    key(SDL_KEYDOWN, SDLK_SPACE);
    key(SDL_KEYDOWN, SDLK_RCTRL);
    key(SDL_KEYDOWN, SDLK_q);
    key(SDL_KEYDOWN, SDLK_2);
    pump();
    uint32_t held = 0;
    VRX_GetKeys(&held, nullptr);
    EXPECT_EQ(held, 0x2031u);
    EXPECT_EQ(VRX_keys[uint8_t('Q')].load(), 1u);
    EXPECT_EQ(VRX_keys[116].load(), 0u);
    EXPECT_EQ(g_keycode.load(), uint32_t('2'));
}

TEST_F(Window, AltF10AndKeysHeldWithAltAreSystemKeys) {
    key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
    key(SDL_KEYDOWN, SDLK_x, KMOD_LALT);
    key(SDL_KEYDOWN, SDLK_F10);
    pump();
    EXPECT_EQ(VRX_keys[18].load(), 0u);
    EXPECT_EQ(VRX_keys[uint8_t('X')].load(), 0u);
    EXPECT_EQ(VRX_keys[121].load(), 0u);
    EXPECT_EQ(g_keycode.load(), 0u);
}

TEST_F(Window, VirtualKeyTable) {
    const struct {
        SDL_Keycode sym;
        UINT vk;
    } table[] = {{SDLK_a, 65},      {SDLK_z, 90},        {SDLK_0, 48},        {SDLK_9, 57},
                 {SDLK_LEFT, 37},   {SDLK_UP, 38},       {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},
                 {SDLK_SPACE, 32},  {SDLK_LCTRL, 17},    {SDLK_RSHIFT, 16},   {SDLK_LALT, 18},
                 {SDLK_RETURN, 13}, {SDLK_BACKSPACE, 8}, {SDLK_ESCAPE, 27},   {SDLK_INSERT, 45},
                 {SDLK_DELETE, 46}, {SDLK_PAGEUP, 33},   {SDLK_PAGEDOWN, 34}, {SDLK_HOME, 36},
                 {SDLK_END, 35},    {SDLK_CAPSLOCK, 20}, {SDLK_TAB, 9},       {SDLK_F1, 112},
                 {SDLK_F12, 123},   {SDLK_KP_5, 0}};
    for (const auto &t : table) EXPECT_EQ(winapi_virtual_key(t.sym), t.vk) << t.sym;
}

TEST_F(Window, MouseInClientCoordinatesButtonsAndWheel) {
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(sdl());
    e.motion.x = 100;
    e.motion.y = 50;
    SDL_PushEvent(&e);
    e = {};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = SDL_GetWindowID(sdl());
    e.button.button = SDL_BUTTON_RIGHT;
    e.button.x = 100;
    e.button.y = 50;
    SDL_PushEvent(&e);
    for (int i = 0; i < 3; i++) {
        e = {};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.windowID = SDL_GetWindowID(sdl());
        e.wheel.y = -1;
        SDL_PushEvent(&e);
    }
    pump();
    int32_t x = 0, y = 0, z = 0, dir = 0;
    uint32_t buttons = 0;
    VRX_GetMouse(&x, &y, &buttons);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(buttons, 2u);
    VRX_GetMouseZ(&z, &dir);
    EXPECT_EQ(z, -3);
    EXPECT_EQ(dir, -1);
}

TEST_F(Window, CloseRequestEndsTheLoopAndKeepsTheWindow) {
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = SDL_GetWindowID(sdl());
    SDL_PushEvent(&e);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
    EXPECT_EQ(m.message, UINT(WM_QUIT));
    EXPECT_NE(winapi_window(window), nullptr) << "destroyed only by its owner afterwards";
}

TEST_F(Window, LogicThreadSetsUpVideoAndPresentsUpright) {
    std::thread logic([] {
        VRX_SetTitle("presenting");
        VRX_InitVideo(64, 48, 32, 0);
        VRX_ClearColorBitmap(VRX_screenbitmap, 0x00FF00);
        auto *p = static_cast<uint32_t *>(VRX_screenbitmap.data);
        for (int x = 0; x < 64; x++) {
            p[x] = 0xFF0000;
            p[47 * 64 + x] = 0x0000FF;
        }
        VRX_SwapBuffers();
        PostMessageA(nullptr, WM_QUIT, 0, 0);
    });
    serve();
    logic.join();
    EXPECT_STREQ(SDL_GetWindowTitle(sdl()), "presenting");
    EXPECT_EQ(windowwidth.load(), 64u) << "video set-up sized the client area";
    EXPECT_EQ(windowheight.load(), 48u);
    EXPECT_EQ(pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(pixel(63, 0), 0xFF0000u);
    EXPECT_EQ(pixel(10, 1), 0x00FF00u);
    EXPECT_EQ(pixel(10, 47), 0x0000FFu);

    // A resized window gets every later frame stretched to its client area.
    SDL_SetWindowSize(sdl(), 128, 96);
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.windowID = SDL_GetWindowID(sdl());
    SDL_PushEvent(&e);
    pump();
    EXPECT_EQ(windowwidth.load(), 128u);
    std::thread again([] {
        VRX_SwapBuffers();
        PostMessageA(nullptr, WM_QUIT, 0, 0);
    });
    serve();
    again.join();
    EXPECT_EQ(pixel(127, 1), 0xFF0000u);
    EXPECT_EQ(pixel(127, 2), 0x00FF00u);
    EXPECT_EQ(pixel(0, 94), 0x0000FFu);
    EXPECT_EQ(pixel(0, 95), 0x0000FFu);
}

TEST_F(Window, ClosingWhilePresentingIsSafe) {
    std::atomic<int> frames{0};
    std::atomic<bool> stop{false};
    std::thread logic([&] {
        VRX_InitVideo(64, 48, 32, 0x1000);
        while (!stop.load()) {
            VRX_ClearColorBitmap(VRX_screenbitmap, 0x123456 + frames.load());
            VRX_SwapBuffers();
            frames++;
        }
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
    EXPECT_GE(frames.load(), closed_at + 20) << "presents after the close return at once";
    EXPECT_EQ(GetDC(window), nullptr);
}
} // namespace
