// Internals of the SDL stand-in: SDL's video start and what the display reports.
#pragma once
#include <mutex>

bool winapi_video_ready();
// Held while starting one of SDL's subsystems from any thread.
std::mutex &winapi_sdl_init_lock();
// The display's answer to GetDeviceCaps (sizes of the desktop, 96 dots per inch).
int winapi_screen_caps(int index);
