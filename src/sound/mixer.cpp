// The mixing loop: every playing voice stepped through its samples into 32-bit accumulators,
// then scaled by the master volume, clipped and written as 8- or 16-bit PCM.
#include "base/cpu_forms.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"

#include <cstring>
#include <type_traits>

namespace {

template <class Sample> inline int16_t widen(Sample s) {
    if (sizeof(Sample) == 2) return static_cast<int16_t>(s);
    return static_cast<int16_t>((s - 128) * 256);
}

// Adds gain x sample into the accumulators: a plain loop the compiler vectorises (16-bit
// factors with 32-bit products).
template <bool Stereo, class Sample>
inline void accumulate(const Sample *samples, int32_t *acc, uint32_t frames, int16_t gain_left,
                       int16_t gain_right) {
    for (uint32_t i = 0; i < frames; i++) {
        int16_t s = widen(samples[i]);
        if (Stereo) {
            acc[2 * i] += int32_t{gain_left} * s;
            acc[2 * i + 1] += int32_t{gain_right} * s;
        } else {
            acc[i] += int32_t{gain_left} * s;
        }
    }
}

enum : uint32_t { MIX_CHUNK = 512 };

// Mixes `frames` frames of one voice from `position`, which stays below the voice's end for
// every frame read. The samples are first picked out at the voice's rate into a small block
// (a 32-bit offset from the first sample when it cannot overflow), then accumulated.
template <bool Source16, bool Stereo>
[[gnu::always_inline]] inline void mix_run(const void *data, int32_t *acc, uint32_t frames,
                                           uint64_t position, uint32_t step, int32_t gain_left,
                                           int32_t gain_right) {
    using Sample = std::conditional_t<Source16, int16_t, uint8_t>;
    const auto *samples = static_cast<const Sample *>(data);
    auto gl = static_cast<int16_t>(gain_left), gr = static_cast<int16_t>(gain_right);
    Sample picked[MIX_CHUNK + 2]; // room for the half-speed pairs' offset
    while (frames) {
        uint32_t n = frames < MIX_CHUNK ? frames : MIX_CHUNK;
        const Sample *first = samples + static_cast<size_t>(position >> 8);
        uint32_t fraction = static_cast<uint32_t>(position & 0xFF);
        if (step == 256) {
            accumulate<Stereo>(first, acc, n, gl, gr);
        } else if (step == 128) {
            // Half speed: frame i reads sample (i + fraction / 128) / 2, so every sample is
            // taken twice; built as pairs (a loop the compiler vectorises), then offset.
            uint32_t half = fraction >> 7, pairs = (n + half + 1) / 2;
            for (uint32_t k = 0; k < pairs; k++) picked[2 * k] = picked[2 * k + 1] = first[k];
            accumulate<Stereo>(picked + half, acc, n, gl, gr);
        } else if (step == 512) {
            // Double speed (a stereo source at the output rate): frame i reads sample 2 i.
            for (uint32_t i = 0; i < n; i++) picked[i] = first[2 * i];
            accumulate<Stereo>(picked, acc, n, gl, gr);
        } else {
            if (uint64_t{n} * step < 0xFFFFFF00u) {
                // Unrolled: the picks are independent loads, limited by the loop's own overhead.
#pragma GCC unroll 8
                for (uint32_t i = 0; i < n; i++) picked[i] = first[(fraction + i * step) >> 8];
            } else {
                for (uint32_t i = 0; i < n; i++)
                    picked[i] = samples[size_t((position + uint64_t{i} * step) >> 8)];
            }
            accumulate<Stereo>(picked, acc, n, gl, gr);
        }
        position += uint64_t{n} * step;
        acc += size_t{n} * (Stereo ? 2 : 1);
        frames -= n;
    }
}

// Mixes one voice into frames [0, frames); false when the voice ended and left the table.
[[gnu::always_inline]] inline bool mix_voice(int32_t slot, uint32_t frames, uint32_t out_channels) {
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
        int32_t *acc = soundsystem.mixbuffer + size_t{done} * out_channels;
        if (v->bits == 16) {
            if (stereo)
                mix_run<true, true>(v->data, acc, run, v->position, v->step, gl, v->right);
            else
                mix_run<true, false>(v->data, acc, run, v->position, v->step, gl, v->right);
        } else {
            if (stereo)
                mix_run<false, true>(v->data, acc, run, v->position, v->step, gl, v->right);
            else
                mix_run<false, false>(v->data, acc, run, v->position, v->step, gl, v->right);
        }
        v->position += uint64_t{run} * v->step;
        done += run;
        if (v->position < end) continue;
        if (v->callback) {
            v->callback(v->data, v->size);
            v->position %= end;
            // The refill function may have stopped this or another voice: whatever moved into
            // this slot is still to be mixed.
            if (slot >= soundsystem.numactive || active_sounds[slot] != v) return false;
        } else if (v->loop) {
            v->position %= end;
        } else {
            Soundsystem_StopSound(v);
            return false;
        }
    }
    return true;
}

