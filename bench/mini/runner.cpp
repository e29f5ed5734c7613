// The runner behind the stand-in benchmark API: registry, flags, calibration and the console
// table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max below
#endif
#include <windows.h>
#else
#include <time.h>
#endif

namespace benchmark {

double internal::thread_cpu_seconds() {
#ifdef _WIN32
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user)) return 0;
    auto ticks = [](const FILETIME &t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 1e-7; // 100 ns units
#else
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
#endif
}

// The smallest step the thread CPU clock takes, measured by spinning across two of its steps.
double internal::cpu_clock_step() {
    double last = thread_cpu_seconds(), step = 0;
    for (int changes = 0; changes < 2;) {
        const double now = thread_cpu_seconds();
        if (now == last) continue;
        step = now - last;
        last = now;
        ++changes;
    }
    return step;
}

double internal::wall_seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace internal {
size_t &name_width() {
    static size_t width = 10;
    return width;
}
std::string human_rate(double per_second) {
    const char *const prefix[] = {"", "k", "M", "G", "T"};
    int i = 0;
    while (per_second >= 1000 && i < 4) per_second /= 1000, ++i;
    char text[32];
    std::snprintf(text, sizeof text, "%.4g%s/s", per_second, prefix[i]);
    return text;
}
} // namespace internal

void ConsoleReporter::ReportRuns(const std::vector<Run> &runs) {
    const int w = int(internal::name_width());
    if (!header_done_) {
        header_done_ = true;
        std::string rule(size_t(w) + 46, '-');
        std::printf("%s\n%-*s %15s %15s %12s\n%s\n", rule.c_str(), w, "Benchmark", "Time", "CPU",
                    "Iterations", rule.c_str());
    }
    for (const Run &run : runs) {
        if (run.error_occurred) {
            std::printf("%-*s ERROR OCCURRED: '%s'\n", w, run.run_name.c_str(),
                        run.error_message.c_str());
            continue;
        }
        const char *unit = GetTimeUnitString(run.time_unit);
        std::printf("%-*s %12.0f %-2s %12.0f %-2s %12lld", w, run.run_name.c_str(),
                    run.GetAdjustedRealTime(), unit, run.GetAdjustedCPUTime(), unit,
                    static_cast<long long>(run.iterations));
        const double seconds = run.cpu_accumulated_time;
        if (run.bytes && seconds > 0)
            std::printf(" bytes_per_second=%s",
                        internal::human_rate(double(run.bytes) / seconds).c_str());
        if (run.items && seconds > 0)
            std::printf(" items_per_second=%s",
                        internal::human_rate(double(run.items) / seconds).c_str());
        for (const auto &[name, counter] : run.counters)
            std::printf(" %s=%g", name.c_str(), counter.value);
        std::printf("\n");
    }
    std::fflush(stdout);
}

namespace internal {
std::vector<std::unique_ptr<Benchmark>> &registry() {
    static std::vector<std::unique_ptr<Benchmark>> benchmarks;
    return benchmarks;
}
struct Flags {
    std::string filter = ".";
    double min_time = 0.5; // seconds
    int repetitions = 1;
    bool list = false;
};
Flags &flags() {
    static Flags f;
    return f;
}
} // namespace internal

Benchmark *RegisterBenchmark(const char *name, std::function<void(State &)> fn) {
    auto &all = internal::registry();
    all.push_back(std::make_unique<Benchmark>(name, std::move(fn)));
    return all.back().get();
}

struct Runner {
    struct Instance {
        std::string name;
        Benchmark *bench;
        std::vector<int64_t> args;
    };

    static std::vector<Instance> selected() {
        const internal::Flags &f = internal::flags();
        std::string pattern = f.filter == "all" ? "." : f.filter;
        const bool negative = !pattern.empty() && pattern[0] == '-';
        const std::regex re(negative ? pattern.substr(1) : pattern);
        std::vector<Instance> out;
        for (const auto &b : internal::registry()) {
            auto sets = b->arg_sets_;
            if (sets.empty()) sets.push_back({});
            for (const auto &args : sets) {
                std::string name = b->name_;
                for (int64_t a : args) {
                    name += '/';
                    name += std::to_string(a);
                }
                if (std::regex_search(name, re) != negative) out.push_back({name, b.get(), args});
            }
        }
        return out;
    }

