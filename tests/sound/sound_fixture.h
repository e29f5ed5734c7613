// Shared helpers of the sound group: the mixer set up without a running device, SDL's audio
// driver switched for a test.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <SDL.h>
#endif

#include "hw_win32/audio_internal.h"
#include "hw_win32/win32.h"
#include "sound/audio_device.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"

// Runs `body` with stdout captured and gives what it printed.
template <class Body> std::string printed(Body body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

// The mixer at the given output format with no device thread, so a test mixes by hand.
inline void mixer_only(uint32_t frequency, uint8_t bits, uint8_t channels) {
    printed([&] {
        Soundsystem_Init(frequency, 2048, bits, channels);
        VRX_audio_closedown();
    });
}

// Restarts SDL's audio with another driver (and its environment) for one test; the default
// dummy driver everywhere else.
class AudioDriver {
  public:
    explicit AudioDriver(const char *driver, const char *diskfile = nullptr) {
        (void)driver, (void)diskfile;
#ifndef _WIN32
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        setenv("SDL_AUDIODRIVER", driver, 1);
        if (diskfile) setenv("SDL_DISKAUDIOFILE", diskfile, 1);
#endif
    }
    ~AudioDriver() {
#ifndef _WIN32
        printed([] { VRX_audio_closedown(); });
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
#endif
    }
};

inline void wait_ms(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class SoundGroup : public ::testing::Test {
  protected:
    void SetUp() override { exitflag.store(0); }
    void TearDown() override {
        printed([] { Soundsystem_Closedown(); });
        exitflag.store(0);
    }
};
