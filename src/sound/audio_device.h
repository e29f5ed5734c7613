// The audio output device, as the mixer needs it: implemented by the platform layer. Once set
// up, the device calls VRX_MixBuffers for every buffer it is about to play.
#pragma once
#include <cstdint>

// channels: bit 1 set for stereo. Result 1 on success (also for frequency 0: nothing opened).
int32_t VRX_audio_setformat(uint32_t frequency, uint32_t bits, uint32_t bufferlength,
                            uint32_t channels);
void VRX_audio_closedown();
void VRX_audio_stop();
void VRX_audio_pause();
void VRX_audio_resume();
// Feeding by the caller instead of the device's callback; not to be mixed with it.
int32_t VRX_audio_getbuffer(void **buffer, uint32_t *length);
void VRX_audio_submitbuffer();
