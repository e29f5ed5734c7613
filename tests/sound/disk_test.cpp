// Whole-path output through SDL's disk audio driver: what reaches the device file.
#include "sound_fixture.h"

#ifndef _WIN32
#include <cstring>
#include <fstream>
#include <unistd.h>
#include <iterator>

namespace {

std::vector<int16_t> recorded(const std::string &file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

class DiskTest : public SoundGroup {
  protected:
    std::string file = "/tmp/sound_disk_" + std::to_string(getpid()) + ".raw";
    void TearDown() override {
        SoundGroup::TearDown();
        std::remove(file.c_str());
    }
};

TEST_F(DiskTest, SilenceIsAStreamOfZeros) {
    AudioDriver disk("disk", file.c_str());
    std::string out = printed([] { Soundsystem_Init(44100, 8192, 16, 2); });
    ASSERT_NE(out.find("succesful"), std::string::npos) << out;
    Soundsystem_SetMasterVolume(256);
    wait_ms(300);
    printed([] { Soundsystem_Closedown(); });
    std::vector<int16_t> samples = recorded(file);
    EXPECT_GE(samples.size(), 4096u);
    EXPECT_EQ(samples, std::vector<int16_t>(samples.size(), 0));
}

// A stereo 16-bit source plays its left channel on both sides at the default gains of 128.
TEST_F(DiskTest, KnownSoundArrivesAtItsGain) {
    AudioDriver disk("disk", file.c_str());
    std::vector<uint8_t> bytes(44 + 4 * 4096);
    std::memcpy(bytes.data(), "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x02\0", 24);
    uint32_t rate = 44100;
    std::memcpy(bytes.data() + 24, &rate, 4);
    bytes[34] = 16;
    std::memcpy(bytes.data() + 36, "data", 4);
    uint32_t size = 4 * 4096;
    std::memcpy(bytes.data() + 40, &size, 4);
    std::vector<int16_t> source(2 * 4096);
    for (size_t i = 0; i < source.size(); i++)
        source[i] = static_cast<int16_t>(i % 2 ? 9999 : 1000 + (i * 37) % 20000 - 10000 + 1);
    std::memcpy(bytes.data() + 44, source.data(), size);
    VRX_Sound sound = {};
    printed([&] {
        Soundsystem_Init(44100, 8192, 16, 2);
        ASSERT_EQ(soundsystem_parsewav(bytes.data(), static_cast<uint32_t>(bytes.size()), &sound),
                  1);
    });
    sound.step = soundsystem_step(sound.frequency, sound.channels);
    sound.volume = 255;
    sound.left = sound.right = sound.panning = 128;
    Soundsystem_PlaySound(&sound, 0);
    wait_ms(600);
    printed([] { Soundsystem_Closedown(); });
    Soundsystem_DeleteSound(&sound);

    std::vector<int16_t> samples = recorded(file);
    size_t start = 0;
    while (start < samples.size() && samples[start] == 0) start++;
    ASSERT_LE(start + 2 * 4096, samples.size());
    EXPECT_EQ(start % 2, 0u);
    for (size_t frame = 0; frame < 4096; frame++) {
        int16_t expected = static_cast<int16_t>((128 * source[2 * frame] * 256) >> 16);
        ASSERT_EQ(samples[start + 2 * frame], expected) << frame;
        ASSERT_EQ(samples[start + 2 * frame + 1], expected) << frame;
    }
    for (size_t i = start + 2 * 4096; i < samples.size(); i++) ASSERT_EQ(samples[i], 0) << i;
}

} // namespace
#endif
