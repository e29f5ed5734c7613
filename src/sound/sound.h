// The software mixer: up to 16 voices with volume, panning and rate, mixed into 8- or 16-bit PCM
// for the audio output device, and sounds read from and written to WAV files.
#pragma once
#include <cstdint>

// A stream's refill function: given the stream's data and its size in bytes.
typedef void (*VRX_SoundCallbackFunc)(void *data, uint32_t size);

// A sound, owned by the caller; the mixer's voice table only points at it.
struct VRX_Sound {
    uint16_t playing;  // 1 while mixed
    uint16_t channels; // 1 or 2
    uint16_t bits;     // 8 (unsigned, 128 is silence) or 16 (signed)
    uint32_t size;     // bytes of sample data
    uint32_t length;   // samples, counting every channel
    uint32_t frequency;
    uint64_t position; // index of the next sample x 256
    uint32_t step;     // added to position per output frame
    uint32_t loop;
    uint8_t volume;
    uint8_t left;
    uint8_t right;
    uint8_t panning; // 0 full left .. 255 full right
    uint32_t stream;
    uint32_t stream_length; // samples
    uint32_t stream_size;   // bytes
    VRX_SoundCallbackFunc callback;
    void *data;
};

// Most voices mixed at once; further sounds started are not heard.
enum : int32_t { SOUNDSYSTEM_MAX_VOICES = 16 };

int32_t Soundsystem_Init(uint32_t frequency, uint32_t bufferlength, uint8_t bits, uint8_t channels);
void Soundsystem_Closedown();
void Soundsystem_SetMasterVolume(int32_t volume);

void Soundsystem_LoadSound(const char *name, VRX_Sound *sound);
int32_t Soundsystem_SaveSound(const char *name, VRX_Sound *sound);
void Soundsystem_CreateSoundStream(VRX_Sound *sound, VRX_SoundCallbackFunc callback,
                                   uint32_t frequency, uint16_t bits, uint16_t channels,
                                   uint32_t length);
void Soundsystem_DeleteSound(VRX_Sound *sound);

void Soundsystem_PlaySound(VRX_Sound *sound, int32_t loop);
void Soundsystem_StopSound(VRX_Sound *sound);
void Soundsystem_SetVolume(VRX_Sound *sound, int32_t volume);
void Soundsystem_SetPanning(VRX_Sound *sound, int32_t panning);
void Soundsystem_SetFrequency(VRX_Sound *sound, uint32_t frequency);

void *Soundsystem_GetOutputBuffer();
// Mixes every playing voice into `length` bytes of output (called by the output device).
void VRX_MixBuffers(void *output, uint32_t length);
void VRX_SoundCallback(uint32_t unused, void *output, uint32_t length);

int32_t Soundsystem_LoadWAV(const char *name, VRX_Sound *sound);
int32_t Soundsystem_SaveWAV(const char *name, VRX_Sound *sound);
