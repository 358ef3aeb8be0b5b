// The lines of a table (data/column_table.h) and the two passes over them: tight
// loops for the plain rows that make up most tables, the general scan for every
// other line.

#include "data/column_table.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "data/block_reader.h"
#include "data/column_choice.h"
#include "data/data_set.h"
#include "data/decimal.h"
#include "data/load_report.h"
#include "data/load_settings.h"

namespace {

// The bits set in each byte value.
constexpr struct BitCounts {
    unsigned char of[256] = {};
    constexpr BitCounts() {
        for (int i = 1; i < 256; ++i) of[i] = static_cast<unsigned char>(of[i / 2] + (i & 1));
    }
    int operator[](unsigned i) const { return of[i]; }
} kBits;

// The first LF or CR in [p, e), or e; sixteen bytes at a time where it can.
inline const char* find_line_end(const char* p, const char* e) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; e - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
#endif
    while (p < e && !(*p == '\n' || *p == '\r')) ++p;
    return p;
}

}  // namespace

ColumnTable::ColumnTable(BlockReader& chunk, const ColumnTable& opening, DataSet* grid,
                         const std::vector<std::size_t>* counted, int set, std::size_t rows,
                         long long line)
    : in_(chunk), name_(opening.name_), grid_(grid), counted_(counted) {
    used_ = opening.used_;
    delimiter_ = opening.delimiter_;
    header_allowed_ = false;
    std::copy(opening.wanted_, opening.wanted_ + 4, wanted_);
    first_columns_ = opening.first_columns_;
    chunk_ = true;
    set_ = set;
    rows_ = rows;
    line_ = line;
}

bool ColumnTable::read_opening() {
    opening_ = true;
    return read_all();
}

