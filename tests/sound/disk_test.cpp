// The whole output path through SDL's disk audio driver: what reaches the device's file.
#include "sound_fixture.h"

#ifndef _WIN32
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// A stereo 16-bit source plays its left channel on both sides at the default gains of 128, and
// silence before and after it is zeros.
TEST_F(SoundGroup, DiskDriverGetsAKnownSoundAtItsGain) {
    std::string file = "/tmp/sound_disk_" + std::to_string(getpid()) + ".raw";
    VRX_Sound sound;
    {
        AudioDriver disk("disk", file.c_str());
        EXPECT_NE(printed([] { Soundsystem_Init(44100, 8192, 16, 2); }).find("succesful"),
                  std::string::npos);
        Soundsystem_CreateSoundStream(&sound, nullptr, 44100, 16, 2, 4096);
        auto *source = static_cast<int16_t *>(sound.data);
        for (int32_t i = 0; i < 2 * 4096; i++)
            source[i] = static_cast<int16_t>(i % 2 ? 9999 : (i * 37) % 20000 - 8999);
        sound.loop = 0;
        wait_ms(200);
        Soundsystem_PlaySound(&sound, 0);
        wait_ms(600);
        printed([] { Soundsystem_Closedown(); });
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(file.c_str());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    auto *source = static_cast<const int16_t *>(sound.data);
    size_t start = 0;
    while (start < samples.size() && samples[start] == 0) start++;
    ASSERT_GE(start, 4096u);
    ASSERT_LE(start + 2 * 4096, samples.size());
    for (size_t i = 0; i < 2 * 4096; i++)
        ASSERT_EQ(samples[start + i], (128 * source[i / 2 * 2] * 256) >> 16) << i;
    for (size_t i = start + 2 * 4096; i < samples.size(); i++) ASSERT_EQ(samples[i], 0) << i;
    Soundsystem_DeleteSound(&sound);
}

} // namespace
#endif
