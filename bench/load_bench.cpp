// Loading speed: each reader beside the reference loader on the same generated
// file, in MB/s (10^6 bytes of file per second); then the "Data" reader on one
// and two threads, first loads and repeated ones (bench/load_threads.h). The
// inputs are written once into $ZENDRAL_BENCH_DATA (default ./bench-data).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/generate.h"
#include "bench/load_threads.h"
#include "bench/quiet_stdout.h"
#include "bench/reference_loaders.h"
#include "bench/table.h"
#include "data/data_set.h"

namespace {

using Reader = void (DataSet::*)(const char*);
using ReferenceLoader = bool (*)(DataSet&, const char*);

bool same(const Vector3& a, const Vector3& b) {
    return a.x() == b.x() && a.y() == b.y() && a.z() == b.z();
}

void run_reader(benchmark::State& state, const std::string& path, Reader reader) {
    QuietStdout quiet;
    for (auto _ : state) {
        DataSet set;
        (set.*reader)(path.c_str());
        if (set.point_count() == 0) state.SkipWithError("the reader loaded nothing");
        benchmark::DoNotOptimize(set.points.get());
    }
    state.SetBytesProcessed(state.iterations() * file_size(path));
}

void run_reference(benchmark::State& state, const std::string& path, ReferenceLoader load) {
    for (auto _ : state) {
        DataSet set;
        if (!load(set, path.c_str())) state.SkipWithError("the reference loader failed");
        benchmark::DoNotOptimize(set.points.get());
    }
    state.SetBytesProcessed(state.iterations() * file_size(path));
}

// Both loaders must agree on every value: a fast reader that reads wrongly is no
// win. Differences are reported as a table row, since a benchmark has no test
// verdict of its own.
void check_same(const char* label, const std::string& path, Reader reader, ReferenceLoader load) {
    DataSet ours, ref;
    {
        QuietStdout quiet;
        (ours.*reader)(path.c_str());
    }
    load(ref, path.c_str());
    std::size_t differing = 0;
    const bool same_shape = ours.width == ref.width && ours.points_per_set == ref.points_per_set;
    if (same_shape) {
        const bool coloured = ref.kind == DataSet::kColorData;
        for (std::size_t k = 0; k < ref.point_count(); ++k) {
            if (!same(ours.points[k], ref.points[k]) ||
                (coloured && ours.color_values[k] != ref.color_values[k]))
                ++differing;
        }
    }
    const bool ok = same_shape && differing == 0 && ours.kind == ref.kind &&
                    same(ours.min, ref.min) && same(ours.max, ref.max);
    if (!ok)
        std::fprintf(stderr, "%s: the reader and the reference differ (%s, %zu points differ)\n",
                     label, same_shape ? "same grid size" : "different grid size", differing);
    write_table_row("load", std::string(label) + " values", ok ? "same" : "DIFFERENT", "-", "-",
                    "-", "identical to reference", ok ? "ok" : "MISSED");
}

// The table must give the very grid the "Data" file gives.
void check_columns(const std::string& columns, const std::string& data) {
    DataSet table, grid;
    {
        QuietStdout quiet;
        table.read_columns(columns.c_str());
        grid.read_data(data.c_str());
    }
    bool ok = table.width == grid.width && table.points_per_set == grid.points_per_set &&
              same(table.min, grid.min) && same(table.max, grid.max);
    for (std::size_t k = 0; ok && k < grid.point_count(); ++k)
        ok = same(table.points[k], grid.points[k]);
    write_table_row("load", "Columns (CSV) values", ok ? "same" : "DIFFERENT", "-", "-", "-",
                    "identical to Data", ok ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == kFirstLoadOption) return first_load(argv[2]);
    const char* dir_env = std::getenv("ZENDRAL_BENCH_DATA");
    const std::string dir = dir_env && *dir_env ? dir_env : "bench-data";
    BenchInputs in;
    if (!ensure_bench_inputs(dir, in)) {
        std::fprintf(stderr, "cannot write the benchmark inputs in %s\n", dir.c_str());
        return 1;
    }
    std::printf("inputs: %s (%lld bytes), %s (%lld bytes), %s (%lld bytes)\n", in.data.c_str(),
                file_size(in.data), in.color_data.c_str(), file_size(in.color_data),
                in.maple.c_str(), file_size(in.maple));

    check_same("Data 1M points", in.data, &DataSet::read_data, reference_read_data);
    check_same("Data with Color 1M points", in.color_data, &DataSet::read_color_data,
               reference_read_color_data);
    check_same("Maple 1000x1000", in.maple, &DataSet::read_maple, reference_read_maple);
    check_columns(in.columns, in.data);

    const PairTarget points_target{8.0, 200.0};
    register_pair(
        "load", "Data 1M points", RateUnit::kMegabytesPerSecond, points_target,
        [=](benchmark::State& s) { run_reader(s, in.data, &DataSet::read_data); },
        [=](benchmark::State& s) { run_reference(s, in.data, reference_read_data); });
    register_pair(
        "load", "Data with Color 1M points", RateUnit::kMegabytesPerSecond, points_target,
        [=](benchmark::State& s) { run_reader(s, in.color_data, &DataSet::read_color_data); },
        [=](benchmark::State& s) { run_reference(s, in.color_data, reference_read_color_data); });
    register_pair(
        "load", "Maple 1000x1000", RateUnit::kMegabytesPerSecond, PairTarget{5.0, 0},
        [=](benchmark::State& s) { run_reader(s, in.maple, &DataSet::read_maple); },
        [=](benchmark::State& s) { run_reference(s, in.maple, reference_read_maple); });
    // The same million points as a CSV table, against the "Data" reader on its file.
    register_pair(
        "load", "Columns (CSV) vs Data, 1M points", RateUnit::kMegabytesPerSecond,
        PairTarget{0.8, 0},
        [=](benchmark::State& s) { run_reader(s, in.columns, &DataSet::read_columns); },
        [=](benchmark::State& s) { run_reader(s, in.data, &DataSet::read_data); });
    const int status = run_registered_benchmarks(argc, argv);
    LargeInputs large;
    if (ensure_large_inputs(dir, large))
        write_load_thread_rows(
            {{"1M", in.data}, {"10M", large.points_10m}, {"30M", large.points_30m}});
    return status;
}
