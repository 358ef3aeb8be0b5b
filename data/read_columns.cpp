// The Columns reader: the tables scientists export (CSV, TSV, columns separated
// by blanks). The delimiter, found from the first line of the table, is a comma,
// a semicolon, a tab or runs of blanks; a cell may be quoted ("1.5", "height (m)",
// a doubled quote inside); '#' starts a comment. A first line with a field that is
// not a number is a header, naming the axes. The first three columns are x, y and
// z, a fourth the point's value, further ones are ignored. A blank line ends a set
// of points; sets of unequal length are padded with their own last point.
//
// Two passes over the file, so that the points go straight into a grid of the
// right size and no copy of them is ever held: the first only counts the rows of
// each set, the second reads them. Rows are scanned in the block buffer; one that
// runs past the bytes read so far is scanned again once more of the file is in.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/status_line.h"
#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/decimal.h"
#include "data/format_hints.h"
#include "data/load_report.h"
#include "data/memory_limit.h"

namespace {

constexpr char kBlankRuns = ' ';  // the delimiter of columns separated by blanks

inline bool is_line_end_char(char c) { return c == '\n' || c == '\r'; }

// The first LF or CR in [p, e), or e; sixteen bytes at a time where it can.
inline const char* find_line_end(const char* p, const char* e) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; e - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
#endif
    while (p < e && !is_line_end_char(*p)) ++p;
    return p;
}

bool is_not_finite_word(std::string word) {
    for (char& c : word) c = static_cast<char>(c | 0x20);
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.erase(0, 1);
    return word == "nan" || word == "inf" || word == "infinity";
}

// A number, within range or not, or nan or inf: a cell of a row, never a name.
bool is_number_or_not_finite(const std::string& field) {
    double value;
    const DecimalScan scan = scan_decimal(field.data(), field.data() + field.size(), value);
    return (scan.status != DecimalStatus::none && scan.end == field.data() + field.size()) ||
           is_not_finite_word(field);
}

// How the scan of one line ended.
enum class Line {
    row,      // a row of numbers, its point taken
    blank,    // nothing but blanks: the end of a set
    skipped,  // a comment alone, or the header
    more,     // the line runs past the bytes in the buffer
    end,      // the file ended
    refused,  // a problem was reported
};

// One pass over the file: without a grid it counts the rows of each set into
// lengths_; with one (sized from those counts) it reads every row into it, each
// set padded with its last point, and the header into axis_names_.
class ColumnsReader {
public:
    ColumnsReader(BlockReader& in, const char* name, DataSet* grid)
        : in_(in), name_(name), grid_(grid) {}
    // False when the file was refused (reported).
    bool read_all();

