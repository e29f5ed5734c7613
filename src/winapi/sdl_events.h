// Internals of the SDL stand-in: SDL events turned into window messages.
#pragma once
#include <SDL.h>

#include "winapi/types.h"

// UI thread: turns one SDL event into the messages Windows would send or post.
void winapi_translate_event(const SDL_Event &event);
// The virtual-key code of an SDL key, 0 for keys that have none.
UINT winapi_virtual_key(const SDL_Keysym &key);
