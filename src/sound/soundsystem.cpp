// The mixer's state, the sound records' life cycle and the voice table.
#include "sound/sound.h"
#include "sound/audio_device.h"
#include "sound/sound_internal.h"

#include "base/dbg.h"
#include "base/memory.h"

#include <cstring>

#define SOUNDSYSTEM_SOURCE "sound/soundsystem.cpp"

VRX_Soundsystem soundsystem;
VRX_Sound *active_sounds[SOUNDSYSTEM_MAX_VOICES];

std::recursive_mutex &soundsystem_lock() {
    static std::recursive_mutex lock;
    return lock;
}

uint32_t soundsystem_step(uint32_t frequency, uint32_t channels) {
    // Without an output rate nothing advances (rather than dividing by zero).
    if (!soundsystem.frequency) return 0;
    return frequency * 256u * channels / soundsystem.frequency;
}

int32_t Soundsystem_Init(uint32_t frequency, uint32_t bufferlength, uint8_t bits,
                         uint8_t channels) {
    {
        std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
        soundsystem.frequency = frequency;
        soundsystem.channels = channels;
        soundsystem.bits = bits;
        soundsystem.bufferlength = bufferlength ? bufferlength : frequency / 16;
        soundsystem.numsounds = 0;
        soundsystem.numactive = 0;
        soundsystem.mastervolume = 256;
    }
    // The device replaces bufferlength with its own when it opens.
    VRX_audio_setformat(frequency, bits, soundsystem.bufferlength, channels == 2 ? 2 : 1);
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    _dbg_printf("soundsystem bufferlength = %d\n", static_cast<int>(soundsystem.bufferlength));
    if (soundsystem.mixbuffer) _wrap_free_dbg(soundsystem.mixbuffer, SOUNDSYSTEM_SOURCE, __LINE__);
    uint64_t bytes = uint64_t{soundsystem.channels} * soundsystem.bufferlength * 4;
    soundsystem.mixbuffer = nullptr;
    if (bytes && bytes <= UINT32_MAX)
        soundsystem.mixbuffer = static_cast<int32_t *>(
            _wrap_malloc_dbg(static_cast<uint32_t>(bytes), SOUNDSYSTEM_SOURCE, __LINE__));
    // A missing mix buffer makes the mixer write silence; mixsize says how much it can hold.
    soundsystem.mixsize = soundsystem.mixbuffer ? static_cast<uint32_t>(bytes) : 0;
    return 1;
}

void Soundsystem_Closedown() {
    // The device first: its callback mixes into the buffer released below.
    VRX_audio_stop();
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    if (soundsystem.mixbuffer) _wrap_free_dbg(soundsystem.mixbuffer, SOUNDSYSTEM_SOURCE, __LINE__);
    soundsystem.mixbuffer = nullptr;
    soundsystem.mixsize = 0;
}

void Soundsystem_SetMasterVolume(int32_t volume) {
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    soundsystem.mastervolume = static_cast<uint16_t>(volume > 256 ? 256 : volume < 0 ? 0 : volume);
}

// Fields every new sound starts with, apart from its format and data.
static void set_defaults(VRX_Sound *sound) {
    sound->position = 0;
    sound->step = soundsystem_step(sound->frequency, sound->channels);
    sound->volume = 255;
    sound->left = sound->right = sound->panning = 128;
    sound->playing = 0;
}

