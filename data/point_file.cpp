#include "data/point_file.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "core/console.h"
#include "core/status_line.h"
#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/decimal.h"
#include "data/format_hints.h"
#include "data/formats.h"
#include "data/load_report.h"
#include "data/memory_limit.h"
#include "data/parallel_points.h"
#include "data/set_block.h"
#include "data/text_chunks.h"

std::size_t set_block_bytes = kDefaultSetBlockBytes;

namespace {

const char* const kValueNames[4] = {"x coordinate", "y coordinate", "z coordinate", "colour value"};

// How a pass over the points ended.
enum class PointsRead {
    loaded,      // every point read
    refused,     // a problem was reported
    file_ended,  // a pass that only looks (no grid) met the end of the file, unreported
    recheck,     // unreported: a coordinate lies beyond the single-precision range
};

class PointReader {
  public:
    PointReader(BlockReader& in, const char* name, int values)
        : in_(in), name_(name), values_(values) {}

    bool read_header(int& width, int& points_per_set);
    // Reads width x count points into `grid` or, without one, only looks at them
    // for the first problem in the file. Only the pass that looks tests each
    // coordinate against the single-precision range, which GL draws in: reading
    // into a grid tests the bounds at the end, or before reporting a problem, and
    // asks for a look (recheck) to name the coordinate.
    template <int kValues, bool kStore>
    PointsRead read_points(DataSet* grid, int width, int count);

  private:
    // How reading one number ended.
    enum class NumberRead {
        number,      // the number is in the value
        file_ended,  // the file ended before it
        bad_word,    // something else stands there: word_
        long_word,   // a word longer than the buffer stands there
        read_error,  // reading the file failed (reported)
    };
    // What stands where a number was expected; `status` that of the number at its
    // start, `whole` when that number is all of it.
    struct Word {
        const char *first, *last;
        DecimalStatus status;
        bool whole;
    };

    int peek();
    bool header_integer(int& value);
    bool skip_rest_of_line();
    bool report_read_error();
    std::string where(long long index, int points_per_set) const;

    // The next number into `value`, reading on through the file as needed; with
    // `single_range`, a number beyond single precision counts as a bad word.
    // The hot loop of the reader: inlined into the loop over the points, where the
    // compiler keeps the cursor in registers.
    template <typename T>
    [[gnu::always_inline]] inline NumberRead read_number(T& value, bool single_range);
    bool refill_cursor();  // false when nothing was added
    // Reports why value `index` (counting from 0) of the points could not be read.
    void report_number(NumberRead why, long long index, int points_per_set,
                       long long last_text_line);

    BlockReader& in_;
    const char* name_;
    int values_;
    long long line_ = 1;
    bool after_cr_ = false;    // the last byte read was a CR: a LF now ends no further line
    const char* p_ = nullptr;  // the points are read from [p_, e_), a copy of in_'s
    const char* e_ = nullptr;
    Word word_{};
};

// The smallest and largest coordinate so far on each axis.
struct Bounds {
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};

    void take(const double xyz[3]) {
        for (int a = 0; a < 3; ++a) {
            if (lo[a] > xyz[a]) lo[a] = xyz[a];
            if (hi[a] < xyz[a]) hi[a] = xyz[a];
        }
    }
    // Whether the points so far, or the first `done` values of `xyz`, hold a
    // coordinate GL cannot draw.
    bool beyond_single(const double xyz[3], int done) const {
        for (int a = 0; a < 3; ++a)
            if (lo[a] < -FLT_MAX || hi[a] > FLT_MAX || (a < done && std::fabs(xyz[a]) > FLT_MAX))
                return true;
        return false;
    }
};

bool PointReader::report_read_error() {
    report_not_loaded(name_, "%s", read_error_problem(in_.error()).c_str());
    return false;
}

// The next byte of the header, or -1 at the end of the file.
int PointReader::peek() {
    if (in_.cur == in_.end && !in_.refill()) return -1;
    return static_cast<unsigned char>(*in_.cur);
}

