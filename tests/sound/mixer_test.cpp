// Mixer arithmetic: gains, master volume, clipping, rates, voice ends, loops and streams; and
// voices changed on one thread while the device's thread mixes.
#include "sound_fixture.h"

#include <cstring>
#include <deque>
#include <random>

namespace {

class MixerTest : public SoundGroup {
  protected:
    ~MixerTest() override {
        for (VRX_Sound &s : sounds) Soundsystem_DeleteSound(&s);
    }
    // A non-looping sound of the given 16-bit (or 8-bit) samples at 44100 Hz, playing.
    VRX_Sound &play(const std::vector<int32_t> &samples, uint16_t bits = 16) {
        VRX_Sound &s = sounds.emplace_back();
        Soundsystem_CreateSoundStream(&s, nullptr, 44100, bits, 1,
                                      static_cast<uint32_t>(samples.size()));
        s.loop = 0;
        for (size_t i = 0; i < samples.size(); i++) {
            if (bits == 16) static_cast<int16_t *>(s.data)[i] = static_cast<int16_t>(samples[i]);
            if (bits == 8) static_cast<uint8_t *>(s.data)[i] = static_cast<uint8_t>(samples[i]);
        }
        Soundsystem_PlaySound(&s, 0);
        return s;
    }
    std::vector<int16_t> mix(uint32_t samples) {
        std::vector<int16_t> out(samples, 0x5555);
        VRX_MixBuffers(out.data(), samples * 2);
        return out;
    }
    std::deque<VRX_Sound> sounds;
};

// Mono output: each voice adds 255 x s, and the sum comes out as (sum x master) >> 16, clipped
// to -32767..32767; 8-bit output is that value's high byte offset by 128.
TEST_F(MixerTest, GainMasterVolumeAndClipping) {
    struct Case {
        uint16_t bits;
        int32_t sample, voices, master, out16, out8;
    } cases[] = {
        {16, 1000, 0, 256, 0, 128},      {16, 1000, 1, 256, 996, 131},
        {16, -1000, 1, 256, -997, 124},  {16, 32767, 1, 256, 32639, 255},
        {16, -32768, 1, 256, -32640, 0}, {16, 1000, 1, 300, 996, 131},
        {16, 1000, 1, 128, 498, 129},    {16, 1000, 1, -5, 0, 128},
        {16, -1, 1, 256, -1, 127},       {8, 128, 1, 256, 0, 128},
        {8, 255, 1, 256, 32385, 254},    {8, 0, 1, 256, -32640, 0},
        {16, 32767, 2, 256, 32767, 255}, {16, -32768, 2, 256, -32767, 0},
        {16, -32768, 2, 200, -32767, 0},
    };
    for (uint8_t out_bits : {16, 8}) {
        mixer_only(44100, out_bits, 1);
        for (const Case &c : cases) {
            Soundsystem_SetMasterVolume(c.master);
            for (int32_t v = 0; v < c.voices; v++)
                play(std::vector<int32_t>(4096, c.sample), c.bits);
            std::vector<int16_t> out = mix(2048);
            int32_t got =
                out_bits == 16 ? out[2047] : reinterpret_cast<uint8_t *>(out.data())[2047];
            EXPECT_EQ(got, out_bits == 16 ? c.out16 : c.out8) << c.bits << " " << c.sample;
            while (soundsystem.numactive) Soundsystem_StopSound(active_sounds[0]);
        }
    }
}

TEST_F(MixerTest, VolumeAndPanningSetTheStereoGains) {
    mixer_only(44100, 16, 2);
    struct Case {
        int32_t volume, panning;
        uint8_t left, right;
    } cases[] = {{100, 128, 49, 50},   {255, 0, 254, 0}, {255, 255, 0, 254},
                 {300, 128, 126, 127}, {-4, 128, 0, 0},  {200, 999, 0, 199}};
    for (const Case &c : cases) {
        VRX_Sound &s = play(std::vector<int32_t>(4096, 1000));
        Soundsystem_SetPanning(&s, c.panning);
        Soundsystem_SetVolume(&s, c.volume);
        // Stereo output takes the left and right gains, not the volume.
        std::vector<int16_t> out = mix(4096);
        EXPECT_EQ(out[0], (c.left * 1000 * 256) >> 16);
        EXPECT_EQ(out[1], (c.right * 1000 * 256) >> 16);
        Soundsystem_StopSound(&s);
    }
}

// The step counts the source's channels; restarting with loop 0 keeps the loop set before.
TEST_F(MixerTest, StepAndRestart) {
    mixer_only(44100, 16, 1);
    VRX_Sound &h = play({100, 200, 300, 400});
    h.channels = 2;
    Soundsystem_SetFrequency(&h, 44100);
    EXPECT_EQ(h.step, 512u);
    h.channels = 1;
    Soundsystem_SetFrequency(&h, 22050);
    EXPECT_EQ(h.step, 128u);
    Soundsystem_PlaySound(&h, 1);
    Soundsystem_PlaySound(&h, 0);
    EXPECT_EQ(mix(10), (std::vector<int16_t>{99, 99, 199, 199, 298, 298, 398, 398, 99, 99}));
}

// Every rate path (whole, half and double speed, any other step) reads exactly the sample a
// frame-by-frame walk reads, from any start position and across the loop's wrap.
TEST_F(MixerTest, EveryStepMatchesAFrameByFrameWalk) {
    mixer_only(44100, 16, 1);
    std::vector<int32_t> source(3001);
    for (size_t i = 0; i < source.size(); i++) source[i] = static_cast<int32_t>(i * 7919 % 60000);
    for (uint32_t step : {128u, 256u, 512u, 185u, 1114u}) {
        for (uint64_t start : {0u, 77u, 128u, 200u}) {
            VRX_Sound &s = play(source);
            s.loop = 1;
            s.step = step;
            s.position = start;
            std::vector<int16_t> out = mix(2048), want;
            for (uint64_t at = start; want.size() < 2048; at = (at + step) % (3001 * 256))
                want.push_back(static_cast<int16_t>((255 * int16_t(source[at >> 8])) >> 8));
            EXPECT_EQ(out, want) << step << " " << start;
            Soundsystem_StopSound(&s);
        }
    }
}

// A voice that ends leaves the table and the voice behind it, moved into its slot, is still
// mixed into the same buffer. A 17th voice is not taken.
TEST_F(MixerTest, VoiceTable) {
    mixer_only(44100, 16, 1);
    VRX_Sound &once = play(std::vector<int32_t>(2048, 1000));
    VRX_Sound &later = play(std::vector<int32_t>(8192, 2000));
    EXPECT_EQ(mix(2048)[2047], (255 * 3000 * 256) >> 16);
    EXPECT_EQ(soundsystem.numactive, 1);
    EXPECT_EQ(active_sounds[0], &later);
    EXPECT_EQ(once.playing + once.position, 0u);
    EXPECT_EQ(mix(2048)[0], (255 * 2000 * 256) >> 16);
    for (int32_t i = 0; i < 16; i++) play({1});
    EXPECT_EQ(soundsystem.numactive, 16);
    EXPECT_EQ(sounds.back().playing, 1); // marked, but never heard
    Soundsystem_StopSound(&later);
    EXPECT_EQ(active_sounds[0], &sounds[2]);
    EXPECT_EQ(soundsystem.numactive, 15);
}

VRX_Sound *self_stopping;
void stop_self(void *, uint32_t) {
    Soundsystem_StopSound(self_stopping);
}

// A refill function that stops its own stream: the voice moved into its slot is still mixed.
TEST_F(MixerTest, RefillStoppingItsStreamKeepsTheNextVoice) {
    mixer_only(44100, 16, 1);
    self_stopping = &play({0, 0, 0, 0});
    self_stopping->callback = stop_self;
    play(std::vector<int32_t>(4096, 1000));
    EXPECT_EQ(mix(2048)[2047], 996);
    EXPECT_EQ(soundsystem.numactive, 1);
}

int32_t refills;
void count_refill(void *data, uint32_t size) {
    refills++;
    std::memset(data, 0, size);
}

TEST_F(MixerTest, StreamRefillsOnEveryWrapAndKeepsPlaying) {
    mixer_only(44100, 16, 2);
    VRX_Sound stream;
    Soundsystem_CreateSoundStream(&stream, count_refill, 22050, 16, 2, 300);
    EXPECT_EQ(stream.size, 1200u);
    EXPECT_EQ(stream.length, 600u);
    EXPECT_EQ(stream.step, 256u);
    refills = 0;
    Soundsystem_PlaySound(&stream, 0);
    mix(4096); // 2048 frames over 600 samples
    EXPECT_EQ(refills, 3);
    mix(4096);
    EXPECT_EQ(refills, 6);
    EXPECT_EQ(stream.position, 4096u * 256 % (600 * 256));
    Soundsystem_DeleteSound(&stream);
    EXPECT_EQ(stream.data, nullptr);
    EXPECT_EQ(soundsystem.numactive, 0);
}

// Voices without data, stepping past their length or lying about it, and a buffer longer than
// the mix buffer, never read or write outside.
TEST_F(MixerTest, OddVoicesStayInsideTheirData) {
    mixer_only(44100, 16, 2);
    VRX_Sound empty = {};
    Soundsystem_PlaySound(&empty, 1);
    Soundsystem_SetFrequency(&play({500, 500, 500}), 44100 * 7);
    play({500, 500}).length = 1000;
    for (VRX_Sound &s : sounds) s.loop = 1;
    // Asked for more than the mix buffer holds: the rest is silence.
    std::vector<int16_t> out = mix(4099);
    EXPECT_EQ(out[0], 500);
    EXPECT_EQ(std::vector<int16_t>(out.begin() + 4096, out.end()), std::vector<int16_t>(3, 0));
    EXPECT_LT(sounds[0].position, 3u * 256);
    EXPECT_LT(sounds[1].position, 2u * 256);
    Soundsystem_StopSound(&empty);
}

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
