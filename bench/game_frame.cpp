// One whole frame as the game's loop draws it (wait, picture, 72 LEDs and a present, one title
// step with its own LEDs and present, the final present) against memcpy of one 640x480x4 frame
// in the same run. The clock steps a second per reading, so the frame's busy waits cost nothing
// and only the drawing and presenting are measured. The frames go to a window, as in the game,
// so each present includes the hand-over to the window's UI thread.
#include "baselines.h"
#include "ratio_report.h"

#include "vrx_library.h"
#include "game/tintfall.h"
#include "graphics/draw_bitmap.h"
#include "hw_win32/win32.h"
#include "video/video.h"
#include "winapi/tick.h"

#include <cstring>
#include <vector>

namespace {
const int32_t W = 640, H = 480;

void BM_MemcpyFrame(benchmark::State &state) {
    copy_baseline(state, size_t(W) * H * 4);
}
BENCHMARK(BM_MemcpyFrame);

TintfallAssets assets{};

void set_up() {
    if (!assets.picture.data) {
        VRX_Initialise();
        // This thread owns the window and never draws it: the presents cost what they cost
        // the game's logic thread.
        static WNDCLASSA c = {};
        c.lpfnWndProc = WIN32_WndProc;
        c.lpszClassName = "VRX: bench";
        RegisterClassA(&c);
        winhandle = CreateWindowExA(0, c.lpszClassName, "bench", 0x00CF0008, 200, 200, 648, 507,
                                    nullptr, nullptr, nullptr, nullptr);
        VRX_InitVideo(W, H, 32, 0);
        VRX_CreateBitmap(W, H, &assets.picture);
        fill_noise(assets.picture.data, size_t(W) * H);
    }
}

void BM_GameFrame(benchmark::State &state) {
    set_up();
    winapi_clock_use_stepping(5000, 1000);
    setup();
    gamestate = GAME_TITLE; // the title scrolls for ever without a key
    for (auto _ : state) {
        tintfall_frame(assets);
        benchmark::ClobberMemory();
    }
    winapi_clock_use_real();
}
BENCHMARK(BM_GameFrame);

// The frame's parts: the picture repaint and one present (a frame presents three times).
void BM_DrawPicture(benchmark::State &state) {
    set_up();
    for (auto _ : state) {
        VRX_DrawBitmap(0, 0, assets.picture, VRX_screenbitmap);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawPicture);

void BM_Present(benchmark::State &state) {
    set_up();
    for (auto _ : state) {
        VRX_SwapBuffers();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Present);
} // namespace

int main(int argc, char **argv) {
    RatioReporter reporter("time / memcpy of one 640x480x4 frame", [](const std::string &name) {
        return name == "BM_MemcpyFrame" ? std::string() : std::string("BM_MemcpyFrame");
    });
    return run_with_ratios(argc, argv, reporter);
}
