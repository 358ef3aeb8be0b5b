// The Maple reader: a surface z(x, y) sampled on a regular grid, written as
// PLOT3D(GRID(xmin .. xmax,ymin .. ymax,Array(x1..x2,y1..y2,[[z,z,...],[...]]),...)
// or with "Matrix(" in place of "Array(", over lines that may end in a backslash.

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "core/console.h"
#include "core/status_line.h"
#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/format_hints.h"
#include "data/formats.h"
#include "data/load_report.h"
#include "data/load_settings.h"
#include "data/maple_header.h"
#include "data/maple_text.h"
#include "data/memory_limit.h"

namespace {

// Spacing between neighbouring indices; a range with a single index has none.
double spacing(double low, double high, long long first, long long last) {
    return last == first ? 0.0 : (high - low) / static_cast<double>(last - first);
}

// One load of a Maple file, step by step. Every step that refuses the file says
// why (refuse) and returns false; the data set is only touched by the last.
class MapleLoad {
  public:
    MapleLoad(const char* name, BlockReader& in) : name_(name), in_(in), chunks_(in) {}

    // The first line: read, printed in verbose mode, and parsed.
    bool read_header();
    // The grid the header promises: sizes, spacings and ranges that can be drawn.
    bool check_grid();
    bool allocate();
    // The values up to the closing "]]", into the fresh grid.
    bool read_values();
    // Every value was there and within range: the fresh grid takes the data set's place.
    bool finish(DataSet& target);

  private:
    // Ends the line the verbose print of the first chunk left open, then reports
    // the refusal. Always false.
    template <typename... Args>
    bool refuse(const char* problem_format, Args... args) {
        if (line_open_) console_print("\n");
        line_open_ = false;
        if constexpr (sizeof...(args) == 0)
            report_not_loaded(name_, "%s", problem_format);
        else
            report_not_loaded(name_, problem_format, args...);
        return false;
    }
    bool refuse_value_beyond_range();