// (acc x master) >> 16 clipped to -32767..32767. The product needs more than 32 bits, so it is
// split at bit 16: both partial products fit, and the sum is exactly the shifted product.
inline int32_t scale(int32_t acc, int32_t master) {
    int32_t v = (acc >> 16) * master + (((acc & 0xFFFF) * master) >> 16);
    return v > 32767 ? 32767 : v < -32767 ? -32767 : v;
}

// At unity master volume the scaling is a plain shift by 8.
inline int32_t scale_unity(int32_t acc, int32_t) {
    int32_t v = acc >> 8;
    return v > 32767 ? 32767 : v < -32767 ? -32767 : v;
}

template <int32_t (*Scale)(int32_t, int32_t)>
[[gnu::always_inline]] inline void write_output(const int32_t *acc, void *output, uint32_t samples,
                                                uint32_t bits, int32_t master) {
    if (bits == 16) {
        auto *out = static_cast<int16_t *>(output);
        for (uint32_t i = 0; i < samples; i++) out[i] = static_cast<int16_t>(Scale(acc[i], master));
    } else {
        // The device plays 8-bit samples unsigned: offset the signed high byte by 128.
        auto *out = static_cast<uint8_t *>(output);
        for (uint32_t i = 0; i < samples; i++)
            out[i] = static_cast<uint8_t>((Scale(acc[i], master) >> 8) + 128);
    }
}

// Every voice into the accumulators, then the scaled samples into the output.
[[gnu::always_inline]] inline void mix_all(void *output, uint32_t frames, uint32_t channels,
                                           uint32_t bits) {
    std::memset(soundsystem.mixbuffer, 0, soundsystem.mixsize);
    // A voice that ends leaves the table; the next one moves into its slot. Refill functions
    // that keep restarting each other could shuffle the table forever: visits are bounded.
    int32_t visits = 4 * SOUNDSYSTEM_MAX_VOICES;
    for (int32_t slot = 0; slot < soundsystem.numactive && visits--;) {
        if (!active_sounds[slot]->playing || mix_voice(slot, frames, channels)) slot++;
    }
    uint32_t samples = frames * channels;
    int32_t master = soundsystem.mastervolume;
    if (master == 256)
        write_output<scale_unity>(soundsystem.mixbuffer, output, samples, bits, master);
    else
        write_output<scale>(soundsystem.mixbuffer, output, samples, bits, master);
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
    uint32_t written = frames * channels * (bits / 8);
    // Bytes the mix does not reach (no mix buffer, a ragged length) are silence.
    std::memset(static_cast<uint8_t *>(output) + written, bits == 16 ? 0 : 128, length - written);
    if (!frames) return;
    // AVX2 where the processor has it: twice the lanes for the gains and sums.
    vrx_cpu_forms<mix_all>(output, frames, channels, bits);
}

void VRX_SoundCallback(uint32_t, void *output, uint32_t length) {
    VRX_MixBuffers(output, length);
}