static int32_t is_wav_name(const char *name) {
    const char *dot = std::strrchr(name, '.');
    if (!dot || dot == name) return 0;
    char extension[5] = {};
    size_t n = std::strlen(dot);
    if (n != 4) return 0;
    for (size_t i = 0; i < n; i++) {
        char c = dot[i];
        extension[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    }
    return std::strcmp(extension, ".WAV") == 0;
}

void Soundsystem_LoadSound(const char *name, VRX_Sound *sound) {
    if (!sound) return;
    _dbg_printf("Loading sound %s\n", name ? name : "(null)");
    // Read into a local record so that the mixer never sees a half-filled one.
    VRX_Sound loaded = {};
    if (name && is_wav_name(name) && !Soundsystem_LoadWAV(name, &loaded)) loaded = {};
    set_defaults(&loaded);
    // A record still in the voice table stays there, stopped, until it is played or stopped.
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    *sound = loaded;
    soundsystem.numsounds++;
}

int32_t Soundsystem_SaveSound(const char *name, VRX_Sound *sound) {
    return Soundsystem_SaveWAV(name, sound);
}

void Soundsystem_CreateSoundStream(VRX_Sound *sound, VRX_SoundCallbackFunc callback,
                                   uint32_t frequency, uint16_t bits, uint16_t channels,
                                   uint32_t length) {
    if (!sound) return;
    VRX_Sound created = {};
    created.channels = channels;
    created.bits = bits;
    created.frequency = frequency;
    // The length counts the samples of every channel, so that the mixer plays the whole
    // buffer between refills.
    uint64_t samples = uint64_t{channels} * length;
    uint64_t bytes = samples * (bits / 8);
    if (samples <= UINT32_MAX && bytes && bytes <= UINT32_MAX) {
        created.data = _wrap_malloc_dbg(static_cast<uint32_t>(bytes), SOUNDSYSTEM_SOURCE, __LINE__);
        if (created.data) {
            std::memset(created.data, 0, bytes);
            created.length = static_cast<uint32_t>(samples);
            created.size = static_cast<uint32_t>(bytes);
        }
    }
    created.stream = 1;
    created.stream_length = created.length;
    created.stream_size = created.size;
    created.callback = callback;
    created.loop = 1;
    set_defaults(&created);
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    *sound = created;
    soundsystem.numsounds++;
}

void Soundsystem_DeleteSound(VRX_Sound *sound) {
    if (!sound) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    Soundsystem_StopSound(sound);
    if (sound->data) _wrap_free_dbg(sound->data, SOUNDSYSTEM_SOURCE, __LINE__);
    sound->data = nullptr;
    if (soundsystem.numsounds >= 1) soundsystem.numsounds--;
}

static int32_t voice_index(const VRX_Sound *sound) {
    for (int32_t i = 0; i < soundsystem.numactive; i++)
        if (active_sounds[i] == sound) return i;
    return -1;
}

void Soundsystem_PlaySound(VRX_Sound *sound, int32_t loop) {
    if (!sound) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    sound->playing = 1;
    sound->position = 0;
    if (loop) sound->loop = 1;
    if (voice_index(sound) >= 0 || soundsystem.numactive >= SOUNDSYSTEM_MAX_VOICES) return;
    active_sounds[soundsystem.numactive++] = sound;
}

void Soundsystem_StopSound(VRX_Sound *sound) {
    if (!sound) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    sound->position = 0;
    sound->playing = 0;
    int32_t i = voice_index(sound);
    if (i < 0) return;
    for (; i + 1 < soundsystem.numactive; i++) active_sounds[i] = active_sounds[i + 1];
    active_sounds[--soundsystem.numactive] = nullptr;
}

static void set_gains(VRX_Sound *sound) {
    sound->left = static_cast<uint8_t>(((255 - sound->panning) * sound->volume) / 256);
    sound->right = static_cast<uint8_t>((sound->panning * sound->volume) / 256);
}

static uint8_t clamp_byte(int32_t value) {
    return static_cast<uint8_t>(value >= 256 ? 255 : value < 0 ? 0 : value);
}

void Soundsystem_SetVolume(VRX_Sound *sound, int32_t volume) {
    if (!sound) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    sound->volume = clamp_byte(volume);
    set_gains(sound);
}

void Soundsystem_SetPanning(VRX_Sound *sound, int32_t panning) {
    if (!sound) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    sound->panning = clamp_byte(panning);
    set_gains(sound);
}

void Soundsystem_SetFrequency(VRX_Sound *sound, uint32_t frequency) {
    if (!sound) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    sound->step = soundsystem_step(frequency, sound->channels);
}

void *Soundsystem_GetOutputBuffer() {
    return soundsystem.mixbuffer;
}
