// Shared helpers of the sound group: the mixer set up without a running device.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

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
