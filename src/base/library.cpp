// Library start and close-down, and the window caption.
#include "base/library.h"

#include "hw_common/timer.h"
#include "hw_win32/win32.h"
#include "video/input.h"
#include "video/video.h"

void VRX_audio_stop(); // the audio output device

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
