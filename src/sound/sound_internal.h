// Internals of the mixer, shared with the output device and the tests.
#pragma once
#include <cstdint>
#include <mutex>

#include "sound/sound.h"

struct VRX_Soundsystem {
    uint32_t frequency;    // output samples per second
    uint16_t channels;     // 1 or 2
    uint16_t bits;         // 8 or 16
    uint32_t bufferlength; // frames per device buffer
    uint32_t mixsize;      // bytes of mixbuffer
    int32_t *mixbuffer;    // channels x bufferlength accumulators
    int32_t numsounds;
    int32_t numactive;
    uint16_t mastervolume; // 256 is unity
};

extern VRX_Soundsystem soundsystem;
extern VRX_Sound *active_sounds[SOUNDSYSTEM_MAX_VOICES];

// Held around every change of the voice table or a record in it, and around each mix.
// Recursive, so that a stream's refill function may start or stop sounds.
std::recursive_mutex &soundsystem_lock();

// Position advance per output frame: 8 fraction bits, stereo sources read every second sample.
uint32_t soundsystem_step(uint32_t frequency, uint32_t channels);

// Parses a whole WAV file held in memory into the record (data allocated on success).
int32_t soundsystem_parsewav(const uint8_t *bytes, uint32_t size, VRX_Sound *sound);
