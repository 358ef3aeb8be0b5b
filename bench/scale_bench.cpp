// Zendral at ten and thirty million points beside one million, in one process:
// loading speed (MB/s, and 30M against 1M), peak memory of a load (in a process
// of its own each), the full frame ("Points ", 800 x 600, "MonoView ", drawn from
// its recordings) per point against 1M, the reduced picture of an interaction at
// 10M (points kept, time), how long input waits while a full picture of 30M
// points is drawn in pieces (the longest piece of drawing between two turns of
// the event loop, plus the reduced frame that answers it), the same for 10M
// points in "Line Sets:Joined ", and how long the window waits during a load of
// 30M points on the worker. Needs a display.
//
// Usage: bench_scale  (inputs in $ZENDRAL_BENCH_DATA, written when missing)

#include <GL/freeglut.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/interaction.h"
#include "app/viewer.h"
#include "bench/bench_window.h"
#include "bench/generate.h"
#include "bench/quiet_stdout.h"
#include "bench/table.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "data/memory_limit.h"
#include "render/draw_cache.h"
#include "render/reduced_picture.h"
#include "ui/background_load.h"
#include "ui/file_load.h"

namespace {

std::string text(const char* format, double value) {
    char out[64];
    std::snprintf(out, sizeof out, format, value);
    return out;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void load(const std::string& path) {
    QuietStdout quiet;
    data_set.read_data(path.c_str());
}

// MB/s of the "Data" reader, the median of three loads after one that brings the
// file into the page cache.
double load_rate(const std::string& path) {
    load(path);
    std::vector<double> rates;
    for (int run = 0; run < 3; ++run) {
        const double start = seconds_now();
        load(path);
        rates.push_back(file_size(path) / 1e6 / (seconds_now() - start));
    }
    return median(rates);
}

// In a process of its own that starts without a grid, as the viewer's first load.
long peak_rise_kib(const std::string& path) {
    data_set.allocate_grid(0, 0);
    return_free_memory();
    int fds[2];
    if (pipe(fds) != 0) return -1;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        long pages = 0, resident = 0;
        FILE* f = std::fopen("/proc/self/statm", "r");
        if (f && std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        if (f) std::fclose(f);
        load(path);
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        const long rise = usage.ru_maxrss - resident * (sysconf(_SC_PAGESIZE) / 1024);
        if (write(fds[1], &rise, sizeof rise) != sizeof rise) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    long rise = -1;
    if (read(fds[0], &rise, sizeof rise) != sizeof rise) rise = -1;
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return rise;
}

// One full frame as the viewer shows it, a piece at a time; the longest time
// between two returns to the event loop is kept in `longest_piece`.
double full_frame(double* longest_piece = nullptr) {
    const double start = seconds_now();
    double last = start;
    display();
    double longest = seconds_now() - last;
    while (frame_in_progress()) {
        last = seconds_now();
        show_frame_pieces();
        longest = std::max(longest, seconds_now() - last);
    }
    glFinish();
    if (longest_piece) *longest_piece = longest;
    return seconds_now() - start;
}

// The full frame of `path` in "Points ": recorded first, then the median of three.
double frame_seconds(const std::string& path, double* longest_piece = nullptr) {
    load(path);
    display_mode = kPoints;
    interacting = 0;
    full_frame();  // records the picture
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) times.push_back(full_frame(longest_piece));
    return median(times);
}

void row(const std::string& section, const std::string& name, const std::string& ours,
         const std::string& ref, const std::string& unit, const std::string& ratio,
         const std::string& target, bool met) {
    write_table_row(section, name, ours, ref, unit, ratio, target, met ? "ok" : "MISSED");
}

}  // namespace

int main() {
    const char* dir_env = std::getenv("ZENDRAL_BENCH_DATA");
    const std::string dir = dir_env && *dir_env ? dir_env : "bench-data";
    BenchInputs small;
    LargeInputs large;
    if (!ensure_bench_inputs(dir, small) || !ensure_large_inputs(dir, large)) {
        std::fprintf(stderr, "cannot write the benchmark inputs in %s\n", dir.c_str());
        return 1;
    }
    const std::vector<std::pair<const char*, std::string>> sizes = {
        {"1M", small.data}, {"10M", large.points_10m}, {"30M", large.points_30m}};

    // Loading, and peak memory against the grid arrays (28 bytes a point).
    std::vector<double> rates;
    for (const auto& [label, path] : sizes) {
        rates.push_back(load_rate(path));
        row("scale", std::string("load, Data ") + label + " points", text("%.1f", rates.back()),
            "-", "MB/s", "-", "(info)", true);
        const double grid = data_set.point_count() * 28.0 / 1024;
        const long rise = peak_rise_kib(path);
        row("scale", std::string("memory, Data ") + label + " points, peak rise / grid",
            text("%.1f", rise / 1024.0), text("%.1f", grid / 1024), "MiB",
            text("%.2fx", rise / grid), "<= 1.5x grid", rise > 0 && rise <= 1.5 * grid);
    }
    const double load_ratio = rates[2] / rates[0];
    row("scale", "load, 30M against 1M points", text("%.1f", rates[2]), text("%.1f", rates[0]),
        "MB/s", text("%.2fx", load_ratio), ">= 0.9x", load_ratio >= 0.9);

    open_bench_window();
    set_draw_cache(true);
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    // Full frames, per point against a million.
    std::vector<double> per_point;
    double longest_piece = 0;
    for (std::size_t s = 0; s < sizes.size(); ++s) {
        const double t = frame_seconds(sizes[s].second, s == 2 ? &longest_piece : nullptr);
        per_point.push_back(t / data_set.point_count());
        row("scale", std::string("full frame, Points ") + sizes[s].first + " points",
            text("%.3f", t), "-", "s", "-", "(info)", true);
    }
    const double cost_ratio = per_point[2] / per_point[0];
    row("scale", "full frame per point, 30M against 1M", text("%.3g", per_point[2] * 1e9),
        text("%.3g", per_point[0] * 1e9), "ns", text("%.2fx", cost_ratio), "<= 1.3x",
        cost_ratio <= 1.3);

    // Input during a full draw of 30M points (just measured): the longest piece,
    // then the reduced frame that answers it, its picture made ready by the idle
    // callback after the full frame before.
    prepare_reduced_picture();
    interacting = 1;
    const double reduced_30m = full_frame();
    interacting = 0;
    const double answer = longest_piece + reduced_30m;
    row("scale", "input answered during a full draw, 30M points", text("%.3f", answer), "-", "s",
        "-", "<= 0.2 s", answer <= 0.2);

    // The reduced picture of an interaction at 10M points.
    frame_seconds(large.points_10m);
    interacting = 1;
    full_frame();  // records the reduced picture
    std::vector<double> reduced;
    for (int run = 0; run < 3; ++run) reduced.push_back(full_frame());
    interacting = 0;
    const int step = reduced_grid_step();
    const double kept = static_cast<double>((data_set.width + step - 1) / step) *
                        ((data_set.points_per_set + step - 1) / step);
    const double t = median(reduced);
    row("scale", "reduced frame, Points 10M points (step " + std::to_string(step) + ")",
        text("%.0f", kept), text("%.3f", t), "points", "-",
        ">= 100000 points in " + text("%.2f", frame_budget) + " s",
        kept >= 100000 && t <= frame_budget);

    // Input during an interaction with 10M points in "Line Sets:Joined ": the
    // full picture drawn in pieces for a while (its cost estimated from them),
    // then the reduced frame that answers the input, its lines recorded first.
    display_mode = kJoined;
    interacting = 0;
    full_frame_seconds = recorded_frame_seconds = 0;
    double longest_tube_piece = 0;
    display();
    const double pieces_until = seconds_now() + 3;
    while (frame_in_progress() && seconds_now() < pieces_until) {
        const double before = seconds_now();
        show_frame_pieces();
        longest_tube_piece = std::max(longest_tube_piece, seconds_now() - before);
    }
    interacting = 1;
    const double first_reduced = full_frame();
    std::vector<double> tube_frames;
    for (int run = 0; run < 3; ++run) tube_frames.push_back(full_frame());
    interacting = 0;
    const double tube_answer = longest_tube_piece + first_reduced;
    row("scale",
        "input answered during an interaction, Line Sets:Joined 10M points (step " +
            std::to_string(reduced_tube_step()) + ", then " + text("%.3f", median(tube_frames)) +
            " s a frame)",
        text("%.3f", tube_answer), "-", "s", "-", "<= 0.2 s", tube_answer <= 0.2);

    // The window during a load of 30M points on the worker: how long the event
    // loop is away, the wait for the load to start, then the longest piece of the
    // picture before it (1M points, "Points ") drawn over and over meanwhile.
    frame_seconds(small.data);
    background_loads = true;
    double longest_piece_meanwhile = 0;
    const double load_start = seconds_now();
    start_file_load(make_file_load(0, large.points_30m, large.points_30m, false),
                    [](FileLoad& done) { data_set.take_grid_from(done.fresh); });
    const double load_returned = seconds_now() - load_start;
    while (running_load()) {
        double piece = 0;
        full_frame(&piece);
        longest_piece_meanwhile = std::max(longest_piece_meanwhile, piece);
        finish_done_load();
    }
    const double load_seconds = seconds_now() - load_start;
    background_loads = false;
    const double window_answer = std::max(load_returned, longest_piece_meanwhile);
    row("scale",
        "window answers during a load, 30M points (loaded in " + text("%.1f", load_seconds) + " s)",
        text("%.3f", window_answer), "-", "s", "-", "<= 0.2 s", window_answer <= 0.2);
    set_draw_cache(false);
    return 0;
}
