// Audio output on wave-out: a ring of four buffers of 2048 frames kept queued at the device.
// Each buffer the device hands back is mixed again and queued behind the other three. Windows
// forbids wave-out calls inside the device's callback (they can deadlock there), so the
// callback only counts finished buffers and a feeder thread mixes and queues them, in order.
#include "hw_win32/audio_internal.h"
#include "hw_win32/win32.h"
#include "sound/audio_device.h"
#include "sound/sound_internal.h"

#include "base/dbg.h"

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

HWAVEOUT g_wo = nullptr;
WAVEFORMATEX g_wf = {};
WAVEHDR g_hdr[AUDIO_RING_BUFFERS] = {};
char *g_audio_buffer = nullptr;
uint32_t g_sample_size = 0;
uint32_t g_buffer_size = 0;
std::atomic<uint32_t> g_cur_buf{0};
uint32_t g_num_prep_buffers = 0;
uint32_t g_waveout_opened = 0;
uint32_t g_audio_paused = 0;
uint32_t g_buffer_waiting = 0;

// Set while the ring is taken down, so that buffers handed back then are not queued again;
// the count says how many callbacks are still running.
static std::atomic<uint32_t> g_audio_stopping{0};
static std::atomic<uint32_t> g_audio_callbacks{0};

static void wait_for_callbacks() {
    while (g_audio_callbacks.load()) Sleep(1);
}

// Buffers handed back and not yet refilled, and the thread that refills them.
static std::mutex g_feed_lock;
static std::condition_variable g_feed_wake;
static uint32_t g_feed_pending = 0;
static bool g_feed_quit = false;
// Never destroyed: the process may end with the device open, and a running std::thread must
// not be destroyed.
static std::thread *g_feeder = nullptr;

static void feed_buffers() {
    std::unique_lock<std::mutex> lock(g_feed_lock);
    for (;;) {
        g_feed_wake.wait(lock, [] { return g_feed_quit || g_feed_pending; });
        if (g_feed_quit) return;
        g_feed_pending--;
        lock.unlock();
        if (!exitflag.load(std::memory_order_relaxed) && !g_audio_stopping.load()) fillnextbuffer();
        lock.lock();
    }
}

static void start_feeder() {
    {
        std::lock_guard<std::mutex> lock(g_feed_lock);
        g_feed_pending = 0;
        g_feed_quit = false;
    }
    g_feeder = new std::thread(feed_buffers);
}

static void stop_feeder() {
    if (!g_feeder) return;
    {
        std::lock_guard<std::mutex> lock(g_feed_lock);
        g_feed_quit = true;
    }
    g_feed_wake.notify_one();
    if (g_feeder->get_id() == std::this_thread::get_id())
        g_feeder->detach();
    else
        g_feeder->join();
    delete g_feeder;
    g_feeder = nullptr;
}

void CALLBACK waveOutProc(HWAVEOUT, UINT message, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    if (message != WOM_DONE) return;
    g_audio_callbacks.fetch_add(1);
    {
        std::lock_guard<std::mutex> lock(g_feed_lock);
        g_feed_pending++;
    }
    g_feed_wake.notify_one();
    g_audio_callbacks.fetch_sub(1);
}

void fillnextbuffer() {
    if (!g_audio_buffer) return;
    uint32_t current = g_cur_buf.load(std::memory_order_relaxed);
    WAVEHDR *header = &g_hdr[current];
    std::memset(header, 0, sizeof(WAVEHDR));
    header->dwBufferLength = g_buffer_size;
    header->lpData = g_audio_buffer + size_t{current} * g_buffer_size;
    // Mixed before it is queued, so the device never plays a buffer the mixer is writing.
    VRX_MixBuffers(header->lpData, header->dwBufferLength);
    waveOutPrepareHeader(g_wo, header, sizeof(WAVEHDR));
    waveOutWrite(g_wo, header, sizeof(WAVEHDR));
    g_cur_buf.store((current + 1) % AUDIO_RING_BUFFERS, std::memory_order_relaxed);
}

void VRX_audio_closedown() {
    // No callback may queue a buffer again once the device has handed them all back.
    g_audio_stopping.store(1);
    stop_feeder();
    wait_for_callbacks();
    if (g_waveout_opened) {
        waveOutReset(g_wo);
        wait_for_callbacks();
        for (uint32_t i = 0; i < g_num_prep_buffers; i++)
            waveOutUnprepareHeader(g_wo, &g_hdr[i], sizeof(WAVEHDR));
    }
    g_num_prep_buffers = 0;
    std::free(g_audio_buffer);
    g_audio_buffer = nullptr;
    if (g_waveout_opened) waveOutClose(g_wo);
    g_wo = nullptr;
    g_waveout_opened = 0;
}