bool PointReader::header_integer(int& value) {
    int c;
    while ((c = peek()) >= 0 && !is_line_end(c) && is_blank(static_cast<char>(c))) ++in_.cur;
    if (in_.error()) return report_read_error();
    // Collect the integer's text; the digits may run across a block boundary.
    std::string text;
    bool overlong = false;
    while ((c = peek()) >= 0 && !is_blank(static_cast<char>(c))) {
        const bool sign = text.empty() && (c == '+' || c == '-');
        if (!sign && (c < '0' || c > '9')) break;
        const bool lone_zero = text == "0" || text == "+0" || text == "-0";
        if (lone_zero && c == '0') {  // leading zeros add nothing
            ++in_.cur;
            continue;
        }
        if (text.size() < 64)
            text += static_cast<char>(c);
        else
            overlong = true;
        ++in_.cur;
    }
    if (in_.error()) return report_read_error();
    const char* first = text.data();
    const IntegerScan scan = scan_integer(first, first + text.size(), value);
    if (scan.status == DecimalStatus::ok && !overlong) return true;

    const char* expected = "line 1: expected two integers (number of sets, points per set)";
    if (scan.status != DecimalStatus::none) {
        report_not_loaded(name_, "%s, found %s, which is too large", expected,
                          quote_text(first, first + text.size()).c_str());
        return false;
    }
    // Show what stands there instead: the rest of that word.
    while ((c = peek()) >= 0 && !is_blank(static_cast<char>(c)) && text.size() < 41) {
        text += static_cast<char>(c);
        ++in_.cur;
    }
    if (text.empty()) {
        report_not_loaded(name_, "%s, found the end of the %s", expected, c < 0 ? "file" : "line");
    } else {
        report_not_loaded(name_, "%s, found %s", expected,
                          quote_text(text.data(), text.data() + text.size()).c_str());
    }
    return false;
}

bool PointReader::skip_rest_of_line() {
    for (;;) {
        const char* p = in_.cur;
        while (p < in_.end && !is_line_end(*p)) ++p;
        if (p < in_.end) {
            in_.cur = p + 1;
            line_ = 2;
            after_cr_ = *p == '\r';
            return true;
        }
        in_.cur = in_.end;
        if (!in_.refill()) return in_.error() == 0 || report_read_error();
    }
}

bool PointReader::read_header(int& width, int& points_per_set) {
    if (peek() < 0) {
        if (in_.error()) return report_read_error();
        report_not_loaded(name_,
                          "line 1: expected two integers (number of sets, points per "
                          "set), found an empty file");
        return false;
    }
    return header_integer(width) && header_integer(points_per_set) && skip_rest_of_line();
}

std::string PointReader::where(long long index, int points_per_set) const {
    const long long point = index / values_;
    char text[160];
    std::snprintf(text, sizeof text, "the %s of point %lld of set %lld",
                  kValueNames[index % values_], point % points_per_set + 1,
                  point / points_per_set + 1);
    return text;
}

bool PointReader::refill_cursor() {
    in_.cur = p_;
    const bool added = in_.refill();
    p_ = in_.cur;
    e_ = in_.end;
    return added;
}

template <typename T>
PointReader::NumberRead PointReader::read_number(T& value, bool single_range) {
    // The cursor in locals while the bytes are scanned, for the hot loop.
    const char* p = p_;
    const char* e = e_;
    const auto refill = [&] {
        p_ = p;
        const bool added = refill_cursor();
        p = p_;
        e = e_;
        return added;
    };
    for (;;) {
        while (p < e && is_blank(*p)) {
            // A lone CR ends a line as LF does; CR LF is one line end.
            const char c = *p++;
            line_ += (c == '\r') | ((c == '\n') & !after_cr_);
            after_cr_ = c == '\r';
        }
        if (p == e) {
            if (refill()) continue;
            if (in_.error() == 0) return NumberRead::file_ended;
            report_read_error();
            return NumberRead::read_error;
        }
        after_cr_ = false;
        const DecimalScan scan = scan_decimal(p, e, value);
        const bool good = scan.status == DecimalStatus::ok &&
                          (!single_range || std::fabs(static_cast<double>(value)) <= FLT_MAX);
        if (good && scan.end < e && is_blank(*scan.end)) {
            p_ = scan.end;
            return NumberRead::number;
        }
        // The number reaches the end of the buffer, or other characters follow it:
        // look at the whole word, reading on if it continues in the file.
        const char* t = p;
        while (t < e && !is_blank(*t)) ++t;
        if (t == e && !in_.at_eof()) {
            in_.cur = p;
            if (in_.full()) return NumberRead::long_word;
            if (refill() || in_.error() == 0) continue;
            report_read_error();
            return NumberRead::read_error;
        }
        p_ = t;
        if (good && scan.end == t) return NumberRead::number;  // the last number of the file
        word_ = {p, t, scan.status, scan.end == t};
        return NumberRead::bad_word;
    }
}

