// The mixer: 16 voices (mixed rates, mono and stereo, 8- and 16-bit) into one buffer of 2048
// stereo frames, against a plain loop that sums as many samples without stepping or gains.
// Also prints the share of one core the mixer takes at 44100 Hz.
#include "ratio_report.h"

#include "base/memory.h"
#include "sound/sound.h"
#include "sound/sound_internal.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t FRAMES = 2048, VOICES = 16;

VRX_Sound voices[VOICES];
std::vector<int16_t> output(2 * FRAMES);
std::vector<std::vector<int16_t>> plain_sources(VOICES, std::vector<int16_t>(2 * FRAMES));
std::vector<int32_t> plain_acc(2 * FRAMES);

void set_up() {
    static bool done = false;
    if (done) return;
    done = true;
    soundsystem.frequency = 44100;
    soundsystem.channels = 2;
    soundsystem.bits = 16;
    soundsystem.bufferlength = FRAMES;
    soundsystem.mixsize = 2 * FRAMES * 4;
    soundsystem.mixbuffer = static_cast<int32_t *>(_wrap_malloc(soundsystem.mixsize));
    soundsystem.mastervolume = 256;
    const uint32_t rates[] = {44100, 22050, 11025, 48000, 32000, 44100, 8000, 96000};
    uint32_t seed = 1;
    for (uint32_t v = 0; v < VOICES; v++) {
        uint16_t bits = v % 2 ? 8 : 16;
        uint16_t channels = v % 4 < 2 ? 1 : 2;
        Soundsystem_CreateSoundStream(&voices[v], nullptr, rates[v % 8], bits, channels, 30000);
        auto *bytes = static_cast<uint8_t *>(voices[v].data);
        for (uint32_t i = 0; i < voices[v].size; i++)
            bytes[i] = (seed = seed * 1103515245 + 12345) >> 16;
        Soundsystem_SetVolume(&voices[v], 200);
        Soundsystem_SetPanning(&voices[v], static_cast<int32_t>(v * 16));
        Soundsystem_PlaySound(&voices[v], 1);
    }
    for (auto &source : plain_sources)
        for (auto &s : source) s = static_cast<int16_t>((seed = seed * 1103515245 + 12345) >> 16);
}

void BM_Mixer(benchmark::State &state) {
    set_up();
    for (auto _ : state) {
        VRX_MixBuffers(output.data(), 4 * FRAMES);
        benchmark::DoNotOptimize(output.data());
    }
}
BENCHMARK(BM_Mixer);

// The same number of samples added up: 16 voices x 2048 frames x 2 channels.
void BM_PlainSum(benchmark::State &state) {
    set_up();
    for (auto _ : state) {
        std::memset(plain_acc.data(), 0, plain_acc.size() * 4);
        for (const auto &source : plain_sources) {
            const int16_t *s = source.data();
            int32_t *acc = plain_acc.data();
            for (uint32_t i = 0; i < 2 * FRAMES; i++) acc[i] += s[i];
        }
        benchmark::DoNotOptimize(plain_acc.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainSum);

class MixerReporter : public RatioReporter {
  public:
    MixerReporter()
        : RatioReporter("mixer time / plain summing of the same samples",
                        [](const std::string &name) -> std::vector<Ratio> {
                            if (name == "BM_Mixer") return {{"BM_PlainSum"}};
                            return {};
                        }) {}
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.benchmark_name() == "BM_Mixer" && run.run_type == Run::RT_Iteration)
                mix_seconds_ =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        RatioReporter::ReportRuns(runs);
    }
    void Finalize() override {
        RatioReporter::Finalize();
        // One buffer of 2048 frames lasts 2048 / 44100 s = 46.4 ms.
        if (mix_seconds_ > 0)
            std::printf("  %-63s %6.3f%%\n", "share of a core at 44100 Hz",
                        100 * mix_seconds_ / (double(FRAMES) / 44100.0));
    }

  private:
    double mix_seconds_ = 0;
};

} // namespace

int main(int argc, char **argv) {
    MixerReporter reporter;
    return run_with_ratios(argc, argv, reporter);
}
