// Start-up and close-down of the whole library, and the window caption. This sits above every
// module so that none of them has to reach up to the others.
#include "vrx_library.h"

#include "graphics/video_state.h"
#include "hw_common/timer.h"
#include "hw_common/timer_internal.h"
#include "sound/audio_device.h"
#include "video/input.h"
#include "video/platform_internal.h"
#include "video/video.h"

int32_t VRX_Initialise() {
    VRX_video.flags = 0;
    VRX_video.bpp = 32;
    VRX_input_prevkey = 0;
    VRX_input_mousebuttons = 0;
    VRX_ll_input_get_mouse_area(&VRX_input_mousewidth, &VRX_input_mouseheight);
    VRX_timer_starttick = VRX_ll_timer_get_ticks();
    return 1;
}

int32_t VRX_CloseDown() {
    VRX_audio_stop();
    VRX_CloseVideo();
    return 1;
}

int32_t VRX_SetTitle(const char *text) {
    return VRX_ll_settitle(text);
}
