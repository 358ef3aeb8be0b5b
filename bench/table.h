#pragma once
// Pairs of benchmarks, Zendral's code beside its reference, summed up as rows of
// one table: rate of each, their ratio, and the target the pair must meet.
//
// A pair named "<case>" is the two benchmarks "<case>/zendral" and
// "<case>/reference". Rates are taken from the benchmark's bytes_per_second
// counter (shown as MB/s, 10^6 bytes) or items_per_second (shown as fps).

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

enum class RateUnit { kMegabytesPerSecond, kFramesPerSecond };

struct PairTarget {
    double min_ratio = 0;  // ours / reference must reach this
    double min_rate = 0;   // ours must reach this rate (0: no floor)
};

// Registers both benchmarks of a pair with the same settings: real time,
// `repetitions` runs (the table takes their median), each at least `min_seconds`
// long (0: Google Benchmark's default).
void register_pair(const std::string& section, const std::string& name, RateUnit unit,
                   PairTarget target, std::function<void(benchmark::State&)> ours,
                   std::function<void(benchmark::State&)> reference, int repetitions = 5,
                   double min_seconds = 0);

// Appends one finished row (a figure measured outside Google Benchmark) to the
// table output; `verdict` is "ok" or "MISSED".
void write_table_row(const std::string& section, const std::string& name, const std::string& ours,
                     const std::string& reference, const std::string& unit,
                     const std::string& ratio, const std::string& target,
                     const std::string& verdict);

// Initialises Google Benchmark, runs everything registered with the console
// output, then writes one row per pair. Rows go to the file named by the
// environment variable ZENDRAL_BENCH_TABLE (appended) or, without it, to the
// standard output after the console report. Returns the process exit status.
int run_registered_benchmarks(int argc, char** argv);
