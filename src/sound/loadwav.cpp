// WAV files in the canonical 44-byte layout: RIFF header, a 16-byte "fmt " chunk at 12 and the
// "data" chunk at 36, samples from 44.
#include "sound/sound.h"
#include "sound/sound_internal.h"

#include "base/dbg.h"
#include "base/memory.h"
#include "vornfile/vornfile.h"

#include <cstring>

#define LOADWAV_SOURCE "sound/loadwav.cpp"

enum : uint32_t { WAV_HEADER_SIZE = 44, WAV_FORMAT_PCM = 1 };

static uint32_t get16(const uint8_t *p) {
    return p[0] | (p[1] << 8);
}
static uint32_t get32(const uint8_t *p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}
static void put16(uint8_t *p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
static void put32(uint8_t *p, uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

int32_t soundsystem_parsewav(const uint8_t *bytes, uint32_t size, VRX_Sound *sound) {
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) || std::memcmp(bytes + 8, "WAVE", 4)) {
        _dbg_printf("No WAV file");
        return 0;
    }
    if (size < 15 || std::memcmp(bytes + 12, "fmt", 3)) return 0;
    // Every field below is read at a fixed offset: the whole header must be there.
    if (size < WAV_HEADER_SIZE) {
        _dbg_printf("WAV header truncated\n");
        return 0;
    }
    uint32_t format = get16(bytes + 20);
    sound->channels = static_cast<uint16_t>(get16(bytes + 22));
    sound->frequency = get32(bytes + 24);
    sound->bits = static_cast<uint16_t>(get16(bytes + 34));
    if (format != WAV_FORMAT_PCM) {
        _dbg_printf("Not PCM signed");
        return 0;
    }
    if (std::memcmp(bytes + 36, "data", 4)) return 0;
    // Below 8 bits a sample has no whole byte; without channels or a rate nothing can play.
    if (sound->bits < 8 || !sound->channels || !sound->frequency) {
        _dbg_printf("WAV format not supported\n");
        return 0;
    }
    uint32_t data_size = get32(bytes + 40);
    if (data_size > size - WAV_HEADER_SIZE) {
        _dbg_printf("WAV data larger than file\n");
        return 0;
    }
    // An empty sound still gets a block: no data means "not loaded".
    void *data = _wrap_malloc_dbg(data_size ? data_size : 1, LOADWAV_SOURCE, __LINE__);
    if (!data) return 0;
    std::memcpy(data, bytes + WAV_HEADER_SIZE, data_size);
    sound->size = data_size;
    sound->data = data;
    sound->length = data_size / (sound->bits / 8);
    return 1;
}

int32_t Soundsystem_LoadWAV(const char *name, VRX_Sound *sound) {
    vornfile_handle file = {};
    if (!sound || !vornfile_open(name, &file, 0)) return 0;
    int32_t result = 0;
    int32_t size = vornfile_fsize(&file);
    void *buffer = size > 0
                       ? _wrap_malloc_dbg(static_cast<uint32_t>(size), LOADWAV_SOURCE, __LINE__)
                       : nullptr;
    if (buffer) {
        // A short read leaves zeros, never stale memory.
        std::memset(buffer, 0, static_cast<size_t>(size));
        vornfile_read(buffer, static_cast<uint32_t>(size), 1, &file);
        result = soundsystem_parsewav(static_cast<const uint8_t *>(buffer),
                                      static_cast<uint32_t>(size), sound);
        _wrap_free_dbg(buffer, LOADWAV_SOURCE, __LINE__);
    } else if (size == 0) {
        _dbg_printf("No WAV file");
    }
    vornfile_close(&file);
    return result;
}

int32_t Soundsystem_SaveWAV(const char *name, VRX_Sound *sound) {
    // Nothing to write from a record without samples: report it rather than claim success.
    if (!sound || (!sound->data && sound->size)) return 0;
    uint64_t total = uint64_t{sound->size} + WAV_HEADER_SIZE;
    if (total > INT32_MAX) return 0;
    auto *block = static_cast<uint8_t *>(
        _wrap_malloc_dbg(static_cast<uint32_t>(total), LOADWAV_SOURCE, __LINE__));
    if (!block) return 0;
    uint32_t bytes = sound->bits / 8;
    uint32_t data_size = bytes * sound->length;
    std::memcpy(block, "RIFF", 4);
    put32(block + 4, data_size + 36);
    std::memcpy(block + 8, "WAVEfmt ", 8);
    put32(block + 16, 16);
    put16(block + 20, WAV_FORMAT_PCM);
    put16(block + 22, sound->channels);
    put32(block + 24, sound->frequency);
    put32(block + 28, sound->channels * bytes * sound->frequency);
    put16(block + 32, sound->channels * bytes);
    put16(block + 34, sound->bits);
    std::memcpy(block + 36, "data", 4);
    put32(block + 40, data_size);
    if (sound->size) std::memcpy(block + WAV_HEADER_SIZE, sound->data, sound->size);
    vornfile_savebuffer(name, block, static_cast<int32_t>(total));
    _wrap_free_dbg(block, LOADWAV_SOURCE, __LINE__);
    return 1;
}
