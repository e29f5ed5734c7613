// Frame pacing and the frame counter.
#include "hw_common/timer.h"
#include "video/video.h"

// The period starts at its default so that pacing before video set-up never divides by 0.
uint32_t VRX_video_updatespeed = 20;
uint32_t VRX_video_time = 0;
uint32_t VRX_video_numframes = 0;
uint32_t VRX_video_fps = 0;
uint32_t VRX_video_oldtime = 0;

float VRX_WaitRefresh() {
    double period = VRX_video_updatespeed ? VRX_video_updatespeed : 1;
    double ratio;
    // Busy wait: the finest timing the millisecond clock allows.
    for (;;) {
        uint32_t elapsed = VRX_timer_getmillis() - VRX_video_time;
        ratio = elapsed / period;
        if (ratio >= 1.0) break;
    }
    VRX_video_time = VRX_timer_getmillis();
    return static_cast<float>(ratio);
}

int32_t VRX_SetRefreshRate(int32_t rate) {
    uint32_t period;
    if (rate > 0)
        period = 1000 / static_cast<uint32_t>(rate);
    else if (rate < 0)
        period = 0u - static_cast<uint32_t>(rate);
    else
        period = VRX_video_updatespeed; // no rate: the period stays
    VRX_video_updatespeed = period ? period : 1;
    VRX_video_time = VRX_timer_getmillis();
    return 0;
}

uint32_t VRX_GetFPS() {
    uint32_t now = VRX_timer_getmillis();
    if (now - VRX_video_oldtime <= 999) return VRX_video_fps;
    VRX_video_oldtime = now;
    VRX_video_fps = VRX_video_numframes;
    VRX_video_numframes = 0;
    return VRX_video_fps;
}
