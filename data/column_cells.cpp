// The cells of a table (data/column_table.h): numbers, quoted or not, and what
// the reader says of a cell that is none.

#include <cctype>
#include <cfloat>
#include <cmath>

#include "data/block_reader.h"
#include "data/column_table.h"
#include "data/decimal.h"
#include "data/load_report.h"

namespace {

bool is_not_finite_word(std::string word) {
    for (char& c : word) c = static_cast<char>(c | 0x20);
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.erase(0, 1);
    return word == "nan" || word == "inf" || word == "infinity";
}

}  // namespace

bool is_number_or_not_finite(const std::string& field) {
    double value;
    const DecimalScan scan = scan_decimal(field.data(), field.data() + field.size(), value);
    return (scan.status != DecimalStatus::none && scan.end == field.data() + field.size()) ||
           is_not_finite_word(field);
}

bool is_missing_word(const std::string& word) {
    std::string w = word;
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return w == "nan" || w == "na" || w == "n/a" || w == "?" || w == "-";
}

void ColumnTable::note_missing(int column) {
    if (missing_++ == 0) {
        first_missing_line_ = line_;
        first_missing_column_ = column + 1;
    }
}

// The general cell; read_rows takes the plain ones faster. A missing value
// (an empty cell, a missing word) reads as NaN.
template <typename T>
TableLine ColumnTable::cell(const char*& p, int column, T& value, bool after_delimiter) {
    while (p < end_ && skippable(*p)) ++p;
    if (p == end_ && !eof_) return Line::more;
    const bool at_end = p == end_ || is_line_end_char(*p) || *p == '#';
    const bool empty = at_end ? after_delimiter : *p == delimiter_ && delimiter_ != kBlankRuns;
    if (at_end && !empty) return missing_cell(column, "the end of the line");
    const char* first = p;
    DecimalScan scan;
    if (empty) {
        value = static_cast<T>(NAN);
        note_missing(column);
    } else if (*p == '"') {
        std::string text;
        const Line got = quoted_text(p, column, text);
        if (got != Line::row) return got;
        scan = scan_decimal(text.data(), text.data() + text.size(), value);
        if (text.empty() || is_missing_word(text)) {
            value = static_cast<T>(NAN);
            note_missing(column);
        } else if (scan.end != text.data() + text.size() || scan.status != DecimalStatus::ok ||
                   !(std::fabs(static_cast<double>(value)) <= FLT_MAX)) {
            // Quoted or not, a number beyond single precision is refused.
            return bad_cell(first, column);
        }
    } else {
        const char* t = p;
        while (t < end_ && !ends_cell(*t) && !skippable(*t)) ++t;
        if (t == end_ && !eof_) return Line::more;
        if (is_missing_word(std::string(p, t))) {
            value = static_cast<T>(NAN);
            note_missing(column);
            p = t;
        } else {
            scan = scan_decimal(p, end_, value);
            p = scan.end;
            if (p == end_ && !eof_) return Line::more;
            if (p < end_ && !ends_cell(*p) && !skippable(*p)) return bad_cell(first, column);
            if (scan.status != DecimalStatus::ok ||
                !(std::fabs(static_cast<double>(value)) <= FLT_MAX))
                return bad_cell(first, column);
        }
    }
    while (p < end_ && skippable(*p)) ++p;
    if (p == end_ && !eof_) return Line::more;
    if (delimiter_ == kBlankRuns || p == end_ || is_line_end_char(*p) || *p == '#')
        return Line::row;
    if (*p != delimiter_) return bad_cell(first, column);
    ++p;
    return Line::row;
}

// A cell of a column not read, whatever it holds, and the delimiter after it.
TableLine ColumnTable::skip_cell(const char*& p) {
    while (p < end_ && skippable(*p)) ++p;
    for (bool quoted = false; p == end_ || quoted || !ends_cell(*p); ++p) {
        if (p == end_ || (quoted && is_line_end_char(*p))) return eof_ ? Line::row : Line::more;
        if (!quoted && skippable(*p) && delimiter_ == kBlankRuns) break;
        if (*p == '"') quoted = !quoted;
    }
    while (p < end_ && skippable(*p)) ++p;
    if (p == end_ && !eof_) return Line::more;
    if (p < end_ && *p == delimiter_ && delimiter_ != kBlankRuns) ++p;
    return Line::row;
}

TableLine ColumnTable::quoted_text(const char*& p, int column, std::string& text) {
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

TableLine ColumnTable::missing_cell(int column, const char* found) {
    report_not_loaded(name_, "line %lld, column %d: expected a number, found %s", line_, column + 1,
                      found);
    return Line::refused;
}

// Names what stands in the cell at `first` instead of a number within range,
// once the whole cell is in the buffer.
TableLine ColumnTable::bad_cell(const char* first, int column) {
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

template TableLine ColumnTable::cell(const char*&, int, double&, bool);
template TableLine ColumnTable::cell(const char*&, int, float&, bool);
