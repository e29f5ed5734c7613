// The whole output path through SDL's disk audio driver: what reaches the device's file.
#include "sound_fixture.h"

#ifndef _WIN32
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// Plays `sound` (if any) from set-up for `ms` and gives the samples written.
std::vector<int16_t> record(VRX_Sound *sound, int ms) {
    std::string file = "/tmp/sound_disk_" + std::to_string(getpid()) + ".raw";
    {
        AudioDriver disk("disk", file.c_str());
        std::string out = printed([] { Soundsystem_Init(44100, 8192, 16, 2); });
        EXPECT_NE(out.find("succesful"), std::string::npos) << out;
        if (sound) Soundsystem_PlaySound(sound, 0);
        wait_ms(ms);
        printed([] { Soundsystem_Closedown(); });
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(file.c_str());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

TEST_F(SoundGroup, DiskDriverGetsZerosForSilence) {
    std::vector<int16_t> samples = record(nullptr, 300);
    EXPECT_GE(samples.size(), 4096u);
    EXPECT_EQ(samples, std::vector<int16_t>(samples.size(), 0));
}

// A stereo 16-bit source plays its left channel on both sides at the default gains of 128.
TEST_F(SoundGroup, DiskDriverGetsAKnownSoundAtItsGain) {
    std::vector<uint8_t> bytes(44 + 4 * 4096);
    std::memcpy(bytes.data(), "RIFF....WAVEfmt \x10\0\0\0\x01\0\x02\0\x44\xAC\0\0", 28);
    std::memcpy(bytes.data() + 34, "\x10\0data\0\x40\0\0", 10);
    auto *source = reinterpret_cast<int16_t *>(bytes.data() + 44);
    for (int32_t i = 0; i < 2 * 4096; i++)
        source[i] = static_cast<int16_t>(i % 2 ? 9999 : (i * 37) % 20000 - 8999);
    VRX_Sound sound = {};
    ASSERT_EQ(soundsystem_parsewav(bytes.data(), static_cast<uint32_t>(bytes.size()), &sound), 1);
    sound.step = 512;
    sound.left = sound.right = 128;
    std::vector<int16_t> samples = record(&sound, 600);
    size_t start = 0;
    while (start < samples.size() && samples[start] == 0) start++;
    ASSERT_LE(start + 2 * 4096, samples.size());
    for (size_t i = 0; i < 2 * 4096; i++)
        ASSERT_EQ(samples[start + i], (128 * source[i / 2 * 2] * 256) >> 16) << i;
    for (size_t i = start + 2 * 4096; i < samples.size(); i++) ASSERT_EQ(samples[i], 0) << i;
    Soundsystem_DeleteSound(&sound);
}

} // namespace
#endif
