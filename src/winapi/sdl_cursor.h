// Internals of the SDL stand-in: the pointer's position and visibility.
#pragma once
#include "winapi/sdl_window.h"

// UI thread: shows or hides SDL's pointer as SetCursor and ShowCursor last asked.
void winapi_apply_cursor();
// UI thread: the pointer is at client position (x, y) of the window.
void winapi_cursor_track(WinapiWindow *record, int32_t x, int32_t y);
// UI thread: outside our windows no motion events come; read the pointer from the screen
// where the driver can. True while the pointer is known to be outside, so that the message
// loop looks again soon.
bool winapi_cursor_refresh();
// The pointer in screen coordinates, as last seen.
POINT winapi_cursor_position();
