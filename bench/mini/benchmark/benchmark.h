// A small stand-in for the part of Google Benchmark that the programs in bench/ use, for builds
// where the library is not installed (the Windows cross build). It measures the same way: each
// benchmark runs in batches whose iteration count grows until a batch takes the minimum time;
// the result is that batch's thread CPU time and wall time per iteration. Repetitions repeat the
// final batch and report each one, so a reporter can keep the best.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

inline double GetTimeUnitMultiplier(TimeUnit unit) {
    const double per_second[] = {1e9, 1e6, 1e3, 1};
    return per_second[unit];
}
inline const char *GetTimeUnitString(TimeUnit unit) {
    const char *const names[] = {"ns", "us", "ms", "s"};
    return names[unit];
}

// Keeps a value (and, through the memory clobber, what it points to) alive for the optimiser.
template <class T> inline void DoNotOptimize(const T &value) {
    asm volatile("" : : "r,m"(value) : "memory");
}
template <class T> inline void DoNotOptimize(T &value) {
    asm volatile("" : "+r,m"(value) : : "memory");
}
inline void ClobberMemory() {
    asm volatile("" : : : "memory");
}

struct Counter {
    double value = 0;
    Counter(double v = 0) : value(v) {}
    operator double() const { return value; }
};
using UserCounters = std::map<std::string, Counter>;

namespace internal {
double thread_cpu_seconds(); // CPU time of the calling thread, as Google Benchmark measures
double cpu_clock_step();
double wall_seconds();
} // namespace internal

class State {
  public:
    State(int64_t max_iterations, std::vector<int64_t> args)
        : max_iterations_(max_iterations), args_(std::move(args)) {}

    struct [[maybe_unused]] Value {};
    class Iterator {
      public:
        Iterator(State *state, int64_t left) : state_(state), left_(left) {}
        Value operator*() const { return {}; }
        Iterator &operator++() {
            --left_;
            return *this;
        }
        // Ends the loop after the last iteration, or after an error; stops the clocks then.
        bool operator!=(const Iterator &) {
            if (left_ != 0 && !state_->error_) return true;
            state_->stop_clocks();
            return false;
        }

      private:
        State *state_;
        int64_t left_;
    };
    Iterator begin() {
        started_ = true;
        cpu_start_ = internal::thread_cpu_seconds();
        wall_start_ = internal::wall_seconds();
        return Iterator(this, max_iterations_);
    }
    Iterator end() { return Iterator(this, 0); }

    int64_t range(size_t i = 0) const { return args_.at(i); }
    int64_t iterations() const { return max_iterations_; }
    void SetBytesProcessed(int64_t bytes) { bytes_ = bytes; }
    void SetItemsProcessed(int64_t items) { items_ = items; }
    void SkipWithError(const char *message) {
        error_ = true;
        message_ = message;
    }
    UserCounters counters;

  private:
    friend struct Runner;
    void stop_clocks() {
        if (stopped_) return;
        cpu_ = internal::thread_cpu_seconds() - cpu_start_;
        wall_ = internal::wall_seconds() - wall_start_;
        stopped_ = true;
    }

    int64_t max_iterations_;
    std::vector<int64_t> args_;
    double cpu_start_ = 0, wall_start_ = 0, cpu_ = 0, wall_ = 0;
    bool started_ = false, stopped_ = false, error_ = false;
    std::string message_;
    int64_t bytes_ = 0, items_ = 0;
};

class Benchmark {
  public:
    Benchmark(std::string name, std::function<void(State &)> fn)
        : name_(std::move(name)), fn_(std::move(fn)) {}
    Benchmark *Arg(int64_t x) { return Args({x}); }
    Benchmark *Args(const std::vector<int64_t> &args) {
        arg_sets_.push_back(args);
        return this;
    }
    Benchmark *DenseRange(int64_t first, int64_t last, int64_t step = 1) {
        for (int64_t x = first; x <= last; x += std::max<int64_t>(step, 1)) Arg(x);
        return this;
    }
    // first, the powers of 8 strictly between, last.
    Benchmark *Range(int64_t first, int64_t last) {
        Arg(first);
        for (int64_t x = 1; x < last; x *= 8)
            if (x > first) Arg(x);
        if (last != first) Arg(last);
        return this;
    }
    Benchmark *Unit(TimeUnit unit) {
        unit_ = unit;
        return this;
    }

  private:
    friend struct Runner;
    std::string name_;
    std::function<void(State &)> fn_;
    std::vector<std::vector<int64_t>> arg_sets_;
    TimeUnit unit_ = kNanosecond;
};

class BenchmarkReporter {
  public:
    struct Run {
        enum RunType { RT_Iteration, RT_Aggregate };
        std::string run_name;
        RunType run_type = RT_Iteration;
        bool error_occurred = false;
        std::string error_message;
        int64_t iterations = 0;
        double real_accumulated_time = 0, cpu_accumulated_time = 0; // seconds
        TimeUnit time_unit = kNanosecond;
        int64_t bytes = 0, items = 0;
        UserCounters counters;

        std::string benchmark_name() const { return run_name; }
        double GetAdjustedRealTime() const { return per_iteration(real_accumulated_time); }
        double GetAdjustedCPUTime() const { return per_iteration(cpu_accumulated_time); }

      private:
        double per_iteration(double seconds) const {
            return iterations ? seconds * GetTimeUnitMultiplier(time_unit) / double(iterations) : 0;
        }
    };
    virtual ~BenchmarkReporter() = default;
    virtual void ReportRuns(const std::vector<Run> &runs) = 0;
    virtual void Finalize() {}
};

class ConsoleReporter : public BenchmarkReporter {
  public:
    void ReportRuns(const std::vector<Run> &runs) override;

  private:
    bool header_done_ = false;
};

Benchmark *RegisterBenchmark(const char *name, std::function<void(State &)> fn);
void Initialize(int *argc, char **argv);
bool ReportUnrecognizedArguments(int argc, char **argv);
size_t RunSpecifiedBenchmarks(BenchmarkReporter *reporter = nullptr);
inline void Shutdown() {}

} // namespace benchmark

#define BENCHMARK_NAME_CAT2(a, b) a##b
#define BENCHMARK_NAME_CAT(a, b) BENCHMARK_NAME_CAT2(a, b)
#define BENCHMARK(fn)                                                                              \
    [[maybe_unused]] static ::benchmark::Benchmark *BENCHMARK_NAME_CAT(                            \
        benchmark_entry_, __COUNTER__) = ::benchmark::RegisterBenchmark(#fn, fn)
#define BENCHMARK_CAPTURE(fn, label, ...)                                                          \
    [[maybe_unused]] static ::benchmark::Benchmark *BENCHMARK_NAME_CAT(benchmark_entry_,           \
                                                                       __COUNTER__) =              \
        ::benchmark::RegisterBenchmark(#fn "/" #label,                                             \
                                       [](::benchmark::State &st) { fn(st, __VA_ARGS__); })
