// Internals of the SDL stand-in: the posted-message queue.
#pragma once
#include "winapi/user.h"

// Any thread: queues a message and wakes the UI thread.
void winapi_queue_post(const MSG &msg);
// UI thread: takes the next message, or WM_QUIT once a quit was asked for and nothing else is
// queued. False when there is neither.
bool winapi_queue_take(MSG *msg);
