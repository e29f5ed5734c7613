// Prints every benchmark's CPU time as a ratio to baselines measured in the same run, so that the
// numbers mean the same on a noisy machine. Each benchmark keeps its best time over repetitions.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct Ratio {
    std::string baseline;
    double target = 0; // the largest acceptable ratio; 0: none
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // ratios_of(name) lists the baselines to divide a benchmark by (none for baselines).
    RatioReporter(const char *title,
                  std::function<std::vector<Ratio>(const std::string &)> ratios_of)
        : title_(title), ratios_of_(std::move(ratios_of)) {}
    // The same with one baseline per benchmark, "" for none.
    RatioReporter(const char *title, std::function<std::string(const std::string &)> baseline_of)
        : RatioReporter(title, [baseline_of](const std::string &name) {
              std::string base = baseline_of(name);
              return base.empty() ? std::vector<Ratio>{} : std::vector<Ratio>{{base}};
          }) {}

    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const double t = run.GetAdjustedCPUTime();
            auto [it, fresh] = best_.try_emplace(name, t);
            if (fresh)
                order_.push_back(name);
            else if (t < it->second)
                it->second = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%s:\n", title_);
        int missed = 0, targets = 0;
        for (const std::string &name : order_)
            for (const Ratio &r : ratios_of_(name)) {
                auto base = best_.find(r.baseline);
                if (base == best_.end() || base->second <= 0) continue;
                const double ratio = best_[name] / base->second;
                std::printf("  %-32s / %-28s %6.2f", name.c_str(), r.baseline.c_str(), ratio);
                if (r.target > 0) {
                    ++targets;
                    missed += ratio > r.target;
                    std::printf("  (at most %.2f: %s)", r.target,
                                ratio > r.target ? "MISSED" : "ok");
                }
                std::printf("\n");
            }
        if (targets) std::printf("%d of %d ratios missed their target\n", missed, targets);
    }

  private:
    const char *title_;
    std::function<std::vector<Ratio>(const std::string &)> ratios_of_;
    std::map<std::string, double> best_;
    std::vector<std::string> order_;
};

// main() for a benchmark program that reports ratios.
inline int run_with_ratios(int argc, char **argv, RatioReporter &reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
