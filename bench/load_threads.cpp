#include "bench/load_threads.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "bench/generate.h"
#include "bench/quiet_stdout.h"
#include "bench/table.h"
#include "data/data_set.h"
#include "data/text_chunks.h"

namespace {

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// MB/s of one load into a fresh set, which is freed after.
double one_load(const std::string& path) {
    QuietStdout quiet;
    const double start = now();
    DataSet set;
    set.read_data(path.c_str());
    const double seconds = now() - start;
    return set.point_count() > 0 ? file_size(path) / 1e6 / seconds : 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median of three loads after one that brings the file into the page cache.
double repeated_rate(const std::string& path) {
    one_load(path);
    return median({one_load(path), one_load(path), one_load(path)});
}

// The median of three first loads, each in a process of its own started afresh
// (a forked one would share the heap of this one, and copy it as it writes).
double first_rate(const std::string& path) {
    std::vector<double> rates;
    for (int run = 0; run < 3; ++run) {
        const std::string command =
            "/proc/" + std::to_string(getpid()) + "/exe " + kFirstLoadOption + " '" + path + "'";
        double rate = 0;
        if (FILE* out = popen(command.c_str(), "r")) {
            if (std::fscanf(out, "%lf", &rate) != 1) rate = 0;
            pclose(out);
        }
        rates.push_back(rate);
    }
    return median(rates);
}

std::string number(double v) {
    char out[32];
    std::snprintf(out, sizeof out, "%.1f", v);
    return out;
}

void ratio_row(const std::string& name, double ours, double ref, double target) {
    const double ratio = ref > 0 ? ours / ref : 0;
    char r[32], t[32];
    std::snprintf(r, sizeof r, "%.2fx", ratio);
    std::snprintf(t, sizeof t, target > 0 ? ">= %.2gx" : "(info)", target);
    write_table_row("load", name, number(ours), number(ref), "MB/s", r, t,
                    target <= 0 || ratio >= target ? "ok" : "MISSED");
}

}  // namespace

int first_load(const char* path) {
    std::printf("%f\n", one_load(path));
    return 0;
}

void write_load_thread_rows(const std::vector<std::pair<std::string, std::string>>& files) {
    const int threads_before = load_threads;
    for (const auto& [label, path] : files) {
        load_threads = 1;
        const double one = repeated_rate(path);
        load_threads = 2;
        const double two = repeated_rate(path);
        ratio_row("Data " + label + " points, 2 threads against 1", two, one,
                  label == "30M" ? 1.7 : 0);
        load_threads = threads_before;
        ratio_row("Data " + label + " points, first load in a fresh process against a repeated one",
                  first_rate(path), repeated_rate(path), 0.9);
    }
    load_threads = threads_before;
}
