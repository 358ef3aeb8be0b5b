// Peak memory of one load: how far the resident set rises above where it stood
// just before the reader ran, against the size of the grid arrays the load
// fills. Each file is loaded into `data_set` in a process of its own, as the
// viewer's first load would be, so one measurement cannot hide another.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/generate.h"
#include "bench/quiet_stdout.h"
#include "bench/table.h"
#include "data/data_set.h"

namespace {

long resident_kib() {
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return -1;
    const int got = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return got == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

long peak_kib() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kibibytes on Linux
}

using Reader = void (DataSet::*)(const char*);

void measure(const char* label, const std::string& path, Reader reader, double max_ratio) {
    const long before = resident_kib();
    const long peak_before = peak_kib();
    {
        QuietStdout quiet;
        (data_set.*reader)(path.c_str());
    }
    const long rise = peak_kib() - before;
    const double grid =
        static_cast<double>(data_set.point_count()) * (sizeof(Vector3) + sizeof(float)) / 1024.0;
    const double ratio = grid > 0 ? rise / grid : 0;
    char ours[64], ref[64], r[32], target[64];
    std::snprintf(ours, sizeof ours, "%.1f", rise / 1024.0);
    std::snprintf(ref, sizeof ref, "%.1f", grid / 1024.0);
    std::snprintf(r, sizeof r, "%.2fx", ratio);
    std::snprintf(target, sizeof target, max_ratio > 0 ? "<= %.1fx grid" : "(no target)",
                  max_ratio);
    const bool measurable = before > 0 && peak_before <= before + 1024;
    const bool met = measurable && grid > 0 && ratio <= max_ratio;
    write_table_row("memory", std::string(label) + " peak rise / grid arrays", ours, ref, "MiB", r,
                    target, max_ratio <= 0 ? "info" : (met ? "ok" : "MISSED"));
}

void in_child(const char* label, const std::string& path, Reader reader, double max_ratio) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        measure(label, path, reader, max_ratio);
        std::fflush(nullptr);
        _exit(0);
    }
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
}

}  // namespace

int main() {
    const char* dir_env = std::getenv("ZENDRAL_BENCH_DATA");
    BenchInputs in;
    if (!ensure_bench_inputs(dir_env && *dir_env ? dir_env : "bench-data", in)) {
        std::fprintf(stderr, "cannot write the benchmark inputs\n");
        return 1;
    }
    in_child("Data 1M points", in.data, &DataSet::read_data, 1.5);
    in_child("Data with Color 1M points", in.color_data, &DataSet::read_color_data, 1.5);
    in_child("Maple 1000x1000", in.maple, &DataSet::read_maple, 0);
    in_child("Columns (CSV) 1M points", in.columns, &DataSet::read_columns, 1.5);
    return 0;
}
