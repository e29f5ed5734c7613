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
    std::mt19937 random(7);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < until) {
        VRX_Sound *s = &sounds[random() % 24];
        uint32_t r = random();
        switch (r % 6) {
        case 0:
            Soundsystem_DeleteSound(s);
            Soundsystem_CreateSoundStream(s, refill, r % 48000, 16, 1 + r % 2, 1 + r % 3000);
            break;
        case 1:
            Soundsystem_PlaySound(s, static_cast<int32_t>(r % 2));
            break;
        case 2:
            Soundsystem_StopSound(s);
            break;
        case 3:
            Soundsystem_DeleteSound(s);
            break;
        case 4:
            Soundsystem_SetVolume(s, static_cast<int32_t>(r % 300));
            break;
        default:
            Soundsystem_SetFrequency(s, r % 96000);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    printed([] { VRX_audio_stop(); });
    EXPECT_LE(soundsystem.numactive, 16);
    for (VRX_Sound &s : sounds) Soundsystem_DeleteSound(&s);
    EXPECT_EQ(soundsystem.numactive, 0);
}

} // namespace
