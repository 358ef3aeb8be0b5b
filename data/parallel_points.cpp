#include "data/parallel_points.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/decimal.h"
#include "data/load_progress.h"
#include "data/text_chunks.h"

namespace {

constexpr long long kUnknown = -1;  // a chunk's first value, not yet known
constexpr long long kFailed = -2;   // a chunk before it gave up

// Words (runs of non-blanks) in [p, e); a word starts where a blank precedes a
// non-blank, which the compiler counts many bytes at a time.
long long count_words(const char* p, const char* e) {
    if (p == e) return 0;
    long long words = !is_blank(*p);
    const std::size_t n = static_cast<std::size_t>(e - p);
    for (std::size_t i = 1; i < n; ++i) words += is_blank(p[i - 1]) & !is_blank(p[i]);
    return words;
}

// What one chunk found: the bounds of its coordinates, the words after the
// last point.
struct ChunkResult {
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    RestOfFile rest;
};

class ParallelPoints {
  public:
    ParallelPoints(BlockReader& in, int values, DataSet& grid)
        : chunks_(in.fd(), in.offset(), in.size(), Cuts::at_blanks),
          values_(values),
          grid_(grid),
          needed_(static_cast<long long>(grid.point_count()) * values),
          starts_(static_cast<std::size_t>(chunks_.count()) + 1),
          results_(static_cast<std::size_t>(chunks_.count())) {
        for (auto& s : starts_) s.store(kUnknown);
        starts_[0].store(0);
    }

    ParallelRead run() {
        run_in_order(chunks_.count(), parse_threads(), stop_, [this](long long k) { chunk(k); });
        if (load_cancelled(progress_)) return ParallelRead::cancelled;
        if (given_up_ || starts_.back().load() < needed_) return ParallelRead::given_up;
        return ParallelRead::loaded;
    }

    // The bounds and the rest of all chunks together.
    void merge(RestOfFile& rest) {
        double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
        for (const ChunkResult& r : results_) {
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::fmin(lo[a], r.lo[a]);
                hi[a] = std::fmax(hi[a], r.hi[a]);
            }
            rest.numbers += r.rest.numbers;
            rest.words += r.rest.words;
        }
        grid_.min = Vector3(lo[0], lo[1], lo[2]);
        grid_.max = Vector3(hi[0], hi[1], hi[2]);
    }

  private:
    void chunk(long long k) {
        std::string text;
        bool ok = false;
        long long words = 0;
        try {
            ok = chunks_.read(k, text, kDecimalAhead);
            if (ok) words = count_words(text.data(), text.data() + text.size() - kDecimalAhead);
        } catch (...) {  // no memory for the chunk: the one-thread reader needs none
            ok = false;
        }
        std::atomic<long long>& mine = starts_[static_cast<std::size_t>(k)];
        long long start = mine.load();
        while (start == kUnknown) {
            mine.wait(kUnknown);
            start = mine.load();
        }
        std::atomic<long long>& next = starts_[static_cast<std::size_t>(k) + 1];
        ok = ok && start >= 0 && !load_cancelled(progress_);
        next.store(ok ? start + words : kFailed);
        next.notify_all();
        if (ok) ok = convert(text, start, results_[static_cast<std::size_t>(k)]);
        if (!ok) {
            given_up_ = true;
            stop_ = true;
        }
        if (ok) add_load_progress(progress_, static_cast<long long>(text.size() - kDecimalAhead));
    }

    // The numbers of one chunk, its first the value `index` of the file.
    bool convert(const std::string& text, long long index, ChunkResult& r) {
        const char* p = text.data();
        const char* const e = p + text.size() - kDecimalAhead;
        const std::size_t width = static_cast<std::size_t>(grid_.width);
        const long long count = grid_.points_per_set;
        // Where value `index` goes, followed from value to value without division:
        // point i of set s is element i * width + s.
        const long long first_point = std::min(index, needed_) / values_;
        int value = static_cast<int>(std::min(index, needed_) % values_);
        long long i = count > 0 ? first_point % count : 0;
        std::size_t s = count > 0 ? static_cast<std::size_t>(first_point / count) : 0;
        std::size_t at = static_cast<std::size_t>(i) * width + s;
        // A word ends at a blank or the chunk's end; one the one-thread reader's
        // buffer cannot hold is its to name.
        const auto whole = [&](const char* from, const DecimalScan& scan) {
            return scan.status == DecimalStatus::ok && (scan.end == e || is_blank(*scan.end)) &&
                   static_cast<std::size_t>(scan.end - from) < BlockReader::block_size;
        };
        for (;;) {
            while (p < e && is_blank(*p)) ++p;
            if (p == e) return true;
            if (index >= needed_) {
                const char* t = p;
                while (t < e && !is_blank(*t)) ++t;
                double v;
                const DecimalScan scan = scan_decimal(p, t, v);
                const bool number = static_cast<std::size_t>(t - p) < BlockReader::block_size &&
                                    scan.status == DecimalStatus::ok && scan.end == t &&
                                    std::fabs(v) <= FLT_MAX;
                ++(number ? r.rest.numbers : r.rest.words);
                p = t;
            } else {
                if (value < 3) {
                    double v;
                    const DecimalScan scan = scan_decimal_ahead(p, e, v);
                    if (!whole(p, scan)) return false;
                    grid_.points[at][value] = v;
                    if (r.lo[value] > v) r.lo[value] = v;
                    if (r.hi[value] < v) r.hi[value] = v;
                    p = scan.end;
                } else {
                    float v;
                    const DecimalScan scan = scan_decimal(p, e, v);
                    if (!whole(p, scan)) return false;
                    grid_.color_values[at] = v;
                    p = scan.end;
                }
                if (++value == values_) {
                    value = 0;
                    at += width;
                    if (++i == count) {
                        i = 0;
                        at = ++s;
                    }
                }
            }
            ++index;
        }
    }

    TextChunks chunks_;
    int values_;
    DataSet& grid_;
    long long needed_;
    std::vector<std::atomic<long long>> starts_;  // the first value of each chunk
    std::vector<ChunkResult> results_;
    LoadProgress* progress_ = load_progress();  // the loading thread's, for every helper
    std::atomic<bool> stop_{false};
    std::atomic<bool> given_up_{false};
};

}  // namespace

ParallelRead read_points_in_parallel(BlockReader& in, int values, DataSet& grid, RestOfFile& rest) {
    ParallelPoints read(in, values, grid);
    const ParallelRead outcome = read.run();
    if (outcome != ParallelRead::loaded) return outcome;
    if (in.changed_since_open()) return ParallelRead::given_up;
    read.merge(rest);
    for (int a = 0; a < 3; ++a)
        if (grid.min[a] < -FLT_MAX || grid.max[a] > FLT_MAX) return ParallelRead::given_up;
    return ParallelRead::loaded;
}
