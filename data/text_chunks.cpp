#include "data/text_chunks.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>
#include <vector>

#include "data/decimal.h"

int load_threads = 0;
long long parallel_load_bytes = kDefaultParallelLoadBytes;
long long load_chunk_bytes = kDefaultLoadChunkBytes;

int parse_threads() {
    if (load_threads > 0) return load_threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? static_cast<int>(cores) : 1;
}

TextChunks::TextChunks(int fd, long long from, long long size, Cuts cuts)
    : fd_(fd), from_(from), size_(size), step_(std::max(1ll, load_chunk_bytes)), cuts_(cuts) {
    count_ = std::max(1ll, (size_ - from_ + step_ - 1) / step_);
}

bool TextChunks::read_bytes(long long at, std::size_t n, char* out) const {
    while (n > 0) {
        const ssize_t got = ::pread(fd_, out, n, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;  // an error, or the file is shorter now
        out += got;
        at += got;
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

bool TextChunks::cut_at_or_after(long long at, long long& cut) const {
    if (at <= from_ || at >= size_) {
        cut = std::clamp(at, from_, size_);
        return true;
    }
    // From the byte before `at` on, a window at a time, until a line has ended.
    std::string window;
    long long start = at - 1;
    for (std::size_t want = 4096;; want *= 2) {
        const std::size_t n = static_cast<std::size_t>(std::min<long long>(want, size_ - start));
        window.resize(n);
        if (!read_bytes(start, n, window.data())) return false;
        for (std::size_t j = 0; j < n; ++j) {
            const char c = window[j];
            const long long after = start + static_cast<long long>(j) + 1;
            if (cuts_ == Cuts::at_blanks) {
                if (!is_blank(c)) continue;
                cut = after;
                return true;
            }
            if (c == '\n' || (c == '\r' && after == size_)) {
                cut = after;
                return true;
            }
            if (c == '\r') {
                if (j + 1 == n) break;  // the next byte decides: read on from here
                if (window[j + 1] != '\n') {
                    cut = after;
                    return true;
                }
            }
        }
        if (start + static_cast<long long>(n) >= size_) {
            cut = size_;
            return true;
        }
        if (start + static_cast<long long>(n) - at > kLongestCutSearch) return false;
        // Read on, keeping a CR at the end for the byte after it.
        const bool cr_last = window.back() == '\r';
        start += static_cast<long long>(n) - (cr_last ? 1 : 0);
    }
}

bool TextChunks::read(long long k, std::string& text, std::size_t pad) const {
    long long start = from_, end = size_;
    if (k > 0 && !cut_at_or_after(from_ + k * step_, start)) return false;
    if (k + 1 < count_ && !cut_at_or_after(from_ + (k + 1) * step_, end)) return false;
    const std::size_t n = end > start ? static_cast<std::size_t>(end - start) : 0;
    text.assign(n + pad, ' ');
    return n == 0 || read_bytes(start, n, text.data());
}

void run_in_order(long long count, int threads, const std::atomic<bool>& stop,
                  const std::function<void(long long)>& work) {
    std::atomic<long long> next{0};
    const auto worker = [&] {
        for (;;) {
            if (stop.load(std::memory_order_relaxed)) return;
            const long long k = next.fetch_add(1);
            if (k >= count) return;
            work(k);
        }
    };
    const int helpers = static_cast<int>(std::min<long long>(threads, count)) - 1;
    std::vector<std::thread> pool;
    for (int t = 0; t < helpers; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool) t.join();
}