void PointReader::report_number(NumberRead why, long long index, int points_per_set,
                                long long last_text_line) {
    const std::string value = where(index, points_per_set);
    if (why == NumberRead::file_ended) {
        report_not_loaded(name_, "line %lld: expected %s, found the end of the file",
                          last_text_line, value.c_str());
    } else if (why == NumberRead::long_word) {
        report_not_loaded(name_,
                          "line %lld: expected a number for %s, found a word of more than %zu "
                          "characters",
                          line_, value.c_str(), BlockReader::block_size);
    } else {
        const char* kind = "";
        if (word_.whole && word_.status == DecimalStatus::overflow) kind = "finite ";
        if (word_.whole && word_.status == DecimalStatus::ok) kind = "single-precision ";
        report_not_loaded(name_, "line %lld: expected a %snumber for %s, found %s", line_, kind,
                          value.c_str(), quote_text(word_.first, word_.last).c_str());
    }
}

template <int kValues, bool kStore>
PointsRead PointReader::read_points(DataSet* grid, int width, int count) {
    std::unique_ptr<SetBlock> block(kStore ? new SetBlock(*grid, kValues) : nullptr);
    Bounds bounds;
    long long index = 0;           // numbers read so far
    long long last_text_line = 1;  // line of the last number, for a file that ends early
    p_ = in_.cur;
    e_ = in_.end;
    for (int s = 0; s < width; ++s) {
        for (int i = 0; i < count; ++i) {
            double xyz[3];
            float color = 0;
            for (int k = 0; k < kValues; ++k) {
                // Only the pass that looks tests each coordinate's range as it goes.
                const NumberRead read =
                    k < 3 ? read_number(xyz[k], !kStore) : read_number(color, false);
                if (read != NumberRead::number) {
                    if (read == NumberRead::read_error) return PointsRead::refused;
                    if (!kStore && read == NumberRead::file_ended) return PointsRead::file_ended;
                    // A coordinate beyond range before the problem is named first.
                    if (kStore && bounds.beyond_single(xyz, k)) return PointsRead::recheck;
                    report_number(read, index, count, last_text_line);
                    return PointsRead::refused;
                }
                last_text_line = line_;
                ++index;
            }
            if constexpr (!kStore) continue;
            bounds.take(xyz);
            block->point(s, i) = Vector3(xyz[0], xyz[1], xyz[2]);
            if (kValues == 4) block->color(s, i) = color;
        }
        if constexpr (kStore) block->set_done(s);
    }
    in_.cur = p_;
    if constexpr (!kStore) return PointsRead::loaded;
    if (bounds.beyond_single(nullptr, 0)) return PointsRead::recheck;
    if (index == 0) {
        // An empty grid has no extent: its box is the origin.
        for (int a = 0; a < 3; ++a) bounds.lo[a] = bounds.hi[a] = 0;
    }
    grid->min = Vector3(bounds.lo[0], bounds.lo[1], bounds.lo[2]);
    grid->max = Vector3(bounds.hi[0], bounds.hi[1], bounds.hi[2]);
    return PointsRead::loaded;
}

// A pass that only looks, for the first problem in the file.
PointsRead look_for_problem(PointReader& reader, PointFormat format, int width, int count) {
    return format == PointFormat::xyz ? reader.read_points<3, false>(nullptr, width, count)
                                      : reader.read_points<4, false>(nullptr, width, count);
}

}  // namespace

