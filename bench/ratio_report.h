// Prints every benchmark's CPU time as a ratio to the baseline measured in the same run, so
// that the numbers mean the same on a noisy machine.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // baseline_of(name) names the run to divide by, or "" for runs that are baselines.
    RatioReporter(const char *title, std::function<std::string(const std::string &)> baseline_of)
        : title_(title), baseline_of_(std::move(baseline_of)) {}

    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%s:\n", title_);
        for (const auto &[name, time] : times_) {
            std::string base = baseline_of_(name);
            auto it = base.empty() ? times_.end() : times_.find(base);
            if (it != times_.end() && it->second > 0)
                std::printf("  %-32s %6.2f\n", name.c_str(), time / it->second);
        }
    }

  private:
    const char *title_;
    std::function<std::string(const std::string &)> baseline_of_;
    std::map<std::string, double> times_;
};

// main() for a benchmark program that reports ratios.
inline int run_with_ratios(int argc, char **argv, RatioReporter &reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