    std::vector<std::size_t> lengths_;  // rows of each set (first pass)
    double lo_[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi_[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    int used_ = 0;  // columns read: 3, or 4 with values; 0 before the first row
    std::string axis_names_[3] = {"x", "y", "z"};

private:
    Line scan_line(const char* p, const char*& next);
    void count_rows();
    void read_rows();
    template <typename T>
    [[gnu::always_inline]] inline bool plain_cell(const char*& p, T& value, bool last);
    Line first_line(const char* p, const char*& next);
    Line row(const char* p, const char*& next);
    // One cell of column `column` (from 0) at p: its value, and p moved past it,
    // the blanks after it and its delimiter.
    template <typename T>
    Line cell(const char*& p, int column, T& value);
    Line quoted_text(const char*& p, int column, std::string& text);
    Line bad_cell(const char* first, int column);
    Line missing_cell(int column, const char* found);
    // Past the line end at or after p (LF, CR LF or a lone CR) into next.
    Line end_of_line(const char* p, const char*& next);
    std::vector<std::string> split(const char* p, const char* last) const;
    void end_set();
    [[gnu::always_inline]] inline Line store(const double xyz[3], float value);

    // Blanks around cells; a tab is a delimiter in a table separated by tabs.
    bool skippable(char c) const { return c == ' ' || (c == '\t' && delimiter_ != '\t'); }
    bool ends_cell(char c) const {
        return is_line_end_char(c) || c == '#' || c == delimiter_ ||
               (delimiter_ == kBlankRuns && c == '\t');
    }

    BlockReader& in_;
    const char* name_;
    DataSet* grid_;              // null in the pass that counts
    int set_ = 0;                // the set the next row goes to
    std::size_t rows_ = 0;       // rows of that set so far
    const char* end_ = nullptr;  // end of the bytes in the buffer
    bool eof_ = false;           // the buffer holds the rest of the file
    char delimiter_ = 0;         // 0 until the first line of the table
    bool header_allowed_ = true; // only the first line of the table may be a header
    long long line_ = 1;
};

bool ColumnsReader::read_all() {
    for (;;) {
        end_ = in_.end;
        eof_ = in_.at_eof();
        if (used_ != 0) {
            if (grid_) read_rows();
            else count_rows();
        }
        const char* next = nullptr;
        const Line got = scan_line(in_.cur, next);
        if (got == Line::more) {
            if (in_.full()) {
                report_not_loaded(name_, "line %lld: a line of more than %zu characters", line_,
                                  BlockReader::block_size);
                return false;
            }
            if (!in_.refill() && in_.error() != 0) {
                report_not_loaded(name_, "cannot read it (%s)", std::strerror(in_.error()));
                return false;
            }
            continue;
        }
        if (got == Line::refused) return false;
        if (got == Line::end) break;
        in_.cur = next;
        ++line_;
        if (got == Line::blank) end_set();
    }
    end_set();
    if (grid_ && set_ != grid_->width) {
        report_not_loaded(name_, "the file changed while it was read");
        return false;
    }
    return true;
}

// The counting pass in a tight loop: a line that starts with a cell is a row,
// whatever follows; any other, and one not whole in the buffer, is left to
// scan_line. Sixteen bytes at a time where no line in them starts otherwise.
void ColumnsReader::count_rows() {
    const char* p = in_.cur;
#if defined(__SSE2__)
    // Each LF ends a row when the byte after it starts another; the line in
    // progress at the end is left to the loop below, from its start.
    const auto equal = [](__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
    if (p < end_ && !is_blank(*p) && *p != '#') {
        for (const char* b = p; end_ - b > 16; b += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
            const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 1));
            const __m128i no_row = _mm_or_si128(
                _mm_or_si128(equal(after, ' '), equal(after, '#')),
                _mm_cmplt_epi8(after, _mm_set1_epi8(' ')));  // controls, line ends, bytes past 127
            const unsigned lf = static_cast<unsigned>(_mm_movemask_epi8(equal(v, '\n')));
            if (_mm_movemask_epi8(equal(v, '\r')) != 0 ||
                (lf & static_cast<unsigned>(_mm_movemask_epi8(no_row))) != 0)
                break;
            if (lf == 0) continue;
            // The LFs counted without a popcount instruction, which SSE2 lacks.
            unsigned n = lf - ((lf >> 1) & 0x5555u);
            n = (n & 0x3333u) + ((n >> 2) & 0x3333u);
            n = (n + (n >> 4)) & 0x0f0fu;
            n = (n + (n >> 8)) & 0x1fu;
            rows_ += n;
            line_ += n;
            p = b + (32 - __builtin_clz(lf));
        }
    }
#endif
    while (p < end_ && !is_blank(*p) && *p != '#') {
        const char* q = find_line_end(p, end_);
        if (q == end_ || (*q == '\r' && q + 1 == end_)) break;
        ++rows_;
        ++line_;
        p = q + 1 + (*q == '\r' && q[1] == '\n');
    }
    in_.cur = p;
}

// A number right before its delimiter (or the LF after the `last` cell), read
// ahead: p moves past the delimiter and the blanks after it.
template <typename T>
bool ColumnsReader::plain_cell(const char*& p, T& value, bool last) {
    if (end_ - p <= kDecimalAhead) return false;
    DecimalScan scan;
    if constexpr (sizeof(T) == sizeof(double)) scan = scan_decimal_ahead(p, end_, value);
    else scan = scan_decimal(p, end_, value);
    if (scan.status != DecimalStatus::ok || scan.end == end_ || !(std::fabs(value) <= FLT_MAX))
        return false;
    const char c = *scan.end;
    if (last ? c != '\n' : c != delimiter_) return false;
    p = scan.end + !last;
    if (delimiter_ == kBlankRuns)
        while (p < end_ && (*p == ' ' || *p == '\t')) ++p;
    return true;
}

// The reading pass in a tight loop while the rows are plain: numbers, their
// delimiters and LF; anything else, and a row near the end of the buffer, is
// left to scan_line, which reads it all over.
void ColumnsReader::read_rows() {
    const char* p = in_.cur;
    for (;;) {
        const char* q = p;
        double xyz[3];
        float value = 0;
        if (!plain_cell(q, xyz[0], false) || !plain_cell(q, xyz[1], false) ||
            !plain_cell(q, xyz[2], used_ == 3) || (used_ == 4 && !plain_cell(q, value, true)) ||
            set_ >= grid_->width || rows_ >= static_cast<std::size_t>(grid_->points_per_set))
            break;
        store(xyz, value);
        ++line_;
        p = q + 1;
    }
    in_.cur = p;
}

Line ColumnsReader::scan_line(const char* p, const char*& next) {
    while (p < end_ && (*p == ' ' || *p == '\t')) ++p;
    if (p == end_) return eof_ ? Line::end : Line::more;
    if (is_line_end_char(*p)) return end_of_line(p, next) == Line::row ? Line::blank : Line::more;
    if (*p == '#') return end_of_line(p, next) == Line::row ? Line::skipped : Line::more;
    return used_ == 0 ? first_line(p, next) : row(p, next);
}

Line ColumnsReader::end_of_line(const char* p, const char*& next) {
    p = find_line_end(p, end_);
    if (p == end_ || (*p == '\r' && p + 1 == end_)) {
        if (!eof_) return Line::more;
    }
    next = p == end_ ? p : p + 1 + (*p == '\r' && p + 1 < end_ && p[1] == '\n');
    return Line::row;
}

// The fields of [p, last), unquoted and trimmed; an empty field after a last
// delimiter is none.
std::vector<std::string> ColumnsReader::split(const char* p, const char* last) const {
    std::vector<std::string> fields;
    for (;;) {
        while (p < last && skippable(*p)) ++p;
        if (p == last) return fields;
        std::string field;
        bool quoted = false;
        for (; p < last && (quoted || !ends_cell(*p)); ++p) {
            if (*p != '"') field += *p;
            else if (quoted && p + 1 < last && p[1] == '"') field += *++p;
            else quoted = !quoted;
        }
        const std::size_t from = field.find_first_not_of(" \t");
        const std::size_t to = field.find_last_not_of(" \t");
        fields.push_back(from == std::string::npos ? "" : field.substr(from, to - from + 1));
        if (p < last && *p == delimiter_ && delimiter_ != kBlankRuns) ++p;
    }
}

// The first line of the table, whole in the buffer: its delimiter, whether it
// is a header, and else how many columns are read. The delimiter is the more
// frequent of comma and semicolon outside quotes; without either, a tab when no
// blank stands beside one (blanks around tabs align columns); else runs of blanks.
Line ColumnsReader::first_line(const char* p, const char*& next) {
    const char* last = p;
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false, blank_by_tab = false;
    for (; last < end_ && !is_line_end_char(*last) && (quoted || *last != '#'); ++last) {
        if (*last == '"') quoted = !quoted;
        if (quoted) continue;
        commas += *last == ',';
        semicolons += *last == ';';
        if (*last == '\t') {
            ++tabs;
            blank_by_tab |= (last > p && (last[-1] == ' ' || last[-1] == '\t')) ||
                            (last + 1 < end_ && (last[1] == ' ' || last[1] == '\t'));
        }
    }
    const char* line_end = nullptr;
    if (end_of_line(last, line_end) == Line::more) return Line::more;
    if (delimiter_ == 0) {
        if (commas + semicolons > 0) delimiter_ = commas >= semicolons ? ',' : ';';
        else delimiter_ = tabs > 0 && !blank_by_tab ? '\t' : kBlankRuns;
    }
    const std::vector<std::string> fields = split(p, last);
    bool header = false;
    for (const std::string& f : fields) header |= !f.empty() && !is_number_or_not_finite(f);
    // A quote left open is named by the row.
    if (header && header_allowed_ && !quoted) {
        header_allowed_ = false;
        for (std::size_t a = 0; a < 3 && a < fields.size(); ++a)
            if (!fields[a].empty()) axis_names_[a] = fields[a];
        next = line_end;
        return Line::skipped;
    }
    header_allowed_ = false;
    if (!header && !quoted && fields.size() < 3) {
        report_not_loaded(name_, "line %lld: expected at least 3 columns (x, y, z), found %zu",
                          line_, fields.size());
        return Line::refused;
    }
    used_ = fields.size() > 3 ? 4 : 3;
    return row(p, next);
}

Line ColumnsReader::row(const char* p, const char*& next) {
    if (!grid_) {
        const Line got = end_of_line(p, next);
        rows_ += got == Line::row;
        return got;
    }
    double xyz[3];
    float value = 0;
    for (int c = 0; c < 3; ++c) {
        const Line got = cell(p, c, xyz[c]);
        if (got != Line::row) return got;
    }
    if (used_ == 4) {
        const Line got = cell(p, 3, value);
        if (got != Line::row) return got;
    }
    // Further columns and a comment are passed over.
    if (p < end_ && *p == '\n') next = p + 1;
    else if (end_of_line(p, next) == Line::more) return Line::more;
    return store(xyz, value);
}

Line ColumnsReader::store(const double xyz[3], float value) {
    if (set_ >= grid_->width || rows_ >= static_cast<std::size_t>(grid_->points_per_set)) {
        report_not_loaded(name_, "the file changed while it was read");
        return Line::refused;
    }
    for (int a = 0; a < 3; ++a) {
        if (lo_[a] > xyz[a]) lo_[a] = xyz[a];
        if (hi_[a] < xyz[a]) hi_[a] = xyz[a];
    }
    const int i = static_cast<int>(rows_++);
    grid_->point(set_, i) = Vector3(xyz[0], xyz[1], xyz[2]);
    if (used_ == 4) grid_->color_value(set_, i) = value;
    return Line::row;
}

void ColumnsReader::end_set() {
    if (rows_ == 0) return;
    if (!grid_) {
        lengths_.push_back(rows_);
    } else {
        // A short set repeats its last point, so that line sets draw just the data.
        const int last = static_cast<int>(rows_) - 1;
        for (int i = last + 1; i < grid_->points_per_set; ++i) {
            grid_->point(set_, i) = grid_->point(set_, last);
            if (used_ == 4) grid_->color_value(set_, i) = grid_->color_value(set_, last);
        }
        ++set_;
    }
    rows_ = 0;
}

template <typename T>
Line ColumnsReader::cell(const char*& p, int column, T& value) {
    // Mostly a plain number right before its delimiter or the line end, with
    // room in the buffer to read ahead.
    if constexpr (sizeof(T) == sizeof(double)) {
        if (end_ - p > kDecimalAhead) {
            const DecimalScan scan = scan_decimal_ahead(p, end_, value);
            if (scan.end < end_ && scan.status == DecimalStatus::ok && std::fabs(value) <= FLT_MAX) {
                const char c = *scan.end;
                if (c == delimiter_) {
                    p = scan.end + (delimiter_ != kBlankRuns);
                    return Line::row;
                }
                if (c == '\n') {
                    p = scan.end;
                    return Line::row;
                }
            }
        }
    }
    while (p < end_ && skippable(*p)) ++p;
    if (p == end_ && !eof_) return Line::more;
    if (p == end_ || is_line_end_char(*p) || *p == '#')
        return missing_cell(column, "the end of the line");
    if (*p == delimiter_ && delimiter_ != kBlankRuns) return missing_cell(column, "an empty cell");
    const char* first = p;
    DecimalScan scan;
    if (*p == '"') {
        std::string text;
        const Line got = quoted_text(p, column, text);
        if (got != Line::row) return got;
        scan = scan_decimal(text.data(), text.data() + text.size(), value);
        if (scan.end != text.data() + text.size()) return bad_cell(first, column);
    } else {
        if constexpr (sizeof(T) == sizeof(double)) {
            scan = end_ - p >= kDecimalAhead ? scan_decimal_ahead(p, end_, value)
                                              : scan_decimal(p, end_, value);
        } else {
            scan = scan_decimal(p, end_, value);
        }
        p = scan.end;
        if (p == end_ && !eof_) return Line::more;
    }
    if (p < end_ && !ends_cell(*p) && !skippable(*p)) return bad_cell(first, column);
    if (scan.status != DecimalStatus::ok || !(std::fabs(static_cast<double>(value)) <= FLT_MAX))
        return bad_cell(first, column);
    while (p < end_ && skippable(*p)) ++p;
    if (p == end_ && !eof_) return Line::more;
    if (delimiter_ == kBlankRuns || p == end_ || is_line_end_char(*p) || *p == '#') return Line::row;
    if (*p != delimiter_) return bad_cell(first, column);
    ++p;
    return Line::row;
}

Line ColumnsReader::quoted_text(const char*& p, int column, std::string& text) {
    const char* q = p + 1;
    for (;; ++q) {
        if (q == end_ && !eof_) return Line::more;
        if (q == end_ || is_line_end_char(*q)) {
            report_not_loaded(name_, "line %lld, column %d: a quote is not closed on its line",
                              line_, column + 1);
            return Line::refused;
        }
        if (*q == '"') {
            if (q + 1 == end_ && !eof_) return Line::more;
            if (q + 1 == end_ || q[1] != '"') break;
            ++q;  // a doubled quote stands for one
        }
        text += *q;
    }
    p = q + 1;
    const std::size_t first = text.find_first_not_of(" \t");
    text.erase(0, first == std::string::npos ? text.size() : first);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    if (p == end_ && !eof_) return Line::more;
    return Line::row;
}

Line ColumnsReader::missing_cell(int column, const char* found) {
    report_not_loaded(name_, "line %lld, column %d: expected a number, found %s", line_,
                      column + 1, found);
    return Line::refused;
}

// Names what stands in the cell at `first` instead of a number within range,
// once the whole cell is in the buffer.
Line ColumnsReader::bad_cell(const char* first, int column) {
    const char* last = first;
    for (bool quoted = false; last < end_ && (quoted || !ends_cell(*last)); ++last)
        quoted ^= *last == '"';
    if (last == end_ && !eof_) return Line::more;  // the cell goes on in the file
    while (last > first && skippable(last[-1])) --last;
    const std::vector<std::string> words = split(first, last);
    const std::string word = words.empty() ? "" : words[0];
    double value = 0;
    const DecimalScan scan = scan_decimal(word.data(), word.data() + word.size(), value);
    const bool whole = words.size() == 1 && scan.end == word.data() + word.size();
    const char* kind = "";
    if (is_not_finite_word(word) || (whole && scan.status == DecimalStatus::overflow))
        kind = "finite ";
    else if (whole && scan.status == DecimalStatus::ok)
        kind = "single-precision ";
    report_not_loaded(name_, "line %lld, column %d: expected a %snumber, found %s", line_,
                      column + 1, kind, quote_text(word.data(), word.data() + word.size()).c_str());
    return Line::refused;
}

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
    std::printf("\nfilename = %s\n", name);
    BlockReader in;
    if (!open_or_report(in, name)) return;
    const RefusalHint hint(columns_refusal_hint);
    ColumnsReader count(in, name, nullptr);
    DataSet fresh;
    if (!count.read_all() || !allocate(fresh, count.lengths_, name)) return;
    BlockReader again;
    if (!open_or_report(again, name)) return;
    ColumnsReader read(again, name, &fresh);
    if (!read.read_all()) return;
    std::printf("width = %d points per set = %d\n", fresh.width, fresh.points_per_set);

    const bool empty = fresh.point_count() == 0;
    std::string status = empty ? no_points_status(name) : "";
    const std::size_t shortest =
        empty ? 0 : *std::min_element(count.lengths_.begin(), count.lengths_.end());
    if (shortest < static_cast<std::size_t>(fresh.points_per_set)) {
        status = std::string(name) + ": sets of " + std::to_string(shortest) + " to " +
                 std::to_string(fresh.points_per_set) +
                 " points; shorter sets repeat their last point";
        std::printf("%s\n", status.c_str());
    }
    for (int a = 0; a < 3; ++a) {
        // An empty table has no extent: its box is the origin.
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
