// Internals of the SDL stand-in: the pointer's position and visibility.
#pragma once
#include "winapi/sdl_window.h"

// UI thread: shows or hides SDL's pointer as SetCursor and ShowCursor last asked.
void winapi_apply_cursor();
// UI thread: the pointer is at client position (x, y) of the window.
void winapi_cursor_track(WinapiWindow *record, int32_t x, int32_t y);
// The pointer in screen coordinates, as last seen.
POINT winapi_cursor_position();
