// Parses arbitrary bytes as a WAV file and mixes whatever loads, at the output rate and at an
// odd one, so that every header field reaches the mixer's reads.
#include "base/memory.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

static int16_t output[2 * 512];

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    // The mixer alone, without a device.
    soundsystem.frequency = 44100;
    soundsystem.channels = 2;
    soundsystem.bits = 16;
    soundsystem.bufferlength = 512;
    soundsystem.mixsize = 2 * 512 * 4;
    soundsystem.mixbuffer = static_cast<int32_t *>(_wrap_malloc(soundsystem.mixsize));
    soundsystem.mastervolume = 256;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    VRX_Sound sound = {};
    if (!soundsystem_parsewav(data, static_cast<uint32_t>(size), &sound)) return 0;
    sound.step = soundsystem_step(sound.frequency, sound.channels);
    sound.volume = 255;
    sound.left = sound.right = 128;
    Soundsystem_PlaySound(&sound, 1);
    VRX_MixBuffers(output, sizeof output);
    Soundsystem_SetFrequency(&sound, sound.frequency * 3 + 1);
    VRX_MixBuffers(output, sizeof output);
    Soundsystem_DeleteSound(&sound);
    return 0;
}
