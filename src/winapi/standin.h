// What the SDL stand-in offers beyond the Windows API: for the process entry and for tests.
#pragma once
#include "winapi/winapi.h"

// Starts SDL's video; without a display it falls back to the dummy driver. 0 on failure.
int winapi_start_video();
// Drops every posted message and a pending quit, so that tests start from an empty queue.
void winapi_discard_messages();
// 1 while the stand-in window is in full-screen mode.
int winapi_window_fullscreen(HWND window);
// The client size the stand-in has given the window (what the user sees).
BOOL winapi_client_size(HWND window, int *width, int *height);
// Test read-back: the colour (0xRRGGBB) a client pixel shows. On the window's own thread.
uint32_t winapi_client_pixel(HWND window, int x, int y);