    const char* name_;
    BlockReader& in_;
    MapleChunks chunks_;
    bool line_open_ = false;
    std::string_view header_chunk_;
    MapleHeader header_;
    long long nx_ = 0, ny_ = 0;  // indices in x and in y
    double dx_ = 0, dy_ = 0;
    DataSet fresh_;
    std::unique_ptr<MapleValues> values_;
};

bool MapleLoad::read_header() {
    std::string_view chunk = chunks_.next();
    if (chunk.empty()) {
        if (in_.error()) return refuse("%s", read_error_problem(in_.error()).c_str());
        return refuse("the file is empty");
    }
    // The verbose print of the first chunk leaves its line open; a refusal starts a
    // line of its own.
    if (load_settings().verbose) {
        const std::size_t matrix = chunk.find("Matrix");
        console_print("%.*s \n%d", static_cast<int>(chunk.size()), chunk.data(),
                      matrix == std::string_view::npos ? -1 : static_cast<int>(matrix));
        line_open_ = true;
    }
    header_chunk_ = cut_at_backslash(chunk);
    header_ = parse_maple_header(header_chunk_);
    if (header_.form == MapleHeader::kNone) {
        console_print("Problem with maple file");
        line_open_ = true;
        return refuse("%s", header_.problem.c_str());
    }
    if (header_.form == MapleHeader::kMatrix && header_.ranges_read) {
        console_print("min max = %lf %lf %lf %lf\n", header_.x_min, header_.x_max, header_.y_min,
                      header_.y_max);
        line_open_ = false;
    }
    if (!header_.problem.empty()) return refuse("%s", header_.problem.c_str());
    return true;
}

bool MapleLoad::check_grid() {
    // Sets run along x, one per y index: width = number of y indices.
    nx_ = static_cast<long long>(header_.x2) - header_.x1 + 1;
    ny_ = static_cast<long long>(header_.y2) - header_.y1 + 1;
    if (nx_ < 0 || ny_ < 0)
        return refuse("the index ranges give a negative count (%lld x %lld)", nx_, ny_);
    // Every value takes at least two characters, a digit and a separator.
    const unsigned long long values =
        static_cast<unsigned long long>(nx_) * static_cast<unsigned long long>(ny_);
    const auto file_bytes = static_cast<unsigned long long>(in_.size());
    if (nx_ > INT_MAX || ny_ > INT_MAX || values > file_bytes / 2) {
        return refuse(
            "the index ranges promise %lld x %lld values, more than a file of %lld bytes "
            "can hold",
            nx_, ny_, in_.size());
    }
    dx_ = spacing(header_.x_min, header_.x_max, header_.x1, header_.x2);
    dy_ = spacing(header_.y_min, header_.y_max, header_.y1, header_.y2);
    // x and y grow steadily with the index, so the far corner bounds them all.
    const double x_far = header_.x_min + static_cast<double>(nx_ > 0 ? nx_ - 1 : 0) * dx_;
    const double y_far = header_.y_min + static_cast<double>(ny_ > 0 ? ny_ - 1 : 0) * dy_;
    if (!std::isfinite(x_far) || !std::isfinite(y_far))
        return refuse("the ranges are too wide for finite grid coordinates");
    // GL draws in single precision; x and y grow steadily, so the ends bound them.
    for (const double end : {header_.x_min, x_far, header_.y_min, y_far}) {
        if (std::fabs(end) > FLT_MAX)
            return refuse("the ranges reach %g, beyond the single-precision range", end);
    }
    return true;
}

bool MapleLoad::allocate() {
    const unsigned long long values =
        static_cast<unsigned long long>(nx_) * static_cast<unsigned long long>(ny_);
    if (!grid_fits_in_memory(values))
        return refuse("not enough memory for %lld x %lld values", nx_, ny_);
    try {
        // A grid without points is kept as 0 x 0, like the Data readers keep it.
        if (values == 0)
            fresh_.allocate_grid(0, 0);
        else
            fresh_.allocate_grid(static_cast<int>(ny_), static_cast<int>(nx_));
    } catch (const std::bad_alloc&) {
        return refuse("not enough memory for %lld x %lld values", nx_, ny_);
    }
    values_ = std::make_unique<MapleValues>(fresh_, header_.x_min, dx_, header_.y_min, dy_);
    return true;
}

// GL draws in single precision. The values are tested once they are read, or
// before a later problem is named: the first value beyond the range, in file
// order, refuses the file.
bool MapleLoad::refuse_value_beyond_range() {
    if (values_->z_min() >= -FLT_MAX && values_->z_max() <= FLT_MAX) return false;
    const long long stored =
        std::min(values_->count(), static_cast<long long>(fresh_.point_count()));
    for (long long k = 0; k < stored; ++k) {
        const double z = fresh_.point_at(static_cast<std::size_t>(k)).z();
        if (std::fabs(z) > FLT_MAX) {
            refuse("value %lld, %g, is beyond the single-precision range", k + 1, z);
            return true;
        }
    }
    return false;
}

bool MapleLoad::read_values() {
    std::string_view text = header_chunk_.substr(header_.values_start);
    std::size_t close = text.find("]]");
    bool good = values_->feed(text.substr(0, close));
    // The closing "]]" may also be split by a chunk boundary or a backslash cut.
    char last = text.empty() ? '[' : text.back();
    while (good && close == std::string_view::npos) {
        if (!chunks_.next_cut(text, close)) {
            if (refuse_value_beyond_range()) return false;
            if (in_.error()) return refuse("%s", read_error_problem(in_.error()).c_str());
            return refuse("the file ends before the closing \"]]\" (%lld values read)",
                          values_->count());
        }
        if (last == ']' && !text.empty() && text.front() == ']') break;
        good = values_->feed(text.substr(0, close), chunks_.readable_end());
        if (!text.empty()) last = text.back();
    }
    if (good) good = values_->finish();
    if (refuse_value_beyond_range()) return false;
    if (!good) return refuse("%s", values_->problem().c_str());
    return true;
}

bool MapleLoad::finish(DataSet& target) {
    const long long count = values_->count();
    if (count != nx_ * ny_) {
        return refuse("the index ranges give %lld x %lld = %lld values, the file holds %lld", nx_,
                      ny_, nx_ * ny_, count);
    }
    // x and y bounds are the ranges as written, z comes from the values.
    const bool empty = count == 0;
    fresh_.min = Vector3(header_.x_min, header_.y_min, empty ? 0.0 : values_->z_min());
    fresh_.max = Vector3(header_.x_max, header_.y_max, empty ? 0.0 : values_->z_max());
    if (load_settings().verbose) {
        console_print("Input min = %lf %lf %lf\n", fresh_.min.x(), fresh_.min.y(), fresh_.min.z());
        console_print("Input max = %lf %lf %lf\n", fresh_.max.x(), fresh_.max.y(), fresh_.max.z());
    }
    fresh_.normalize_bounds(DataSet::kMapleTranslationFormat);
    fresh_.kind = DataSet::kMaple;
    fresh_.filename = name_;
    target.take_grid_from(fresh_);
    set_status_line(empty ? no_points_status(name_) : "");
    return true;
}

}  // namespace

void DataSet::read_maple(const char* name) {
    console_print("\nfilename = %s\n", name);
    BlockReader in;
    if (!open_or_report(in, name)) return;
    const RefusalHint hint(file_format(kMapleFormat)->refusal_hint);
    MapleLoad load(name, in);
    if (load.read_header() && load.check_grid() && load.allocate() && load.read_values())
        load.finish(*this);
}
