// Internals of the wave-out audio device: the ring of four buffers and its callback.
#pragma once
#include <atomic>
#include <cstdint>

#include "winapi/winapi.h"

// Frames in every ring buffer, whatever buffer length the mixer asked for.
enum : uint32_t { AUDIO_RING_BUFFERS = 4, AUDIO_BUFFER_FRAMES = 2048 };

extern HWAVEOUT g_wo;
extern WAVEFORMATEX g_wf;
extern WAVEHDR g_hdr[AUDIO_RING_BUFFERS];
extern char *g_audio_buffer;
extern uint32_t g_sample_size;
extern uint32_t g_buffer_size;
extern std::atomic<uint32_t> g_cur_buf; // advanced on the device's thread
extern uint32_t g_num_prep_buffers;
extern uint32_t g_waveout_opened;
extern uint32_t g_audio_paused;
extern uint32_t g_buffer_waiting;

void CALLBACK waveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                          DWORD_PTR param2);
void fillnextbuffer();
