// The first program to run on the library: a 640x480 window, drawn every frame at the paced
// rate, with a marker moved by the cursor keys, and the frame rate and the mouse position in
// the caption.
// Escape ends the program; so does closing the window.
#include <cstdio>

#include "vrx.h"

namespace {
const int32_t WIDTH = 640, HEIGHT = 480, MARKER = 24, STEP = 4;

void draw_scene(int32_t frame) {
    VRX_Bitmap screen = VRX_screenbitmap;
    VRX_ClearColorBitmap(screen, 0x101830);
    for (int32_t x = 0; x < WIDTH; x += 40) VRX_DrawVLine(x, 0, HEIGHT - 1, 0x283860, screen);
    for (int32_t y = 0; y < HEIGHT; y += 40) VRX_DrawHLine(0, WIDTH - 1, y, 0x283860, screen);
    // A disc circling the centre, so that a running frame loop is visible at a glance.
    int32_t angle = frame % 360;
    int32_t cx = WIDTH / 2 + (angle < 180 ? angle - 90 : 270 - angle);
    VRX_DrawFilledCircle(cx, HEIGHT / 2, 40, 0x20A060, screen);
    VRX_DrawCircle(WIDTH / 2, HEIGHT / 2, 120, 0xC0C0C0, screen);
    VRX_DrawLine(0, 0, WIDTH - 1, HEIGHT - 1, 0x604080, screen);
    VRX_DrawBox(8, 8, WIDTH - 16, HEIGHT - 16, 0xE04040, screen);
}
} // namespace

void vornmain() {
    VRX_SetTitle("hello vrx");
    VRX_InitVideo(WIDTH, HEIGHT, 32, 0);
    int32_t x = (WIDTH - MARKER) / 2, y = (HEIGHT - MARKER) / 2;
    uint32_t shown_fps = ~0u;
    int32_t shown_mx = -1, shown_my = -1;
    for (int32_t frame = 0;; frame++) {
        VRX_WaitRefresh();
        uint32_t held = 0;
        VRX_GetKeys(&held, nullptr);
        if (held & VRX_KEY_ESCAPE) return;
        if (held & VRX_KEY_LEFT) x -= STEP;
        if (held & VRX_KEY_RIGHT) x += STEP;
        if (held & VRX_KEY_UP) y -= STEP;
        if (held & VRX_KEY_DOWN) y += STEP;
        x = x < 0 ? 0 : (x > WIDTH - MARKER ? WIDTH - MARKER : x);
        y = y < 0 ? 0 : (y > HEIGHT - MARKER ? HEIGHT - MARKER : y);

        draw_scene(frame);
        VRX_DrawFilledBox(x, y, MARKER, MARKER, 0xFFFF00, VRX_screenbitmap);
        VRX_SwapBuffers();

        // The mouse in client pixels; outside the window it goes on counting past the edges.
        uint32_t fps = VRX_GetFPS();
        int32_t mx = 0, my = 0;
        VRX_GetMouse(&mx, &my, nullptr);
        if (fps != shown_fps || mx != shown_mx || my != shown_my) {
            char caption[80];
            std::snprintf(caption, sizeof(caption), "hello vrx - %u fps - mouse %d,%d", fps, mx,
                          my);
            VRX_SetTitle(caption);
            shown_fps = fps;
            shown_mx = mx;
            shown_my = my;
        }
    }
}
