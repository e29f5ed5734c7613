// SDL stand-in: wave-out audio on an SDL audio device. SDL's audio thread copies the queued
// headers out in order; a notifier thread per device reports every finished header to the
// callback, holding no lock while it does, so the callback may queue headers again and take
// the mixer's lock without any risk of deadlock.
#include "winapi/waveout.h"
#include "winapi/sdl_display.h"

#include <SDL.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

namespace {

typedef void(CALLBACK *WaveOutCallback)(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);

struct WaveOutDevice {
    SDL_AudioDeviceID sdl = 0;
    WaveOutCallback proc = nullptr;
    DWORD_PTR instance = 0;
    uint8_t silence = 0;
    std::mutex lock;
    std::condition_variable wake; // a header finished, or the device closes
    std::condition_variable idle; // every finished header has been reported
    std::deque<LPWAVEHDR> queue;  // in playing order
    DWORD played = 0;             // bytes of the first queued header already played
    std::deque<LPWAVEHDR> done;   // finished, not yet reported
    bool delivering = false;
    bool closing = false;
    std::thread notifier;
};

std::mutex devices_lock;
// Never destroyed: a device may still be playing while the process exits.
std::set<WaveOutDevice *> &devices = *new std::set<WaveOutDevice *>;

HWAVEOUT handle_of(WaveOutDevice *device) {
    return reinterpret_cast<HWAVEOUT>(device);
}

WaveOutDevice *device_of(HWAVEOUT handle) {
    std::lock_guard<std::mutex> guard(devices_lock);
    auto *device = reinterpret_cast<WaveOutDevice *>(handle);
    return devices.count(device) ? device : nullptr;
}

void finish(WaveOutDevice *device, LPWAVEHDR header) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    device->done.push_back(header);
}

void SDLCALL play(void *userdata, Uint8 *stream, int len) {
    auto *device = static_cast<WaveOutDevice *>(userdata);
    size_t at = 0, size = static_cast<size_t>(len);
    bool finished = false;
    {
        std::lock_guard<std::mutex> guard(device->lock);
        while (at < size && !device->queue.empty()) {
            LPWAVEHDR header = device->queue.front();
            size_t left = header->dwBufferLength > device->played
                              ? header->dwBufferLength - device->played
                              : 0;
            size_t n = left < size - at ? left : size - at;
            if (n) std::memcpy(stream + at, header->lpData + device->played, n);
            at += n;
            device->played += static_cast<DWORD>(n);
            if (device->played >= header->dwBufferLength) {
                device->queue.pop_front();
                device->played = 0;
                finish(device, header);
                finished = true;
            }
        }
    }
    // Nothing queued: the device plays silence until the next header arrives.
    std::memset(stream + at, device->silence, size - at);
    if (finished) device->wake.notify_one();
}

void report_finished(WaveOutDevice *device) {
    std::unique_lock<std::mutex> hold(device->lock);
    for (;;) {
        device->wake.wait(hold, [&] { return !device->done.empty() || device->closing; });
        if (device->done.empty()) return;
        LPWAVEHDR header = device->done.front();
        device->done.pop_front();
        device->delivering = true;
        hold.unlock();
        if (device->proc)
            device->proc(handle_of(device), WOM_DONE, device->instance,
                         reinterpret_cast<DWORD_PTR>(header), 0);
        hold.lock();
        device->delivering = false;
        if (device->done.empty()) device->idle.notify_all();
    }
}