    static BenchmarkReporter::Run run_once(const Instance &in, int64_t iterations) {
        State state(iterations, in.args);
        in.bench->fn_(state);
        if (!state.started_ && !state.error_)
            state.SkipWithError("the benchmark never entered its loop");
        BenchmarkReporter::Run run;
        run.run_name = in.name;
        run.error_occurred = state.error_;
        run.error_message = state.message_;
        run.iterations = iterations;
        run.cpu_accumulated_time = state.cpu_;
        run.real_accumulated_time = state.wall_;
        run.time_unit = in.bench->unit_;
        run.bytes = state.bytes_;
        run.items = state.items_;
        run.counters = state.counters;
        return run;
    }

    // Grows the batch until its CPU time reaches the minimum time (or its wall time five times
    // that, for benchmarks that mostly wait), as Google Benchmark does.
    static BenchmarkReporter::Run calibrate(const Instance &in, double min_time) {
        int64_t iterations = 1;
        for (;;) {
            BenchmarkReporter::Run run = run_once(in, iterations);
            const double seconds = run.cpu_accumulated_time;
            if (run.error_occurred || seconds >= min_time ||
                run.real_accumulated_time >= 5 * min_time || iterations >= 1000000000)
                return run;
            double factor = min_time * 1.4 / std::max(seconds, 1e-9);
            if (seconds / min_time <= 0.1) factor = 10;
            iterations = std::min<int64_t>(
                1000000000,
                std::max<int64_t>(int64_t(factor * double(iterations)), iterations + 1));
        }
    }
};

void Initialize(int *argc, char **argv) {
    internal::Flags &f = internal::flags();
    f = internal::Flags{};
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char *flag, std::string &out) {
            const std::string prefix = std::string("--") + flag + "=";
            if (arg.rfind(prefix, 0) != 0) return false;
            out = arg.substr(prefix.size());
            return true;
        };
        std::string v;
        if (value("benchmark_filter", v)) {
            f.filter = v;
        } else if (value("benchmark_min_time", v)) {
            f.min_time = std::strtod(v.c_str(), nullptr); // "0.5" or "0.5s"
        } else if (value("benchmark_repetitions", v)) {
            f.repetitions = std::max(1, std::atoi(v.c_str()));
        } else if (arg == "--benchmark_list_tests" || value("benchmark_list_tests", v)) {
            f.list = v.empty() || v == "true" || v == "1";
        } else if (arg == "--help") {
            std::printf("%s [--benchmark_filter=<regex>] [--benchmark_min_time=<seconds>]\n"
                        "    [--benchmark_repetitions=<n>] [--benchmark_list_tests]\n",
                        argv[0]);
            std::exit(0);
        } else {
            argv[kept++] = argv[i];
        }
    }
    *argc = kept;
}

bool ReportUnrecognizedArguments(int argc, char **argv) {
    for (int i = 1; i < argc; ++i)
        std::fprintf(stderr, "%s: error: unrecognized command-line flag: %s\n", argv[0], argv[i]);
    return argc > 1;
}

size_t RunSpecifiedBenchmarks(BenchmarkReporter *reporter) {
    const internal::Flags &f = internal::flags();
    const std::vector<Runner::Instance> todo = Runner::selected();
    if (f.list) {
        for (const auto &in : todo) std::printf("%s\n", in.name.c_str());
        return todo.size();
    }
    // A coarse CPU clock (10 ms under Wine, a scheduler tick on Windows) needs longer batches:
    // a hundred of its steps keep the rounding within 1% of each time.
    const double step = internal::cpu_clock_step();
    const double min_time = std::max(f.min_time, 100 * step);
    std::fprintf(stderr,
                 "Built-in runner: thread CPU time (clock step %.3g ms), at least %.2f s per "
                 "batch\n",
                 step * 1e3, min_time);
    for (const auto &in : todo)
        internal::name_width() = std::max(internal::name_width(), in.name.size());
    ConsoleReporter console;
    if (!reporter) reporter = &console;
    for (const auto &in : todo) {
        std::vector<BenchmarkReporter::Run> runs{Runner::calibrate(in, min_time)};
        for (int r = 1; r < f.repetitions && !runs[0].error_occurred; ++r)
            runs.push_back(Runner::run_once(in, runs[0].iterations));
        reporter->ReportRuns(runs);
    }
    reporter->Finalize();
    return todo.size();
}

} // namespace benchmark
