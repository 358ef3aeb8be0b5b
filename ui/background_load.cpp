#include "ui/background_load.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

bool background_loads = false;

namespace {
// The load on the worker, the thread that runs it, and whether it is done.
struct Running {
    std::unique_ptr<FileLoad> load;
    LoadDone done = nullptr;
    std::thread worker;
    std::mutex mutex;
    std::condition_variable finished;
    bool is_done = false;
    std::chrono::steady_clock::time_point started;
};
Running running;

bool wait_done(double seconds) {
    std::unique_lock<std::mutex> lock(running.mutex);
    return running.finished.wait_for(lock, std::chrono::duration<double>(seconds),
                                     [] { return running.is_done; });
}

void finish() {
    running.worker.join();
    std::unique_ptr<FileLoad> load = std::move(running.load);
    running.is_done = false;
    running.done(*load);
}

// At exit a load still reading is stopped and waited for, so that the worker
// never outlives the data it reads into.
void stop_at_exit() {
    if (!running.load) return;
    running.load->progress.cancel = true;
    running.worker.join();
}
}  // namespace

void start_file_load(std::unique_ptr<FileLoad> load, LoadDone done) {
    if (running.load) {
        cancel_file_load();
        wait_for_file_load(1e9, nullptr);
    }
    if (!background_loads) {
        load->run();
        done(*load);
        return;
    }
    static const bool stops_at_exit = std::atexit(stop_at_exit) == 0;
    (void)stops_at_exit;
    running.load = std::move(load);
    running.done = done;
    running.is_done = false;
    running.started = std::chrono::steady_clock::now();
    running.worker = std::thread([load = running.load.get()] {
        load->run();
        std::lock_guard<std::mutex> lock(running.mutex);
        running.is_done = true;
        running.finished.notify_all();
    });
    if (wait_done(kLoadWaitSeconds)) finish();
}

bool finish_done_load() {
    if (!running.load || !wait_done(0)) return false;
    finish();
    return true;
}

const FileLoad* running_load() {
    return running.load.get();
}

bool running_load_done() {
    return running.load && wait_done(0);
}

double running_load_seconds() {
    if (!running.load) return 0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - running.started)
        .count();
}

void cancel_file_load() {
    if (running.load) running.load->progress.cancel = true;
}

void wait_for_file_load(double every, void (*report)(const FileLoad& load)) {
    if (!running.load) return;
    while (!wait_done(every))
        if (report) report(*running.load);
    finish();
}
