// Video output and frame pacing: the back buffer, presentation and the frame pacer.
#pragma once
#include <cstdint>

#include "graphics/video_state.h"

enum : int32_t {
    VRX_FULLSCREEN = 0x0001,
    VRX_MODE16 = 0x0010,
    VRX_DIRECT = 0x0100,
    VRX_DOUBLE1 = 0x1000,
    VRX_DOUBLE2 = 0x2000,
    VRX_DOUBLE4 = 0x4000
};

extern uint32_t VRX_colortab[256];
extern uint32_t VRX_video_updatespeed;
extern uint32_t VRX_video_time;
extern uint32_t VRX_video_numframes;
extern uint32_t VRX_video_fps;
extern uint32_t VRX_video_oldtime;

int32_t VRX_InitVideo(uint32_t width, uint32_t height, int32_t bpp, int32_t flags);
void VRX_CloseVideo();
void *VRX_GetVideoBuffer();
void VRX_SetColors(const uint8_t *palette, uint32_t count, uint32_t first);
int32_t VRX_SetRefreshRate(int32_t rate);
float VRX_WaitRefresh();
uint32_t VRX_GetFPS();
void VRX_SwapBuffers();
// Present to a given window, or onto a given device context (platform handles).
void VRX_SwapBufferHWND(struct HWND__ *window);
int32_t VRX_SwapBufferHDC(struct HDC__ *context);
void VRX_video_drawvpage32(void *destination, int32_t doubled);
void VRX_video_drawvpage16(void *destination, int32_t doubled);
