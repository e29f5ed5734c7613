// The wave-out device: set-up and its failures, the ring of four buffers, pause and the exit
// flag, on SDL's dummy driver.
#include "sound_fixture.h"

namespace {

using DeviceTest = SoundGroup;

TEST_F(DeviceTest, SetUpAndItsFailures) {
    const char *opened = "sample size: 4\nbuffer size: 8192\nopen waveout\n";
    struct Case {
        const char *driver;
        uint32_t frequency, bits;
        std::string out;
        uint32_t buffers, bufferlength;
    } cases[] = {
        {"dummy", 44100, 16,
         opened + std::string("AUDIO: opening audio device succesful!\naudio opened\n"), 4, 2048},
        {"dummy", 44100, 12, "", 0, 8192},
        {"dummy", 0, 16, "", 0, 8192},
        {"no-such-driver", 44100, 16, opened + std::string("AUDIO: error opening audio buffer\n"),
         0, 8192},
    };
    for (const Case &c : cases) {
#ifdef _WIN32
        if (std::string(c.driver) != "dummy") continue; // the system's own device
#endif
        AudioDriver driver(c.driver);
        std::string out = printed([&] {
            EXPECT_EQ(Soundsystem_Init(c.frequency, 8192, static_cast<uint8_t>(c.bits), 2), 1);
        });
        EXPECT_EQ(out,
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

} // namespace
