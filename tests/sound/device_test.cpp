// The wave-out device: set-up and its failures, the ring of four buffers, pause and the exit
// flag, on SDL's dummy driver.
#include "sound_fixture.h"

namespace {

using DeviceTest = SoundGroup;

TEST_F(DeviceTest, SetUpOpensFourBuffersOf2048Frames) {
    std::string out = printed([] { EXPECT_EQ(Soundsystem_Init(44100, 8192, 16, 2), 1); });
    EXPECT_EQ(out, "sample size: 4\nbuffer size: 8192\nopen waveout\n"
                   "AUDIO: opening audio device succesful!\naudio opened\n"
                   "soundsystem bufferlength = 2048\n");
    EXPECT_EQ(soundsystem.bufferlength, 2048u);
    EXPECT_EQ(soundsystem.mixsize, 16384u);
    EXPECT_EQ(g_num_prep_buffers, 4u);
    EXPECT_EQ(g_wf.nAvgBytesPerSec, 44100u * 4);
    EXPECT_EQ(g_wf.nBlockAlign, 4);
}

TEST_F(DeviceTest, RefusedFormatsOpenNothing) {
    struct Case {
        uint32_t frequency, bits;
        int32_t result;
    } cases[] = {{44100, 12, 0}, {0, 16, 1}, {22050, 4, 0}};
    for (const Case &c : cases) {
        std::string out;
        int32_t result = 0;
        out = printed([&] { result = VRX_audio_setformat(c.frequency, c.bits, 0, 2); });
        EXPECT_EQ(result, c.result) << c.bits;
        EXPECT_EQ(out, "");
        EXPECT_EQ(g_audio_buffer, nullptr);
        EXPECT_EQ(g_waveout_opened, 0u);
    }
}

#ifndef _WIN32
TEST_F(DeviceTest, NoAudioDeviceFailsSetUpAndTheMixerStaysSilent) {
    AudioDriver none("no-such-driver");
    std::string out = printed([] { EXPECT_EQ(Soundsystem_Init(44100, 8192, 16, 2), 1); });
    EXPECT_EQ(out, "sample size: 4\nbuffer size: 8192\nopen waveout\n"
                   "AUDIO: error opening audio buffer\nsoundsystem bufferlength = 8192\n");
    EXPECT_EQ(g_audio_buffer, nullptr);
    EXPECT_EQ(g_waveout_opened, 0u);
    std::vector<int16_t> buffer(4096, 1);
    VRX_MixBuffers(buffer.data(), 8192);
    EXPECT_EQ(buffer, std::vector<int16_t>(4096, 0));
}
#endif

// The ring buffer being mixed, recorded by a stream that wraps exactly once per buffer.
std::vector<uint32_t> mixed_buffers;
void record_buffer(void *, uint32_t) {
    mixed_buffers.push_back(g_cur_buf.load());
}

size_t buffers_mixed() {
    std::lock_guard<std::recursive_mutex> guard(soundsystem_lock());
    return mixed_buffers.size();
}

// Each returned buffer is mixed and queued again whole, in ring order; the exit flag ends it.
TEST_F(DeviceTest, RingCyclesUntilTheExitFlag) {
    mixed_buffers.clear();
    VRX_Sound stream;
    printed([&] {
        Soundsystem_Init(44100, 8192, 16, 2);
        Soundsystem_CreateSoundStream(&stream, record_buffer, 44100, 16, 1, 2048);
    });
    Soundsystem_PlaySound(&stream, 0);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (buffers_mixed() < 6 && std::chrono::steady_clock::now() < deadline) wait_ms(10);
    exitflag.store(1);
    wait_ms(400); // longer than the whole ring
    size_t stopped = buffers_mixed();
    wait_ms(200);
    EXPECT_EQ(buffers_mixed(), stopped);
    printed([] { VRX_audio_stop(); });
    ASSERT_GE(mixed_buffers.size(), 6u);
    for (size_t i = 0; i < mixed_buffers.size(); i++) EXPECT_EQ(mixed_buffers[i], i % 4);
    for (const WAVEHDR &header : g_hdr) EXPECT_EQ(header.dwBufferLength, 8192u);
    EXPECT_EQ(g_audio_buffer, nullptr);
    Soundsystem_DeleteSound(&stream);
}

TEST_F(DeviceTest, PauseHoldsTheRingAndResumeRestartsIt) {
    printed([] { Soundsystem_Init(22050, 0, 8, 1); });
    VRX_audio_pause();
    EXPECT_EQ(g_audio_paused, 1u);
    wait_ms(150);
    uint32_t held = g_cur_buf.load();
    wait_ms(250);
    EXPECT_EQ(g_cur_buf.load(), held);
    VRX_audio_resume();
    EXPECT_EQ(g_audio_paused, 0u);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (g_cur_buf.load() == held && std::chrono::steady_clock::now() < deadline) wait_ms(5);
    EXPECT_NE(g_cur_buf.load(), held);
}

} // namespace
