// Voices started, changed, stopped and deleted on one thread while the device's thread mixes.
#include "sound_fixture.h"

#include <cstring>
#include <random>

namespace {

void refill(void *data, uint32_t size) {
    std::memset(data, 0x11, size);
}

TEST_F(SoundGroup, VoicesChangeWhileTheDeviceMixes) {
    printed([] { Soundsystem_Init(44100, 8192, 16, 2); });
#ifdef _WIN32
    if (!g_audio_buffer) GTEST_SKIP() << "no wave-out device";
#endif
    ASSERT_NE(g_audio_buffer, nullptr);
    VRX_Sound sounds[24] = {};
    void (*const actions[])(VRX_Sound *, uint32_t) = {
        [](VRX_Sound *s, uint32_t r) {
            Soundsystem_DeleteSound(s);
            if (r & 8)
                Soundsystem_CreateSoundStream(s, refill, r % 48000, 16, 1 + r % 2, 1 + r % 3000);
        },
        [](VRX_Sound *s, uint32_t r) { Soundsystem_PlaySound(s, static_cast<int32_t>(r % 2)); },
        [](VRX_Sound *s, uint32_t) { Soundsystem_StopSound(s); },
        [](VRX_Sound *s, uint32_t r) { Soundsystem_SetVolume(s, static_cast<int32_t>(r % 300)); },
        [](VRX_Sound *s, uint32_t r) { Soundsystem_SetFrequency(s, r % 96000); },
    };
    std::mt19937 random(7);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < until) {
        uint32_t r = random();
        actions[r % 5](&sounds[(r >> 16) % 24], r >> 3);
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    printed([] { VRX_audio_stop(); });
    EXPECT_LE(soundsystem.numactive, 16);
    for (VRX_Sound &s : sounds) Soundsystem_DeleteSound(&s);
    EXPECT_EQ(soundsystem.numactive, 0);
}

} // namespace