bool ColumnTable::read_all() {
    for (;;) {
        end_ = in_.end;
        eof_ = in_.at_eof();
        if (used_ != 0) {
            if (opening_) return true;
            if (grid_)
                read_rows();
            else
                count_rows();
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
                report_not_loaded(name_, "%s", read_error_problem(in_.error()).c_str());
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
    if (chunk_) {
        // A chunk ends where the next begins, a set's rows running on into it.
        if (!grid_) end_set();
        return !changed_;
    }
    end_set();
    if (grid_ && (set_ != grid_->width || changed_ || in_.changed_since_open())) {
        report_not_loaded(name_, "the file changed while it was read");
        return false;
    }
    return true;
}

// The counting pass in a tight loop: a line that starts with a cell is a row,
// whatever follows; any other, and one not whole in the buffer, is left to
// scan_line.
void ColumnTable::count_rows() {
    const char* p = in_.cur;
#if defined(__SSE2__)
    // Thirty-two bytes at a time while every LF in them is followed by the start
    // of a row (no blank, control, '#' or byte past 127, which compare below '!'
    // as signed bytes) and none is a CR: then each LF counts a row.
    const auto bytes = [](const char* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    const auto mask = [](__m128i hits) {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
    };
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    const __m128i bang = _mm_set1_epi8('!'), hash = _mm_set1_epi8('#');
    const auto ends = [&](const char* at, __m128i of) {
        return mask(_mm_cmpeq_epi8(bytes(at), of)) | mask(_mm_cmpeq_epi8(bytes(at + 16), of)) << 16;
    };
    const auto no_row = [&](const char* at) {
        const __m128i a = bytes(at), b = bytes(at + 16);
        return mask(_mm_or_si128(_mm_cmplt_epi8(a, bang), _mm_cmpeq_epi8(a, hash))) |
               mask(_mm_or_si128(_mm_cmplt_epi8(b, bang), _mm_cmpeq_epi8(b, hash))) << 16;
    };
    if (p < end_ && !is_blank(*p) && *p != '#') {
        for (const char* b = p; end_ - b > 32; b += 32) {
            const std::uint32_t lines = ends(b, lf);
            if ((lines & no_row(b + 1)) != 0 || ends(b, cr) != 0) break;
            if (lines == 0) continue;
            const int n = kBits[lines & 0xff] + kBits[(lines >> 8) & 0xff] +
                          kBits[(lines >> 16) & 0xff] + kBits[lines >> 24];
            rows_ += n;
            line_ += n;
            p = b + 32 - __builtin_clz(lines);
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
bool ColumnTable::plain_cell(const char*& p, T& value, bool last) {
    if (end_ - p <= kDecimalAhead) return false;
    DecimalScan scan;
    if constexpr (sizeof(T) == sizeof(double))
        scan = scan_decimal_ahead(p, end_, value);
    else
        scan = scan_decimal(p, end_, value);
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
void ColumnTable::read_rows() {
    if (!first_columns_) return;
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

TableLine ColumnTable::scan_line(const char* p, const char*& next) {
    while (p < end_ && (*p == ' ' || *p == '\t')) ++p;
    if (p == end_) return eof_ ? Line::end : Line::more;
    if (is_line_end_char(*p)) return end_of_line(p, next) == Line::row ? Line::blank : Line::more;
    if (*p == '#') return end_of_line(p, next) == Line::row ? Line::skipped : Line::more;
    return used_ == 0 ? first_line(p, next) : row(p, next);
}

TableLine ColumnTable::end_of_line(const char* p, const char*& next) {
    p = find_line_end(p, end_);
    if (p == end_ || (*p == '\r' && p + 1 == end_)) {
        if (!eof_) return Line::more;
    }
    next = p == end_ ? p : p + 1 + (*p == '\r' && p + 1 < end_ && p[1] == '\n');
    return Line::row;
}

// The fields of [p, last), unquoted and trimmed; an empty field after a last
// delimiter is none.
std::vector<std::string> ColumnTable::split(const char* p, const char* last) const {
    std::vector<std::string> fields;
    for (;;) {
        while (p < last && skippable(*p)) ++p;
        if (p == last) return fields;
        std::string field;
        bool quoted = false;
        for (; p < last && (quoted || !ends_cell(*p)); ++p) {
            if (*p != '"')
                field += *p;
            else if (quoted && p + 1 < last && p[1] == '"')
                field += *++p;
            else
                quoted = !quoted;
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
TableLine ColumnTable::first_line(const char* p, const char*& next) {
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
        if (commas + semicolons > 0)
            delimiter_ = commas >= semicolons ? ',' : ';';
        else
            delimiter_ = tabs > 0 && !blank_by_tab ? '\t' : kBlankRuns;
    }
    const std::vector<std::string> fields = split(p, last);
    bool header = false;
    for (const std::string& f : fields)
        header |= !f.empty() && !is_number_or_not_finite(f) && !is_missing_word(f);
    // A quote left open is named by the row.
    if (header && header_allowed_ && !quoted) {
        header_allowed_ = false;
        header_ = fields;
        next = line_end;
        return Line::skipped;
    }
    header_allowed_ = false;
    if (quoted) {
        used_ = 3;  // the row names the quote left open
        return row(p, next);
    }
    const Line chosen = choose_columns(fields, p, line_end);
    return chosen == Line::row ? row(p, next) : chosen;
}

TableLine ColumnTable::choose_columns(const std::vector<std::string>& fields, const char* row,
                                      const char* after) {
    ColumnChoice choice;
    std::string why;
    if (!parse_column_choice(load_settings().columns, choice, why)) {
        report_not_loaded(name_, "the columns asked for: %s", why.c_str());
        return Line::refused;
    }
    if (!choice.empty()) {
        if (!resolve_columns(choice, header_, fields.size(), wanted_, why)) {
            report_not_loaded(name_, "%s", why.c_str());
            return Line::refused;
        }
    } else {
        // An index pandas or R wrote first is passed over: the next columns are x, y, z.
        const int first = numbers_the_rows(row, after) ? 1 : 0;
        skipped_index_ = first == 1;
        if (skipped_index_) index_skipped_ = header_[0];
        if (fields.size() < static_cast<std::size_t>(3 + first)) {
            report_not_loaded(name_, "line %lld: expected at least 3 columns (x, y, z), found %zu",
                              line_, fields.size() - first);
            return Line::refused;
        }
        for (int a = 0; a < 3; ++a) wanted_[a] = a + first;
        wanted_[3] = fields.size() > static_cast<std::size_t>(3 + first) ? 3 + first : -1;
    }
    for (int a = 0; a < 3; ++a)
        if (static_cast<std::size_t>(wanted_[a]) < header_.size() && !header_[wanted_[a]].empty())
            axis_names_[a] = header_[wanted_[a]];
    used_ = wanted_[3] >= 0 ? 4 : 3;
    first_columns_ = wanted_[0] == 0 && wanted_[1] == 1 && wanted_[2] == 2 &&
                     (wanted_[3] == 3 || wanted_[3] < 0);
    return Line::row;
}

// Whether the header's first field names an index and the first column of the
// first two rows (this one at `row`, the next at `after`) counts on by one.
bool ColumnTable::numbers_the_rows(const char* row, const char* after) const {
    if (header_.empty() || !names_an_index(header_[0])) return false;
    const auto first_integer = [&](const char* p, long long& n) {
        while (p < end_ && skippable(*p)) ++p;
        const char* q = p;
        while (q < end_ && *q >= '0' && *q <= '9') ++q;
        if (q == p || q - p > 15 || q == end_ || !(ends_cell(*q) || skippable(*q))) return false;
        n = std::stoll(std::string(p, q));
        return true;
    };
    long long first = 0, second = 0;
    if (!first_integer(row, first)) return false;
    if (after == end_) return true;  // one row: nothing to tell it from
    return first_integer(after, second) && second == first + 1;
}

TableLine ColumnTable::row(const char* p, const char*& next) {
    if (!grid_) {
        const Line got = end_of_line(p, next);
        rows_ += got == Line::row;
        return got;
    }
    double xyz[3];
    float value = 0;
    const int last = *std::max_element(wanted_, wanted_ + used_);
    bool after_delimiter = false;
    // A row scanned again once more of the file is in counts its missing values once.
    const long long missing = missing_, missing_line = first_missing_line_;
    const int missing_column = first_missing_column_;
    const auto again = [&] {
        missing_ = missing;
        first_missing_line_ = missing_line;
        first_missing_column_ = missing_column;
        return Line::more;
    };
    for (int c = 0; c <= last; ++c) {
        const int a = static_cast<int>(std::find(wanted_, wanted_ + used_, c) - wanted_);
        const char* before = p;
        const Line got = a == used_ ? skip_cell(p)
                         : a == 3   ? cell(p, c, value, after_delimiter)
                                    : cell(p, c, xyz[a], after_delimiter);
        if (got == Line::more) return again();
        if (got != Line::row) return got;
        after_delimiter = p > before && p[-1] == delimiter_ && delimiter_ != kBlankRuns;
    }
    // Further columns and a comment are passed over.
    if (p < end_ && *p == '\n')
        next = p + 1;
    else if (end_of_line(p, next) == Line::more)
        return again();
    return store(xyz, value);
}

TableLine ColumnTable::store(const double xyz[3], float value) {
    if (set_ >= grid_->width || rows_ >= static_cast<std::size_t>(grid_->points_per_set)) {
        report_not_loaded(name_, "the file changed while it was read");
        return Line::refused;
    }
    const int i = static_cast<int>(rows_++);
    // A point without a coordinate is missing as a whole: no part of the picture.
    if (std::isnan(xyz[0]) || std::isnan(xyz[1]) || std::isnan(xyz[2])) {
        grid_->point(set_, i) = Vector3(NAN, NAN, NAN);
    } else {
        for (int a = 0; a < 3; ++a) {
            if (lo_[a] > xyz[a]) lo_[a] = xyz[a];
            if (hi_[a] < xyz[a]) hi_[a] = xyz[a];
        }
        grid_->point(set_, i) = Vector3(xyz[0], xyz[1], xyz[2]);
    }
    if (used_ == 4) grid_->color_value(set_, i) = value;
    return Line::row;
}

void ColumnTable::end_set() {
    if (chunk_ && !grid_) {  // every blank line, and the chunk's end
        segments_.push_back(rows_);
        rows_ = 0;
        return;
    }
    if (rows_ == 0) return;
    if (!grid_) {
        lengths_.push_back(rows_);
    } else {
        if (counted_ &&
            (static_cast<std::size_t>(set_) >= counted_->size() || (*counted_)[set_] != rows_))
            changed_ = true;
        if (!chunk_) pad_set(*grid_, set_, rows_, used_ == 4);
        ++set_;
    }
    rows_ = 0;
}

void pad_set(DataSet& grid, int set, std::size_t rows, bool values) {
    // A short set repeats its last point, so that line sets draw just the data.
    const int last = static_cast<int>(rows) - 1;
    for (int i = last + 1; i < grid.points_per_set; ++i) {
        grid.point(set, i) = grid.point(set, last);
        if (values) grid.color_value(set, i) = grid.color_value(set, last);
    }
}
