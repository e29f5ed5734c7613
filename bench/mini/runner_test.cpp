// The built-in benchmark runner and the ratio report on top of it: names, filters, batches,
// errors, and the ratio table from the best repetition.
#include <benchmark/benchmark.h>

#include "../ratio_report.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

void rt_plain(benchmark::State &state) {
    for (auto _ : state) {
    }
}
void rt_arg(benchmark::State &state) {
    for (auto _ : state) benchmark::DoNotOptimize(state.range(0));
}
void rt_capture(benchmark::State &state, int n) {
    for (auto _ : state) benchmark::DoNotOptimize(n);
}
BENCHMARK(rt_plain);
BENCHMARK(rt_arg)->Arg(3)->Args({640, 480})->DenseRange(1, 2)->Range(8, 1000);
BENCHMARK_CAPTURE(rt_capture, seven, 7);

// Spins for about a microsecond per iteration.
void rt_spin(benchmark::State &state) {
    volatile uint32_t x = 0;
    for (auto _ : state)
        for (int i = 0; i < 1000; i++) x = x * 1664525u + 1013904223u;
    state.SetBytesProcessed(state.iterations() * 4);
}
BENCHMARK(rt_spin)->Unit(benchmark::kMicrosecond);

int loops_run = 0;
void rt_error_third(benchmark::State &state) {
    for (auto _ : state)
        if (++loops_run == 3) state.SkipWithError("third");
}
void rt_error_first(benchmark::State &state) {
    state.SkipWithError("before");
    for (auto _ : state) ++loops_run;
}
void rt_no_loop(benchmark::State &) {}
BENCHMARK(rt_error_third);
BENCHMARK(rt_error_first);
BENCHMARK(rt_no_loop);

void set_flags(std::vector<std::string> args) {
    args.insert(args.begin(), "runner_test");
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    int argc = int(argv.size());
    benchmark::Initialize(&argc, argv.data());
    ASSERT_EQ(argc, 1) << "a flag was not taken";
}

struct Recorder : benchmark::BenchmarkReporter {
    std::vector<Run> runs;
    void ReportRuns(const std::vector<Run> &r) override {
        runs.insert(runs.end(), r.begin(), r.end());
    }
};

TEST(BenchRunner, ListsNamesFromArgumentsAndFilters) {
    const struct {
        const char *filter;
        const char *names;
    } cases[] = {
        {".", "rt_plain rt_arg/3 rt_arg/640/480 rt_arg/1 rt_arg/2 rt_arg/8 rt_arg/64 rt_arg/512 "
              "rt_arg/1000 rt_capture/seven rt_spin rt_error_third rt_error_first rt_no_loop "},
        {"all", "rt_plain rt_arg/3 rt_arg/640/480 rt_arg/1 rt_arg/2 rt_arg/8 rt_arg/64 rt_arg/512 "
                "rt_arg/1000 rt_capture/seven rt_spin rt_error_third rt_error_first rt_no_loop "},
        {"rt_arg/[0-9]$", "rt_arg/3 rt_arg/1 rt_arg/2 rt_arg/8 "},
        {"-^rt_(arg|error)", "rt_plain rt_capture/seven rt_spin rt_no_loop "},
        {"nothing", ""},
    };
    for (const auto &c : cases) {
        set_flags({std::string("--benchmark_filter=") + c.filter, "--benchmark_list_tests"});
        testing::internal::CaptureStdout();
        benchmark::RunSpecifiedBenchmarks();
        std::istringstream out(testing::internal::GetCapturedStdout());
        std::string names, line;
        while (std::getline(out, line)) names += line + " ";
        EXPECT_EQ(names, c.names) << c.filter;
    }
}

TEST(BenchRunner, RepetitionsRepeatTheCalibratedBatch) {
    set_flags({"--benchmark_filter=rt_spin", "--benchmark_min_time=0.02",
               "--benchmark_repetitions=3", "--benchmark_list_tests=false"});
    Recorder rec;
    benchmark::RunSpecifiedBenchmarks(&rec);
    ASSERT_EQ(rec.runs.size(), 3u);
    for (const auto &run : rec.runs) {
        EXPECT_EQ(run.benchmark_name(), "rt_spin");
        EXPECT_FALSE(run.error_occurred);
        EXPECT_EQ(run.iterations, rec.runs[0].iterations);
        EXPECT_EQ(run.bytes, run.iterations * 4);
        // Per iteration in microseconds: the batch's seconds times a million over the count.
        EXPECT_DOUBLE_EQ(run.GetAdjustedCPUTime(),
                         run.cpu_accumulated_time * 1e6 / double(run.iterations));
    }
    EXPECT_GE(rec.runs[0].cpu_accumulated_time, 0.02); // the batch that ended the calibration
}

TEST(BenchRunner, ErrorsEndTheLoopAndAreReported) {
    const struct {
        const char *name, *message;
        int loops;
    } cases[] = {
        {"rt_error_third", "third", 3},
        {"rt_error_first", "before", 0},
        {"rt_no_loop", "the benchmark never entered its loop", 0},
    };
    for (const auto &c : cases) {
        set_flags({std::string("--benchmark_filter=^") + c.name + "$", "--benchmark_repetitions=2",
                   "--benchmark_min_time=0.01"});
        loops_run = 0;
        Recorder rec;
        benchmark::RunSpecifiedBenchmarks(&rec);
        ASSERT_EQ(rec.runs.size(), 1u) << c.name;
        EXPECT_TRUE(rec.runs[0].error_occurred) << c.name;
        EXPECT_EQ(rec.runs[0].error_message, c.message);
        EXPECT_EQ(loops_run, c.loops) << c.name;
    }
}

// The table keeps each benchmark's best time over its repetitions and divides by the best
// time of its baseline.
TEST(RatioReport, BestTimesAgainstBaselinesWithTargets) {
    using Run = benchmark::BenchmarkReporter::Run;
    auto run = [](const char *name, double cpu_seconds, bool error = false) {
        Run r;
        r.run_name = name;
        r.iterations = 1000;
        r.cpu_accumulated_time = cpu_seconds;
        r.error_occurred = error;
        return r;
    };
    RatioReporter reporter("kernel / baseline", [](const std::string &name) -> std::vector<Ratio> {
        if (name == "copy") return {{"base", 1.5}};
        if (name == "mix") return {{"base", 2.0}, {"other", 0}};
        if (name == "lost") return {{"missing"}};
        return {};
    });
    testing::internal::CaptureStdout();
    reporter.ReportRuns({run("base", 0.010), run("base", 0.008), run("base", 0.001, true)});
    reporter.ReportRuns({run("copy", 0.012), run("copy", 0.010)});
    reporter.ReportRuns({run("mix", 0.020), run("other", 0.004), run("lost", 0.004)});
    reporter.Finalize();
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string table = out.substr(out.find("\nkernel / baseline:\n"));
    EXPECT_EQ(table, "\nkernel / baseline:\n"
                     "  copy                             / base                           1.25"
                     "  (at most 1.50: ok)\n"
                     "  mix                              / base                           2.50"
                     "  (at most 2.00: MISSED)\n"
                     "  mix                              / other                          5.00\n"
                     "1 of 2 ratios missed their target\n");
}

} // namespace
