#include "bench/table.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

struct Pair {
    std::string section, name;
    RateUnit unit;
    PairTarget target;
    double ours = -1, reference = -1;          // rates by the wall clock
    double ours_cpu = -1, reference_cpu = -1;  // processor seconds per iteration, all threads
};

std::vector<Pair>& pairs() {
    static std::vector<Pair> all;
    return all;
}

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// The console report as usual; besides, the rate of every pair member is kept:
// the median when the run was repeated, the single run otherwise.
class PairReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool repeated = run.repetitions > 1;
            if (repeated && !(run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"))
                continue;
            if (!repeated && run.run_type != Run::RT_Iteration) continue;
            record(run);
        }
    }

  private:
    static void record(const Run& run) {
        const std::string& full = run.run_name.function_name;
        const std::size_t slash = full.rfind('/');
        if (slash == std::string::npos) return;
        const std::string name = full.substr(0, slash), side = full.substr(slash + 1);
        for (Pair& p : pairs()) {
            if (p.name != name) continue;
            const char* counter =
                p.unit == RateUnit::kMegabytesPerSecond ? "bytes_per_second" : "items_per_second";
            auto it = run.counters.find(counter);
            if (it == run.counters.end()) return;
            double rate = it->second.value;
            if (p.unit == RateUnit::kMegabytesPerSecond) rate /= 1e6;
            (side == "zendral" ? p.ours : p.reference) = rate;
            (side == "zendral" ? p.ours_cpu : p.reference_cpu) = run.GetAdjustedCPUTime();
        }
    }
};

}  // namespace

void register_pair(const std::string& section, const std::string& name, RateUnit unit,
                   PairTarget target, std::function<void(benchmark::State&)> ours,
                   std::function<void(benchmark::State&)> reference, int repetitions,
                   double min_seconds) {
    pairs().push_back({section, name, unit, target});
    for (auto& [side, fn] : {std::pair{"zendral", ours}, std::pair{"reference", reference}}) {
        auto* b = benchmark::RegisterBenchmark((name + "/" + side).c_str(), fn);
        // Wall-clock rates, and the processor time of every thread of the process
        // (Mesa renders on threads of its own) as a second view that other work
        // on the machine disturbs less.
        b->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
        b->Repetitions(repetitions);
        if (min_seconds > 0) b->MinTime(min_seconds);
        if (repetitions > 1) b->ReportAggregatesOnly(true);
    }
}

namespace {
FILE* table_output() {
    static FILE* out = [] {
        const char* path = std::getenv("ZENDRAL_BENCH_TABLE");
        FILE* f = path && *path ? std::fopen(path, "a") : nullptr;
        return f ? f : stdout;
    }();
    return out;
}
}  // namespace

void write_table_row(const std::string& section, const std::string& name, const std::string& ours,
                     const std::string& reference, const std::string& unit,
                     const std::string& ratio, const std::string& target,
                     const std::string& verdict) {
    std::fprintf(table_output(), "%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", section.c_str(), name.c_str(),
                 ours.c_str(), reference.c_str(), unit.c_str(), ratio.c_str(), target.c_str(),
                 verdict.c_str());
    std::fflush(table_output());
}

int run_registered_benchmarks(int argc, char** argv) {
    // The repetitions of all benchmarks run in random order, so that a busy spell
    // of the machine falls on both members of a pair alike; flags given on the
    // command line come later and win.
    std::vector<char*> args(argv, argv + argc);
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + (argc > 0 ? 1 : 0), interleave);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    PairReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const Pair& p : pairs()) {
        if (p.ours < 0 || p.reference < 0) continue;  // filtered out or failed
        const bool mb = p.unit == RateUnit::kMegabytesPerSecond;
        const double ratio = p.reference > 0 ? p.ours / p.reference : 0;
        // One decimal, or two where one would round the target (1 / 1.3 is 0.77).
        const double tenths = p.target.min_ratio * 10;
        std::string target =
            ">= " +
            fixed(p.target.min_ratio, std::fabs(tenths - std::round(tenths)) < 1e-9 ? 1 : 2) + "x";
        if (p.target.min_rate > 0)
            target += ", >= " + fixed(p.target.min_rate, 0) + (mb ? " MB/s" : " fps");
        const bool met = ratio >= p.target.min_ratio && p.ours >= p.target.min_rate;
        std::string ratio_text = fixed(ratio, 2) + "x";
        if (p.ours_cpu > 0 && p.reference_cpu > 0)
            ratio_text += " (CPU " + fixed(p.reference_cpu / p.ours_cpu, 2) + "x)";
        write_table_row(p.section, p.name, fixed(p.ours, mb ? 1 : 2),
                        fixed(p.reference, mb ? 1 : 2), mb ? "MB/s" : "fps", ratio_text, target,
                        met ? "ok" : "MISSED");
    }
    // A missed target is a finding for the table, not a failure of the run.
    return 0;
}
