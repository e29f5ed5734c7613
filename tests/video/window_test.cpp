// The window on SDL's dummy driver: events become the window procedure's messages, a logic
// thread sets up video and presents while this thread serves the window, and closing the
// window in the middle of presenting is safe.
#include <SDL.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "video_fixture.h"
#include "winapi/sdl_window.h"

namespace {
const char CLASS_NAME[] = "VRX: test";

class Window : public VideoGroup {
  protected:
    HWND window = nullptr;

    void SetUp() override {
        VideoGroup::SetUp();
        WNDCLASSA c = {};
        c.style = CS_OWNDC;
        c.lpfnWndProc = WIN32_WndProc;
        c.lpszClassName = CLASS_NAME;
        ASSERT_NE(RegisterClassA(&c), 0);
        window = CreateWindowExA(0, CLASS_NAME, "Vorn Media Library", 0x00CF0008, 200, 200, 328,
                                 267, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        winhandle = window;
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
    void serve_while(void (*work)()) {
        std::thread logic([work] {
            work();
            PostMessageA(nullptr, WM_QUIT, 0, 0);
        });
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
        logic.join();
    }
    uint32_t pixel(int x, int y) {
        uint32_t p = 0;
        SDL_Rect r = {x, y, 1, 1};
        SDL_RenderReadPixels(winapi_window(window)->renderer, &r, SDL_PIXELFORMAT_RGB888, &p, 4);
        return p & 0xFFFFFF;
    }
};

TEST_F(Window, KeysAndMouseReachTheTablesUntilClose) {
    EXPECT_EQ(windowwidth * 1000 + windowheight, 320240u) << "the client area inside the frame";
    // Alt, F10 and keys held with Alt arrive as system keys and are not recorded.
    const std::pair<SDL_Keycode, uint16_t> keys[] = {
        {SDLK_UP, 0},        {SDLK_SPACE, 0}, {SDLK_RCTRL, 0}, {SDLK_LALT, KMOD_LALT},
        {SDLK_x, KMOD_LALT}, {SDLK_F10, 0},   {SDLK_2, 0}};
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    for (const auto &k : keys) {
        e.key.keysym.sym = k.first;
        e.key.keysym.mod = k.second;
        push(e);
    }
    e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 100;
    e.motion.y = 50;
    push(e);
    push_window(SDL_WINDOWEVENT_CLOSE);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
    EXPECT_NE(winapi_window(window), nullptr) << "closing leaves the window to its owner";
    uint32_t held = 0;
    int32_t x = 0, y = 0;
    VRX_GetKeys(&held, nullptr);
    VRX_GetMouse(&x, &y, nullptr);
    EXPECT_EQ(std::vector<uint32_t>({held, g_keycode, VRX_keys[uint8_t('X')], VRX_keys[121]}),
              std::vector<uint32_t>({0x2031, '2', 0, 0}));
    EXPECT_EQ(x * 1000 + y, 100050) << "client coordinates";
}

TEST_F(Window, LogicThreadPresentsUprightThenStretched) {
    serve_while([] {
        VRX_SetTitle("presenting");
        VRX_InitVideo(64, 48, 32, 0);
        VRX_ClearColorBitmap(VRX_screenbitmap, 0x00FF00);
        auto *p = static_cast<uint32_t *>(VRX_screenbitmap.data);
        for (int x = 0; x < 64; x++) {
            p[x] = 0xFF0000;
            p[47 * 64 + x] = 0x0000FF;
        }
        VRX_SwapBuffers();
    });
    EXPECT_STREQ(SDL_GetWindowTitle(winapi_window(window)->sdl), "presenting");
    EXPECT_EQ(windowwidth * 1000 + windowheight, 64048u) << "video set-up sized the client area";
    EXPECT_EQ(std::vector<uint32_t>({pixel(63, 0), pixel(10, 1), pixel(10, 47)}),
              std::vector<uint32_t>({0xFF0000, 0x00FF00, 0x0000FF}));

    SDL_SetWindowSize(winapi_window(window)->sdl, 128, 96);
    push_window(SDL_WINDOWEVENT_SIZE_CHANGED);
    pump();
    serve_while([] { VRX_SwapBuffers(); });
    EXPECT_EQ(std::vector<uint32_t>({pixel(127, 1), pixel(127, 2), pixel(0, 95)}),
              std::vector<uint32_t>({0xFF0000, 0x00FF00, 0x0000FF}));
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
} // namespace
