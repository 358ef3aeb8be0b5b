#include "data/parallel_columns.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <string>

#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/load_progress.h"
#include "data/load_report.h"
#include "data/memory_limit.h"
#include "data/text_chunks.h"

namespace {

// Where a chunk of the reading pass starts and what it found.
struct ChunkPlace {
    int set = 0;
    std::size_t rows = 0;
    long long line = 0;
};
struct ChunkRead {
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    long long missing = 0, first_missing_line = 0;
    int first_missing_column = 0;
    int end_set = 0;
    std::size_t end_rows = 0;
};

bool allocate_quietly(DataSet& fresh, const std::vector<std::size_t>& lengths) {
    const std::size_t width = lengths.size();
    const std::size_t longest = width == 0 ? 0 : *std::max_element(lengths.begin(), lengths.end());
    if (width > 0x7fffffff || longest > 0x7fffffff ||
        !grid_fits_in_memory(static_cast<unsigned long long>(width) * longest))
        return false;
    try {
        fresh.allocate_grid(static_cast<int>(width), static_cast<int>(longest));
    } catch (...) {
        return false;  // the one-thread reader says so
    }
    return true;
}

// Whether a line of `text` is long enough (two bytes short of `buffer`, the end
// of a line taking up to two) that a buffer of that size could not hold it.
bool has_long_line(const char* p, const char* e, std::size_t buffer) {
    const std::size_t limit = buffer > 2 ? buffer - 2 : 1;
    while (static_cast<std::size_t>(e - p) >= limit) {
        const void* lf = std::memchr(p, '\n', limit);
        if (!lf) lf = std::memchr(p, '\r', limit);
        if (!lf) return true;
        p = static_cast<const char*>(lf) + 1;
    }
    return false;
}

class ParallelColumns {
  public:
    ParallelColumns(const char* name, BlockReader& in)
        : name_(name), in_(in), opening_(in, name, nullptr) {}

