// The wave-out device on SDL's drivers (the stand-in's own, so not on Windows): set-up and its
// failures, the ring of four buffers, pause and the exit flag, and what reaches a disk file.
#include "sound_fixture.h"

#include <SDL.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// Restarts SDL's audio with another driver (and its environment) for one test; the default
// dummy driver everywhere else.
struct AudioDriver {
    explicit AudioDriver(const char *driver, const char *diskfile = nullptr) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        setenv("SDL_AUDIODRIVER", driver, 1);
        if (diskfile) setenv("SDL_DISKAUDIOFILE", diskfile, 1);
    }
    ~AudioDriver() {
        printed([] { VRX_audio_closedown(); });
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }
};

using DeviceTest = SoundGroup;

TEST_F(DeviceTest, SetUpAndItsFailures) {
    const std::string opened = "sample size: 4\nbuffer size: 8192\nopen waveout\nAUDIO: ";
    const struct {
        const char *driver;
        uint32_t frequency;
        uint8_t bits;
        std::string out;
        uint32_t buffers, bufferlength;
    } cases[] = {
        {"dummy", 44100, 16, opened + "opening audio device succesful!\naudio opened\n", 4, 2048},
        {"dummy", 44100, 12, "", 0, 8192},
        {"dummy", 0, 16, "", 0, 8192},
        {"no-such-driver", 44100, 16, opened + "error opening audio buffer\n", 0, 8192},
    };
    for (const auto &c : cases) {
        AudioDriver driver(c.driver);
        EXPECT_EQ(printed([&] { EXPECT_EQ(Soundsystem_Init(c.frequency, 8192, c.bits, 2), 1); }),
                  c.out + "soundsystem bufferlength = " + std::to_string(c.bufferlength) + "\n");
        EXPECT_EQ(g_num_prep_buffers, c.buffers);
        EXPECT_EQ(g_audio_buffer != nullptr, c.buffers == 4);
        EXPECT_EQ(soundsystem.mixsize, c.bufferlength * 8);
        printed([] { Soundsystem_Closedown(); });
    }
}

// The ring buffer being mixed, recorded by a stream that wraps exactly once per buffer.
std::vector<uint32_t> mixed_buffers;
void record_buffer(void *, uint32_t) {
    mixed_buffers.push_back(g_cur_buf.load());
}

size_t buffers_mixed() {
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    return mixed_buffers.size();
}

// True when no buffer is mixed for a while (the whole ring lasts 186 ms).
bool ring_still() {
    wait_ms(250);
    size_t before = buffers_mixed();
    wait_ms(250);
    return buffers_mixed() == before;
}

void wait_for_buffers(size_t count) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (buffers_mixed() < count && std::chrono::steady_clock::now() < deadline) wait_ms(10);
}

// Each returned buffer is mixed and queued again whole, in ring order, until the exit flag.
TEST_F(DeviceTest, RingCyclesPausesAndEndsAtTheExitFlag) {
    mixed_buffers.clear();
    VRX_Sound stream;
    printed([&] {
        Soundsystem_Init(44100, 8192, 16, 2);
        Soundsystem_CreateSoundStream(&stream, record_buffer, 44100, 16, 1, 2048);
    });
    Soundsystem_PlaySound(&stream, 0);
    wait_for_buffers(3);
    VRX_audio_pause();
    EXPECT_TRUE(ring_still());
    VRX_audio_resume();
    wait_for_buffers(buffers_mixed() + 3);
    exitflag.store(1);
    EXPECT_TRUE(ring_still());
    printed([] { VRX_audio_stop(); });
    ASSERT_GE(mixed_buffers.size(), 6u);
    // The ring may have refilled a buffer or two with silence before the stream started.
    for (size_t i = 0; i < mixed_buffers.size(); i++)
        EXPECT_EQ(mixed_buffers[i], (mixed_buffers[0] + i) % 4);
    for (const WAVEHDR &header : g_hdr) EXPECT_EQ(header.dwBufferLength, 8192u);
    EXPECT_EQ(g_audio_buffer, nullptr);
    Soundsystem_DeleteSound(&stream);
}

// A stereo 16-bit source plays its left channel on both sides at the default gains of 128, and
// silence before and after it is zeros.
TEST_F(DeviceTest, DiskDriverGetsAKnownSoundAtItsGain) {
    const std::string file = "/tmp/sound_disk_" + std::to_string(getpid()) + ".raw";
    VRX_Sound sound;
    { // the driver writes its file out when it closes
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
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
