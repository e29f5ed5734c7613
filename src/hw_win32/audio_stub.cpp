// Placeholder for the audio output device's stop until that device exists: replace this file
// (delete it) when hw_win32 gains the real wave-out layer.
#include "hw_win32/win32.h"

void VRX_audio_stop() {}