int32_t VRX_audio_setformat(uint32_t frequency, uint32_t bits, uint32_t, uint32_t channels) {
    VRX_audio_closedown();
    if (!frequency) return 1;
    uint32_t count = (channels & 2) ? 2 : 1;
    soundsystem.bits = static_cast<uint16_t>(bits);
    soundsystem.channels = static_cast<uint16_t>(count);
    if (bits != 8 && bits != 16) return 0;
    g_sample_size = bits / 8 * count;
    g_buffer_size = g_sample_size * AUDIO_BUFFER_FRAMES;
    _dbg_printf("sample size: %d\nbuffer size: %d\n", static_cast<int>(g_sample_size),
                static_cast<int>(g_buffer_size));
    g_audio_buffer = static_cast<char *>(std::malloc(size_t{AUDIO_RING_BUFFERS} * g_buffer_size));
    if (!g_audio_buffer) {
        VRX_audio_closedown();
        return 0;
    }
    // The first buffers go out before anything is mixed into them: make them silence.
    std::memset(g_audio_buffer, bits == 16 ? 0 : 0x80, size_t{AUDIO_RING_BUFFERS} * g_buffer_size);
    _dbg_printf("open waveout\n");
    g_wf.wFormatTag = WAVE_FORMAT_PCM;
    g_wf.nChannels = static_cast<WORD>(count);
    g_wf.nSamplesPerSec = frequency;
    g_wf.nAvgBytesPerSec = frequency * g_sample_size;
    g_wf.nBlockAlign = static_cast<WORD>(g_sample_size);
    g_wf.wBitsPerSample = static_cast<WORD>(bits);
    g_wf.cbSize = 0;
    g_audio_stopping.store(0);
    start_feeder();
    if (waveOutOpen(&g_wo, WAVE_MAPPER, &g_wf, reinterpret_cast<DWORD_PTR>(waveOutProc), 0,
                    CALLBACK_FUNCTION) == MMSYSERR_NOERROR)
        _dbg_printf("AUDIO: opening audio device succesful!\n");
    g_waveout_opened = 1;
    for (uint32_t i = 0; i < AUDIO_RING_BUFFERS; i++) {
        WAVEHDR *header = &g_hdr[i];
        std::memset(header, 0, sizeof(WAVEHDR));
        header->lpData = g_audio_buffer + size_t{i} * g_buffer_size;
        header->dwBufferLength = g_buffer_size / g_sample_size;
        if (waveOutPrepareHeader(g_wo, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
            _dbg_printf("AUDIO: error opening audio buffer\n");
            VRX_audio_closedown();
            return 0;
        }
        g_num_prep_buffers++;
    }
    g_audio_paused = 0;
    g_cur_buf.store(0, std::memory_order_relaxed);
    g_buffer_waiting = 0;
    for (uint32_t i = 0; i < AUDIO_RING_BUFFERS; i++)
        waveOutWrite(g_wo, &g_hdr[i], sizeof(WAVEHDR));
    {
        std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
        soundsystem.bufferlength = g_buffer_size / g_sample_size;
    }
    _dbg_printf("audio opened\n");
    return 1;
}

void VRX_audio_stop() {
    if (g_waveout_opened) waveOutBreakLoop(g_wo);
    VRX_audio_closedown();
}

void VRX_audio_pause() {
    if (g_audio_paused) return;
    waveOutPause(g_wo);
    g_audio_paused = 1;
}

void VRX_audio_resume() {
    if (!g_audio_paused) return;
    waveOutRestart(g_wo);
    g_audio_paused = 0;
}

int32_t VRX_audio_getbuffer(void **buffer, uint32_t *length) {
    uint32_t current = g_cur_buf.load(std::memory_order_relaxed);
    if (buffer)
        *buffer = g_audio_buffer ? g_audio_buffer + size_t{current} * g_buffer_size : nullptr;
    if (length) *length = g_buffer_size;
    g_buffer_waiting = 1;
    return 1;
}

void VRX_audio_submitbuffer() {
    uint32_t current = g_cur_buf.load(std::memory_order_relaxed);
    if (g_audio_buffer && g_waveout_opened) {
        // A header still queued is refused by the device and keeps its fields.
        waveOutPrepareHeader(g_wo, &g_hdr[current], sizeof(WAVEHDR));
        waveOutWrite(g_wo, &g_hdr[current], sizeof(WAVEHDR));
    }
    g_buffer_waiting = 0;
    g_cur_buf.store((current + 1) % AUDIO_RING_BUFFERS, std::memory_order_relaxed);
}