    ParallelRead run(DataSet& fresh, ColumnTable& summary, std::vector<std::size_t>& lengths) {
        SilentReports quiet;  // the one-thread reader names any problem
        if (!opening_.read_opening() || !opening_.has_rows()) return ParallelRead::given_up;
        const long long opening_end = in_.offset();
        TextChunks chunks(in_.fd(), opening_end, in_.size(), Cuts::at_line_ends);
        if (!count(chunks)) return outcome();
        lengths = join_sets();
        if (!allocate_quietly(fresh, lengths)) return ParallelRead::given_up;
        BlockReader again;
        if (again.open(name_) != BlockReader::Opened::file || again.size() != in_.size() ||
            again.modified_ns() != in_.modified_ns() || in_.changed_since_open())
            return ParallelRead::given_up;
        ColumnTable first(again, name_, &fresh, &lengths);
        // The opening read again must end where the counted one did: one whose
        // first row waits for more of the file stops before it.
        if (!first.read_opening() || again.offset() != opening_end ||
            first.rows() != opening_.rows())
            return outcome();
        if (!read(chunks, first, fresh, lengths)) return outcome();
        if (!ends_meet(lengths) || in_.changed_since_open() || again.changed_since_open())
            return ParallelRead::given_up;
        summarise(first, summary);
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] < static_cast<std::size_t>(fresh.points_per_set))
                pad_set(fresh, static_cast<int>(s), lengths[s], first.used_ == 4);
        return ParallelRead::loaded;
    }

  private:
    ParallelRead outcome() const {
        return load_cancelled(progress_) ? ParallelRead::cancelled : ParallelRead::given_up;
    }
    void fail() { failed_ = true; }

    // The counting pass: each chunk's rows between its blank lines.
    bool count(const TextChunks& chunks) {
        const std::size_t n = static_cast<std::size_t>(chunks.count());
        segments_.assign(n, {});
        lines_.assign(n, 0);
        run_in_order(chunks.count(), parse_threads(), failed_, [&](long long k) {
            std::string text;
            if (load_cancelled(progress_) || !chunks.read(k, text, 0)) return fail();
            // A quoted cell may hold a line end, which a chunk's edge could cut,
            // and a line the one-thread reader's buffer cannot hold is refused
            // there: such a table is left to that reader.
            if (text.find('"') != std::string::npos ||
                has_long_line(text.data(), text.data() + text.size(), BlockReader::block_size))
                return fail();
            BlockReader part;
            part.use_text(text.data(), text.size());
            SilentReports quiet;
            ColumnTable t(part, opening_, nullptr, nullptr, 0, 0, 0);
            if (!t.read_all()) return fail();
            segments_[k] = std::move(t.segments_);
            lines_[k] = t.line();
            add_load_progress(progress_, static_cast<long long>(text.size()));
        });
        return !failed_;
    }

    // The sets of the whole table, and where each chunk's first row stands.
    std::vector<std::size_t> join_sets() {
        std::vector<std::size_t> sets;
        std::size_t current = opening_.rows();
        long long line = opening_.line();
        places_.assign(segments_.size(), {});
        for (std::size_t k = 0; k < segments_.size(); ++k) {
            places_[k] = {static_cast<int>(sets.size()), current, line};
            line += lines_[k];
            for (std::size_t j = 0; j < segments_[k].size(); ++j) {
                if (j > 0 && current > 0) sets.push_back(current);
                if (j > 0) current = 0;
                current += segments_[k][j];
            }
        }
        if (current > 0) sets.push_back(current);
        return sets;
    }

    // The reading pass: each chunk into the grid from its place on.
    bool read(const TextChunks& chunks, const ColumnTable& first, DataSet& fresh,
              const std::vector<std::size_t>& lengths) {
        reads_.assign(places_.size(), {});
        run_in_order(chunks.count(), parse_threads(), failed_, [&](long long k) {
            std::string text;
            if (load_cancelled(progress_) || !chunks.read(k, text, 0)) return fail();
            BlockReader part;
            part.use_text(text.data(), text.size());
            SilentReports quiet;
            const ChunkPlace& at = places_[k];
            ColumnTable t(part, first, &fresh, &lengths, at.set, at.rows, at.line);
            if (!t.read_all()) return fail();
            ChunkRead& r = reads_[k];
            std::copy(t.lo_, t.lo_ + 3, r.lo);
            std::copy(t.hi_, t.hi_ + 3, r.hi);
            r.missing = t.missing_;
            r.first_missing_line = t.first_missing_line_;
            r.first_missing_column = t.first_missing_column_;
            r.end_set = t.set();
            r.end_rows = t.rows();
            add_load_progress(progress_, static_cast<long long>(text.size()));
        });
        return !failed_;
    }

    // Each chunk ended where the next begins, the last at the table's end: the
    // file read the same in both passes.
    bool ends_meet(const std::vector<std::size_t>& lengths) const {
        for (std::size_t k = 0; k + 1 < reads_.size(); ++k) {
            const ChunkPlace& next = places_[k + 1];
            if (reads_[k].end_set != next.set || reads_[k].end_rows != next.rows) return false;
        }
        const ChunkRead& last = reads_.back();
        const bool at_end = static_cast<std::size_t>(last.end_set) == lengths.size() ||
                            (static_cast<std::size_t>(last.end_set) + 1 == lengths.size() &&
                             last.end_rows == lengths.back());
        return at_end;
    }

    void summarise(const ColumnTable& first, ColumnTable& s) const {
        s.used_ = first.used_;
        for (int a = 0; a < 3; ++a) {
            s.axis_names_[a] = first.axis_names_[a];
            s.lo_[a] = first.lo_[a];
            s.hi_[a] = first.hi_[a];
        }
        s.skipped_index_ = first.skipped_index_;
        s.index_skipped_ = first.index_skipped_;
        s.missing_ = first.missing_;
        s.first_missing_line_ = first.first_missing_line_;
        s.first_missing_column_ = first.first_missing_column_;
        for (const ChunkRead& r : reads_) {
            for (int a = 0; a < 3; ++a) {
                s.lo_[a] = std::fmin(s.lo_[a], r.lo[a]);
                s.hi_[a] = std::fmax(s.hi_[a], r.hi[a]);
            }
            if (s.missing_ == 0 && r.missing > 0) {
                s.first_missing_line_ = r.first_missing_line;
                s.first_missing_column_ = r.first_missing_column;
            }
            s.missing_ += r.missing;
        }
    }

    const char* name_;
    BlockReader& in_;
    ColumnTable opening_;
    LoadProgress* progress_ = load_progress();
    std::atomic<bool> failed_{false};
    std::vector<std::vector<std::size_t>> segments_;
    std::vector<long long> lines_;
    std::vector<ChunkPlace> places_;
    std::vector<ChunkRead> reads_;
};

}  // namespace

ParallelRead read_columns_in_parallel(const char* name, BlockReader& in, DataSet& fresh,
                                      ColumnTable& summary, std::vector<std::size_t>& lengths) {
    return ParallelColumns(name, in).run(fresh, summary, lengths);
}
