// Internals of the SDL stand-in: the frame slot between a presenting thread and the window's
// UI thread, which shows only the newest frame.
#pragma once
#include "winapi/sdl_window.h"

// Any thread: copies the pixels into the window's slot and wakes its UI thread.
BOOL winapi_frame_post(WinapiWindow *record, const WinapiFrameInfo &info, const void *pixels);
// UI thread: shows a new frame, or the last one again when the window needs painting.
void winapi_paint_windows();
void winapi_paint(WinapiWindow *record);
// UI thread: the window's SDL objects and frames go.
void winapi_release_window_video(WinapiWindow *record);