void load_point_file(DataSet& target, const char* name, PointFormat format) {
    console_print("\nfilename = %s\n", name);
    BlockReader in;
    if (!open_or_report(in, name)) return;
    const RefusalHint hint(
        file_format(format == PointFormat::xyz ? kDataFormat : kColorDataFormat)->refusal_hint);
    const int values = static_cast<int>(format);
    PointReader reader(in, name, values);
    int width = 0;
    int points_per_set = 0;
    if (!reader.read_header(width, points_per_set)) return;
    console_print("width = %d points per set = %d\n", width, points_per_set);

    if (width < 0 || points_per_set < 0) {
        report_not_loaded(name, "line 1: expected counts of 0 or more, found %d sets of %d points",
                          width, points_per_set);
        return;
    }
    // Every number takes at least two characters (a digit and a separator), so a
    // header that promises more than the file can hold is refused before allocating.
    const unsigned long long point_count =
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(points_per_set);
    if (in.size() >= 0 &&
        point_count > static_cast<unsigned long long>(in.size()) / (2u * values)) {
        // The file is smaller than the grid would be: a problem before its end is
        // named first, as a full read would name it.
        if (look_for_problem(reader, format, width, points_per_set) == PointsRead::refused) return;
        report_not_loaded(name,
                          "line 1: the header promises %d sets of %d points, more than a file of "
                          "%lld bytes can hold",
                          width, points_per_set, in.size());
        return;
    }
    if (!grid_fits_in_memory(point_count)) {
        report_not_loaded(name, "not enough memory for %d sets of %d points", width,
                          points_per_set);
        return;
    }
    DataSet fresh;
    try {
        // A grid without points is kept as 0 x 0, so that no loop over its sets runs
        // through billions of empty sets ("2000000000 0").
        if (point_count == 0)
            fresh.allocate_grid(0, 0);
        else
            fresh.allocate_grid(width, points_per_set);
    } catch (const std::bad_alloc&) {
        report_not_loaded(name, "not enough memory for %d sets of %d points", width,
                          points_per_set);
        return;
    }
    // A large file on every core; what that read leaves to one thread, one reads.
    RestOfFile rest;
    ParallelRead parallel = ParallelRead::given_up;
    if (point_count > 0 && parse_threads() > 1 && in.size() - in.offset() >= parallel_load_bytes)
        parallel = read_points_in_parallel(in, values, fresh, rest);
    if (parallel == ParallelRead::cancelled) {
        report_not_loaded(name, "the load was cancelled");
        return;
    }
    const PointsRead read =
        parallel == ParallelRead::loaded ? PointsRead::loaded
        : format == PointFormat::xyz
            ? reader.read_points<3, true>(&fresh, fresh.width, fresh.points_per_set)
            : reader.read_points<4, true>(&fresh, fresh.width, fresh.points_per_set);
    if (read == PointsRead::recheck) {
        // Read once more, only looking, to name the coordinate and its line.
        BlockReader again;
        PointReader look(again, name, values);
        int w = 0, n = 0;
        if (again.open(name) == BlockReader::Opened::file && look.read_header(w, n) &&
            look_for_problem(look, format, w, n) == PointsRead::refused) {
            return;
        }
        report_not_loaded(name, "a coordinate lies beyond the single-precision range");
        return;
    }
    if (read != PointsRead::loaded) return;
    // The rest is not read as data; numbers there hint at "Data with Color".
    if (parallel != ParallelRead::loaded) rest = count_rest(in);
    const std::string trailing =
        format == PointFormat::xyz ? trailing_numbers_hint(name, point_count, rest) : "";
    fresh.filename = name;
    fresh.kind = format == PointFormat::xyz ? DataSet::kData : DataSet::kColorData;
    fresh.has_values = format == PointFormat::xyz_color;
    fresh.normalize_bounds(DataSet::kDataTranslationFormat);
    target.take_grid_from(fresh);
    if (!trailing.empty()) console_print("%s\n", trailing.c_str());
    set_status_line(point_count == 0 ? no_points_status(name) : trailing);
}
