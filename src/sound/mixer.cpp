// The mixing loop: every playing voice stepped through its samples into 32-bit accumulators,
// then scaled by the master volume, clipped and written as 8- or 16-bit PCM.
#include "sound/sound.h"
#include "sound/sound_internal.h"

#include <cstring>

namespace {

// Mixes `frames` frames of one voice from `position`, which stays below the voice's end for
// every frame read. Source format and output layout are fixed per call so the loop has no
// branches.
template <bool Source16, bool Stereo>
void mix_run(const void *data, int32_t *acc, uint32_t frames, uint64_t position, uint32_t step,
             int32_t gain_left, int32_t gain_right) {
    const auto *samples16 = static_cast<const int16_t *>(data);
    const auto *samples8 = static_cast<const uint8_t *>(data);
    for (uint32_t i = 0; i < frames; i++) {
        size_t index = static_cast<size_t>(position >> 8);
        int32_t s = Source16 ? samples16[index] : (samples8[index] - 128) * 256;
        if (Stereo) {
            acc[2 * i] += gain_left * s;
            acc[2 * i + 1] += gain_right * s;
        } else {
            acc[i] += gain_left * s;
        }
        position += step;
    }
}

typedef void (*MixRun)(const void *, int32_t *, uint32_t, uint64_t, uint32_t, int32_t, int32_t);

// Mixes one voice into frames [0, frames); false when the voice ended and left the table.
bool mix_voice(int32_t slot, uint32_t frames, uint32_t out_channels) {
    VRX_Sound *v = active_sounds[slot];
    bool stereo = out_channels == 2;
    uint32_t done = 0;
    while (done < frames) {
        // Never past the data, even when a caller changed the record's length by hand.
        uint32_t usable = v->size / (v->bits == 16 ? 2 : 1);
        uint32_t length = v->length < usable ? v->length : usable;
        if (!v->playing || !v->data || !length) return true;
        uint64_t end = uint64_t{length} * 256;
        if (v->position >= end) v->position %= end;
        // Frames until the position reaches the end (all of them when the step is 0).
        uint64_t left = frames - done;
        uint64_t to_end = v->step ? (end - v->position + v->step - 1) / v->step : left;
        uint32_t run = static_cast<uint32_t>(to_end < left ? to_end : left);
        int32_t gl = stereo ? v->left : v->volume;
        MixRun mix = v->bits == 16 ? (stereo ? mix_run<true, true> : mix_run<true, false>)
                                   : (stereo ? mix_run<false, true> : mix_run<false, false>);
        mix(v->data, soundsystem.mixbuffer + size_t{done} * out_channels, run, v->position, v->step,
            gl, v->right);
        v->position += uint64_t{run} * v->step;
        done += run;
        if (v->position < end) continue;
        if (v->callback) {
            v->callback(v->data, v->size);
            v->position %= end;
            // The refill function may have stopped this or another voice.
            if (slot >= soundsystem.numactive || active_sounds[slot] != v) return true;
        } else if (v->loop) {
            v->position %= end;
        } else {
            Soundsystem_StopSound(v);
            return false;
        }
    }
    return true;
}

void write_output(void *output, uint32_t samples, uint32_t bits) {
    const int32_t *acc = soundsystem.mixbuffer;
    int64_t master = soundsystem.mastervolume;
    if (bits == 16) {
        auto *out = static_cast<int16_t *>(output);
        for (uint32_t i = 0; i < samples; i++) {
            int64_t v = (acc[i] * master) >> 16;
            v = v > 32767 ? 32767 : v < -32767 ? -32767 : v;
            out[i] = static_cast<int16_t>(v);
        }
    } else {
        // The device plays 8-bit samples unsigned: offset the signed high byte by 128.
        auto *out = static_cast<uint8_t *>(output);
        for (uint32_t i = 0; i < samples; i++) {
            int64_t v = (acc[i] * master) >> 16;
            v = v > 32767 ? 32767 : v < -32767 ? -32767 : v;
            out[i] = static_cast<uint8_t>((v >> 8) + 128);
        }
    }
}

} // namespace

void VRX_MixBuffers(void *output, uint32_t length) {
    if (!output) return;
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    uint32_t bits = soundsystem.bits == 16 ? 16 : 8;
    uint32_t channels = soundsystem.channels == 2 ? 2 : 1;
    uint32_t frames = length / (bits / 8) / channels;
    // Never more frames than the accumulators hold.
    uint32_t capacity = soundsystem.mixbuffer ? soundsystem.mixsize / 4 / channels : 0;
    if (frames > capacity) frames = capacity;
    uint32_t samples = frames * channels;
    uint32_t written = samples * (bits / 8);
    // Bytes the mix does not reach (no mix buffer, a ragged length) are silence.
    std::memset(static_cast<uint8_t *>(output) + written, bits == 16 ? 0 : 128, length - written);
    if (!frames) return;
    std::memset(soundsystem.mixbuffer, 0, soundsystem.mixsize);
    for (int32_t slot = 0; slot < soundsystem.numactive;) {
        // A voice that ends leaves the table; the next one moves into its slot.
        if (!active_sounds[slot]->playing || mix_voice(slot, frames, channels)) slot++;
    }
    write_output(output, samples, bits);
}

void VRX_SoundCallback(uint32_t, void *output, uint32_t length) {
    VRX_MixBuffers(output, length);
}