bool audio_started() {
    std::lock_guard<std::mutex> init(winapi_sdl_init_lock());
    return SDL_WasInit(SDL_INIT_AUDIO) || SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

MMRESULT check_header(HWAVEOUT handle, LPWAVEHDR header, UINT size, WaveOutDevice **device) {
    *device = device_of(handle);
    if (!*device) return MMSYSERR_INVALHANDLE;
    if (!header || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

} // namespace

MMRESULT waveOutOpen(LPHWAVEOUT result, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags) {
    if (!result || !format) return MMSYSERR_INVALPARAM;
    *result = nullptr;
    if (id != WAVE_MAPPER && id != 0) return MMSYSERR_BADDEVICEID;
    DWORD kind = flags & 0x00070000;
    if (kind != CALLBACK_FUNCTION && kind != CALLBACK_NULL) return MMSYSERR_INVALFLAG;
    if (format->wFormatTag != WAVE_FORMAT_PCM || format->nChannels < 1 || format->nChannels > 2 ||
        (format->wBitsPerSample != 8 && format->wBitsPerSample != 16) ||
        format->nSamplesPerSec == 0 || format->nSamplesPerSec > 384000)
        return WAVERR_BADFORMAT;
    if (!audio_started()) return MMSYSERR_NODRIVER;

    auto *device = new WaveOutDevice;
    if (kind == CALLBACK_FUNCTION) device->proc = reinterpret_cast<WaveOutCallback>(callback);
    device->instance = instance;
    SDL_AudioSpec want = {}, have = {};
    want.freq = static_cast<int>(format->nSamplesPerSec);
    want.format = format->wBitsPerSample == 16 ? AUDIO_S16SYS : AUDIO_U8;
    want.channels = static_cast<Uint8>(format->nChannels);
    want.samples = 1024;
    want.callback = play;
    want.userdata = device;
    device->silence = format->wBitsPerSample == 16 ? 0 : 0x80;
    // SDL converts to whatever the hardware takes; the headers stay in the asked format.
    device->sdl = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device->sdl) {
        delete device;
        return MMSYSERR_NODRIVER;
    }
    device->notifier = std::thread(report_finished, device);
    {
        std::lock_guard<std::mutex> guard(devices_lock);
        devices.insert(device);
    }
    *result = handle_of(device);
    SDL_PauseAudioDevice(device->sdl, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT handle) {
    WaveOutDevice *device = device_of(handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    // The notifier cannot wait for itself to finish.
    if (std::this_thread::get_id() == device->notifier.get_id()) return MMSYSERR_ERROR;
    {
        std::lock_guard<std::mutex> guard(device->lock);
        if (!device->queue.empty()) return WAVERR_STILLPLAYING;
    }
    {
        std::lock_guard<std::mutex> guard(devices_lock);
        devices.erase(device);
    }
    SDL_CloseAudioDevice(device->sdl);
    {
        std::lock_guard<std::mutex> guard(device->lock);
        device->closing = true;
    }
    device->wake.notify_one();
    device->notifier.join();
    delete device;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT size) {
    WaveOutDevice *device;
    MMRESULT status = check_header(handle, header, size, &device);
    if (status != MMSYSERR_NOERROR) return status;
    std::lock_guard<std::mutex> guard(device->lock);
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT handle, LPWAVEHDR header, UINT size) {
    WaveOutDevice *device;
    MMRESULT status = check_header(handle, header, size, &device);
    if (status != MMSYSERR_NOERROR) return status;
    std::lock_guard<std::mutex> guard(device->lock);
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT handle, LPWAVEHDR header, UINT size) {
    WaveOutDevice *device;
    MMRESULT status = check_header(handle, header, size, &device);
    if (status != MMSYSERR_NOERROR) return status;
    std::lock_guard<std::mutex> guard(device->lock);
    if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    if (!header->lpData && header->dwBufferLength) return MMSYSERR_INVALPARAM;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    device->queue.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT handle) {
    WaveOutDevice *device = device_of(handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    std::unique_lock<std::mutex> hold(device->lock);
    for (LPWAVEHDR header : device->queue) finish(device, header);
    device->queue.clear();
    device->played = 0;
    device->wake.notify_one();
    // Every header is handed back before this returns, unless the callback itself resets.
    if (std::this_thread::get_id() != device->notifier.get_id())
        device->idle.wait(hold, [&] { return device->done.empty() && !device->delivering; });
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPause(HWAVEOUT handle) {
    WaveOutDevice *device = device_of(handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    SDL_PauseAudioDevice(device->sdl, 1);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT handle) {
    WaveOutDevice *device = device_of(handle);
    if (!device) return MMSYSERR_INVALHANDLE;
    SDL_PauseAudioDevice(device->sdl, 0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutBreakLoop(HWAVEOUT handle) {
    // Headers are never looped here, so there is no loop to break.
    return device_of(handle) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}
