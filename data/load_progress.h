#pragma once
// How far the load running on this thread has come, and whether it is to stop:
// the file's bytes read so far, for a progress bar, and a request to cancel,
// which the readers meet as a read error at their next block (data/block_reader.h)
// or chunk (data/parallel_points.h). A load without one (the default) neither
// counts nor stops.

#include <atomic>

struct LoadProgress {
    std::atomic<long long> bytes{0};  // read so far
    std::atomic<bool> cancel{false};
};

// The progress the loads on this thread report to; null for none.
void report_load_progress_to(LoadProgress* progress);
LoadProgress* load_progress();

// Adds `bytes` read to `progress` (if any); whether it was asked to cancel.
inline void add_load_progress(LoadProgress* progress, long long bytes) {
    if (progress) progress->bytes.fetch_add(bytes, std::memory_order_relaxed);
}
inline bool load_cancelled(const LoadProgress* progress) {
    return progress && progress->cancel.load(std::memory_order_relaxed);
}
