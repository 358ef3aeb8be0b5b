// The Columns reader: the tables scientists export (data/column_table.h), read in
// two passes so that the points go straight into a grid of the right size and no
// copy of them is ever held: the first only counts the rows of each set, the
// second reads them. Sets of unequal length are padded with their own last point.

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "core/console.h"
#include "core/status_line.h"
#include "data/block_reader.h"
#include "data/column_table.h"
#include "data/data_set.h"
#include "data/format_hints.h"
#include "data/formats.h"
#include "data/load_report.h"
#include "data/memory_limit.h"
#include "data/parallel_columns.h"
#include "data/text_chunks.h"

namespace {

// The grid for the sets counted: as many sets, each as long as the longest.
bool allocate(DataSet& fresh, const std::vector<std::size_t>& lengths, const char* name) {
    const std::size_t width = lengths.size();
    const std::size_t longest = width == 0 ? 0 : *std::max_element(lengths.begin(), lengths.end());
    try {
        if (width > 0x7fffffff || longest > 0x7fffffff ||
            !grid_fits_in_memory(static_cast<unsigned long long>(width) * longest))
            throw std::bad_alloc();
        fresh.allocate_grid(static_cast<int>(width), static_cast<int>(longest));
    } catch (const std::bad_alloc&) {
        report_not_loaded(name, "not enough memory for %zu sets of %zu points", width, longest);
        return false;
    }
    return true;
}

}  // namespace

void DataSet::read_columns(const char* name) {
    console_print("\nfilename = %s\n", name);
    BlockReader in;
    if (!open_or_report(in, name)) return;
    const RefusalHint hint(file_format(kColumnsFormat)->refusal_hint);
    DataSet fresh;
    BlockReader again;
    // A large table on every core; what that read leaves to one thread, one reads.
    ParallelRead parallel = ParallelRead::given_up;
    ColumnTable count(in, name, nullptr), read(again, name, &fresh, &count.lengths_);
    if (parse_threads() > 1 && in.size() >= parallel_load_bytes) {
        parallel = read_columns_in_parallel(name, in, fresh, read, count.lengths_);
        if (parallel == ParallelRead::cancelled) {
            report_not_loaded(name, "the load was cancelled");
            return;
        }
        if (parallel == ParallelRead::given_up && !open_or_report(in, name)) return;
    }
    if (parallel != ParallelRead::loaded) {
        count.lengths_.clear();
        if (!count.read_all() || !allocate(fresh, count.lengths_, name)) return;
        if (!open_or_report(again, name)) return;
        // A file rewritten between the passes (growing or shrinking) is refused.
        if (again.size() != in.size() || again.modified_ns() != in.modified_ns() ||
            in.changed_since_open()) {
            report_not_loaded(name, "the file changed while it was read");
            return;
        }
        if (!read.read_all()) return;
    }
    console_print("width = %d points per set = %d\n", fresh.width, fresh.points_per_set);

    // No point with all its coordinates: an empty picture, its box the origin.
    const bool empty = fresh.point_count() == 0 || read.lo_[0] > read.hi_[0];
    std::vector<std::string> said;  // what the status line says, in turn
    if (empty) said.push_back(no_points_status(name));
    const std::size_t shortest =
        fresh.point_count() == 0 ? 0
                                 : *std::min_element(count.lengths_.begin(), count.lengths_.end());
    if (shortest < static_cast<std::size_t>(fresh.points_per_set)) {
        said.push_back(std::string(name) + ": sets of " + std::to_string(shortest) + " to " +
                       std::to_string(fresh.points_per_set) +
                       " points; shorter sets repeat their last point");
    }
    if (read.missing_ > 0) {
        said.push_back(std::string(name) + ": " + std::to_string(read.missing_) + " missing value" +
                       (read.missing_ == 1 ? "" : "s") + " left as gaps (first: line " +
                       std::to_string(read.first_missing_line_) + ", column " +
                       std::to_string(read.first_missing_column_) + ")");
    }
    if (read.skipped_index_) {
        said.push_back(std::string(name) + ": column 1 (\"" + read.index_skipped_ +
                       "\") numbers the rows; x, y and z are the next columns");
    }
    std::string status;
    for (std::size_t k = 0; k < said.size(); ++k) {
        if (k > 0 || !empty) console_print("%s\n", said[k].c_str());
        status += (k > 0 ? "; " : "") + said[k];
    }
    for (int a = 0; a < 3; ++a) {
        fresh.min[a] = empty ? 0 : read.lo_[a];
        fresh.max[a] = empty ? 0 : read.hi_[a];
        fresh.axis_names[a] = read.axis_names_[a];
    }
    fresh.filename = name;
    fresh.kind = kColumns;
    fresh.has_values = read.used_ == 4;
    fresh.normalize_bounds(kDataTranslationFormat);
    take_grid_from(fresh);
    set_status_line(status);
}
