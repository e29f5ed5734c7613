// Mixer arithmetic: gains, master volume, clipping, voice ends, loops and streams.
#include "sound_fixture.h"

#include <cstring>
#include <deque>

namespace {

class MixerTest : public SoundGroup {
  protected:
    ~MixerTest() override {
        for (VRX_Sound &s : sounds) Soundsystem_DeleteSound(&s);
    }
    // A sound of the given samples, made as a stream and not refilled.
    VRX_Sound &make(const std::vector<int32_t> &samples, uint16_t bits, uint16_t channels,
                    uint32_t frequency) {
        VRX_Sound &s = sounds.emplace_back();
        Soundsystem_CreateSoundStream(&s, nullptr, frequency, bits, 1,
                                      static_cast<uint32_t>(samples.size()));
        s.channels = channels;
        s.step = soundsystem_step(frequency, channels);
        s.loop = 0;
        for (size_t i = 0; i < samples.size(); i++) {
            if (bits == 16)
                static_cast<int16_t *>(s.data)[i] = static_cast<int16_t>(samples[i]);
            else
                static_cast<uint8_t *>(s.data)[i] = static_cast<uint8_t>(samples[i]);
        }
        return s;
    }
    template <class T> std::vector<T> mix(uint32_t samples) {
        std::vector<T> out(samples, T(0x55));
        VRX_MixBuffers(out.data(), static_cast<uint32_t>(samples * sizeof(T)));
        return out;
    }
    std::deque<VRX_Sound> sounds;
};

TEST_F(MixerTest, NoVoicesGiveSilence) {
    mixer_only(44100, 16, 2);
    EXPECT_EQ(mix<int16_t>(4096), std::vector<int16_t>(4096, 0));
    mixer_only(44100, 8, 1);
    EXPECT_EQ(mix<uint8_t>(2048), std::vector<uint8_t>(2048, 128));
}

// One voice at volume 255 into mono output: each sample comes out as (255 x s x master) >> 16.
TEST_F(MixerTest, SingleVoiceGainAndMasterVolume) {
    struct Case {
        uint16_t bits;
        int32_t sample, master, out16;
    } cases[] = {
        {16, 1000, 256, 996},      {16, -1000, 256, -997}, {16, 32767, 256, 32639},
        {16, -32768, 256, -32640}, {16, 1000, 300, 996},   {16, 1000, 128, 498},
        {16, 1000, -5, 0},         {8, 128, 256, 0},       {8, 255, 256, 32385},
        {8, 0, 256, -32640},       {8, 129, 256, 255},     {16, 1, 256, 0},
        {16, -1, 256, -1},
    };
    mixer_only(44100, 16, 1);
    for (const Case &c : cases) {
        Soundsystem_SetMasterVolume(c.master);
        EXPECT_EQ(soundsystem.mastervolume, c.master > 256 ? 256 : c.master < 0 ? 0 : c.master);
        VRX_Sound &s = make(std::vector<int32_t>(4096, c.sample), c.bits, 1, 44100);
        Soundsystem_PlaySound(&s, 0);
        std::vector<int16_t> out = mix<int16_t>(2048);
        EXPECT_EQ(out[0], c.out16) << c.bits << " " << c.sample << " " << c.master;
        EXPECT_EQ(out[2047], c.out16);
        Soundsystem_StopSound(&s);
    }
}

TEST_F(MixerTest, LoudVoicesClipAtBothEnds) {
    mixer_only(44100, 16, 1);
    for (int32_t sample : {32767, -32768}) {
        VRX_Sound &a = make(std::vector<int32_t>(2048, sample), 16, 1, 44100);
        VRX_Sound &b = make(std::vector<int32_t>(2048, sample), 16, 1, 44100);
        Soundsystem_PlaySound(&a, 1);
        Soundsystem_PlaySound(&b, 1);
        EXPECT_EQ(mix<int16_t>(2048), std::vector<int16_t>(2048, sample > 0 ? 32767 : -32767));
        Soundsystem_StopSound(&a);
        Soundsystem_StopSound(&b);
    }
    // 8-bit output is the clipped value's high byte, offset to unsigned.
    mixer_only(44100, 8, 1);
    VRX_Sound &c = make(std::vector<int32_t>(2048, -32768), 16, 1, 44100);
    VRX_Sound &d = make(std::vector<int32_t>(2048, -32768), 16, 1, 44100);
    Soundsystem_PlaySound(&c, 1);
    Soundsystem_PlaySound(&d, 1);
    EXPECT_EQ(mix<uint8_t>(2048), std::vector<uint8_t>(2048, 0));
}

TEST_F(MixerTest, VolumeAndPanningSetTheGains) {
    mixer_only(44100, 16, 2);
    struct Case {
        int32_t volume, panning;
        uint8_t left, right;
    } cases[] = {{100, 128, 49, 50},   {255, 0, 254, 0}, {255, 255, 0, 254},
                 {300, 128, 126, 127}, {-4, 128, 0, 0},  {200, 999, 0, 199}};
    for (const Case &c : cases) {
        VRX_Sound &s = make(std::vector<int32_t>(4096, 1000), 16, 1, 44100);
        Soundsystem_SetPanning(&s, c.panning);
        Soundsystem_SetVolume(&s, c.volume);
        EXPECT_EQ(s.left, c.left) << c.volume << " " << c.panning;
        EXPECT_EQ(s.right, c.right) << c.volume << " " << c.panning;
        // Stereo output: left and right gains, not the volume.
        Soundsystem_PlaySound(&s, 0);
        std::vector<int16_t> out = mix<int16_t>(4096);
        EXPECT_EQ(out[0], (c.left * 1000 * 256) >> 16);
        EXPECT_EQ(out[1], (c.right * 1000 * 256) >> 16);
        Soundsystem_StopSound(&s);
    }
}

// Source rate and channels set the step: a stereo source plays its left channel at the right
// speed, a half-rate source repeats every sample twice.
TEST_F(MixerTest, StepReadsTheSourceAtItsRate) {
    mixer_only(44100, 16, 1);
    std::vector<int32_t> stereo;
    for (int32_t i = 0; i < 4096; i++) stereo.push_back(i % 2 ? -30000 : i * 4);
    VRX_Sound &s = make(stereo, 16, 2, 44100);
    EXPECT_EQ(s.step, 512u);
    Soundsystem_PlaySound(&s, 0);
    std::vector<int16_t> out = mix<int16_t>(8);
    for (int32_t i = 0; i < 8; i++) EXPECT_EQ(out[i], (255 * (i * 8) * 256) >> 16);
    Soundsystem_StopSound(&s);

    VRX_Sound &h = make({100, 200, 300, 400}, 16, 1, 22050);
    EXPECT_EQ(h.step, 128u);
    Soundsystem_PlaySound(&h, 1);
    std::vector<int16_t> slow = mix<int16_t>(10);
    EXPECT_EQ(slow, (std::vector<int16_t>{99, 99, 199, 199, 298, 298, 398, 398, 99, 99}));
}

// A non-looping voice that ends mid-table leaves it; the voice behind it moves into its slot
// and is still mixed into the same buffer.
TEST_F(MixerTest, EndedVoiceLeavesTheTableAndTheNextIsStillMixed) {
    mixer_only(44100, 16, 1);
    VRX_Sound &once = make(std::vector<int32_t>(2048, 1000), 16, 1, 44100);
    VRX_Sound &later = make(std::vector<int32_t>(8192, 2000), 16, 1, 44100);
    Soundsystem_PlaySound(&once, 0);
    Soundsystem_PlaySound(&later, 0);
    std::vector<int16_t> out = mix<int16_t>(2048);
    EXPECT_EQ(out[2047], (255 * 3000 * 256) >> 16);
    EXPECT_EQ(soundsystem.numactive, 1);
    EXPECT_EQ(active_sounds[0], &later);
    EXPECT_EQ(once.playing, 0);
    EXPECT_EQ(once.position, 0u);
    EXPECT_EQ(mix<int16_t>(2048)[0], (255 * 2000 * 256) >> 16);
}

TEST_F(MixerTest, SeventeenthVoiceIsRefused) {
    mixer_only(44100, 16, 1);
    for (int32_t i = 0; i < 17; i++) {
        VRX_Sound &s = make(std::vector<int32_t>(64, 1), 16, 1, 44100);
        Soundsystem_PlaySound(&s, 1);
    }
    EXPECT_EQ(soundsystem.numactive, 16);
    EXPECT_EQ(sounds.back().playing, 1);  // marked, but never heard
    Soundsystem_PlaySound(&sounds[3], 0); // a voice in the table only restarts
    EXPECT_EQ(soundsystem.numactive, 16);
    Soundsystem_StopSound(&sounds[0]);
    EXPECT_EQ(active_sounds[0], &sounds[1]);
    EXPECT_EQ(soundsystem.numactive, 15);
}

int32_t refills;
void count_refill(void *data, uint32_t size) {
    refills++;
    std::memset(data, 0, size);
}

// A stream is refilled every time playback passes its end, and keeps playing.
TEST_F(MixerTest, StreamRefillsOnEveryWrap) {
    mixer_only(44100, 16, 2);
    VRX_Sound stream;
    Soundsystem_CreateSoundStream(&stream, count_refill, 22050, 16, 2, 300);
    EXPECT_EQ(stream.size, 1200u);
    EXPECT_EQ(stream.length, 600u);
    EXPECT_EQ(stream.step, 256u);
    EXPECT_EQ(stream.loop, 1u);
    refills = 0;
    Soundsystem_PlaySound(&stream, 0);
    mix<int16_t>(4096); // 2048 frames over 600 samples
    EXPECT_EQ(refills, 3);
    mix<int16_t>(4096);
    EXPECT_EQ(refills, 6);
    EXPECT_EQ(stream.playing, 1);
    EXPECT_EQ(stream.position, 4096u * 256 % (600 * 256));
    Soundsystem_DeleteSound(&stream);
    EXPECT_EQ(stream.data, nullptr);
    EXPECT_EQ(soundsystem.numactive, 0);
}

// Voices without data or with a step beyond their length never read outside their samples.
TEST_F(MixerTest, OddVoicesStayInsideTheirData) {
    mixer_only(44100, 16, 2);
    VRX_Sound empty = {};
    Soundsystem_PlaySound(&empty, 1);
    VRX_Sound &fast = make({500, 500, 500}, 16, 1, 44100);
    Soundsystem_SetFrequency(&fast, 44100 * 7);
    Soundsystem_PlaySound(&fast, 1);
    VRX_Sound &lying = make({500, 500}, 16, 1, 44100);
    lying.length = 1000;
    Soundsystem_PlaySound(&lying, 1);
    std::vector<int16_t> out = mix<int16_t>(4096);
    EXPECT_EQ(out[0], (2 * 128 * 500 * 256) >> 16);
    EXPECT_EQ(fast.position % 256, 0u);
    EXPECT_LT(fast.position, 3u * 256);
    EXPECT_LT(lying.position, 2u * 256);
    Soundsystem_StopSound(&empty);
}

} // namespace
