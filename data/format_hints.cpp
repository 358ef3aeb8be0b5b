#include "data/format_hints.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/settings.h"
#include "data/block_reader.h"
#include "data/decimal.h"
#include "data/maple_header.h"
#include "data/maple_text.h"

namespace {

const char* const kIsItData = "; is it \"Data\"?";
const char* const kIsItMaple = "; is it \"Maple\"?";
const char* const kIsItColumns = "; is it \"Columns\"?";

bool is_number(const char* first, const char* last) {
    double value = 0;
    const DecimalScan scan = scan_decimal(first, last, value);
    return scan.status == DecimalStatus::ok && scan.end == last && std::fabs(value) <= FLT_MAX;
}

// The end of the word at in.cur, reading on until the whole word is in the buffer
// (or the buffer is full of it). A refill moves the bytes, even one that finds
// the end of the file, so the word is measured again after every one.
const char* word_end(BlockReader& in) {
    for (;;) {
        const char* t = in.cur;
        while (t < in.end && !is_blank(*t)) ++t;
        if (t < in.end || in.at_eof() || in.full() || in.error() != 0) return t;
        in.refill();
    }
}

// Past the word at in.cur, which is longer than the buffer holds.
void skip_long_word(BlockReader& in) {
    for (;;) {
        while (in.cur < in.end && !is_blank(*in.cur)) ++in.cur;
        if (in.cur < in.end || !in.refill()) return;
    }
}

// The header's point count: two whole words of the first line, counts of 0 or more.
bool read_point_count(BlockReader& in, unsigned long long& points) {
    unsigned long long counts[2];
    for (unsigned long long& count : counts) {
        for (;;) {
            while (in.cur < in.end && !is_line_end(*in.cur) && is_blank(*in.cur)) ++in.cur;
            if (in.cur < in.end || !in.refill()) break;
        }
        const char* t = word_end(in);
        int value = -1;
        const IntegerScan scan = scan_integer(in.cur, t, value);
        if (t == in.cur || scan.status != DecimalStatus::ok || scan.end != t || value < 0)
            return false;
        count = static_cast<unsigned long long>(value);
        in.cur = t;
    }
    for (;;) {
        while (in.cur < in.end && !is_line_end(*in.cur)) ++in.cur;
        if (in.cur < in.end) break;
        if (!in.refill()) return in.error() == 0;
    }
    ++in.cur;
    points = counts[0] * counts[1];
    return true;
}

bool open_again(BlockReader& in, const char* name) {
    return in.open(name) == BlockReader::Opened::file;
}

// Whether the file is a header of two counts followed by exactly `values` numbers
// per point.
bool reads_as_complete(const char* name, unsigned long long values) {
    BlockReader in;
    unsigned long long points = 0;
    if (!open_again(in, name) || !read_point_count(in, points)) return false;
    const RestOfFile all = count_rest(in);
    return in.error() == 0 && all.words == 0 && all.numbers == values * points;
}
bool reads_as_complete_data(const char* name) {
    return reads_as_complete(name, 3);
}

// Whether the first line, which is no header of two counts, holds a comma, a word
// or three numbers: the first row of a table or its header.
bool starts_like_table(const char* name) {
    BlockReader in;
    unsigned long long points = 0;
    if (!open_again(in, name) || read_point_count(in, points)) return false;
    BlockReader again;
    if (!open_again(again, name)) return false;
    again.refill();
    const char* end = again.cur;
    while (end < again.end && !is_line_end(*end)) ++end;
    unsigned numbers = 0;
    for (const char* p = again.cur; p < end;) {
        while (p < end && is_blank(*p)) ++p;
        const char* t = p;
        while (t < end && !is_blank(*t)) ++t;
        if (t == p) break;
        if (!is_number(p, t) || std::find(p, t, ',') != t) return true;
        ++numbers;
        p = t;
    }
    return numbers >= 3;
}

bool starts_like_maple(const char* name) {
    BlockReader in;
    if (!open_again(in, name)) return false;
    MapleChunks chunks(in);
    return parse_maple_header(cut_at_backslash(chunks.next())).form != MapleHeader::kNone;
}

}  // namespace

RestOfFile count_rest(BlockReader& in) {
    RestOfFile rest;
    for (;;) {
        while (in.cur < in.end && is_blank(*in.cur)) ++in.cur;
        if (in.cur == in.end) {
            if (in.refill()) continue;
            return rest;
        }
        const char* t = word_end(in);
        if (t == in.end && in.full()) {
            ++rest.words;
            skip_long_word(in);
            continue;
        }
        ++(is_number(in.cur, t) ? rest.numbers : rest.words);
        in.cur = t;
    }
}

std::string trailing_numbers_hint(const char* name, unsigned long long points,
                                  const RestOfFile& rest) {
    if (rest.numbers == 0) return "";
    const bool one_more_per_point = rest.words == 0 && rest.numbers == points;
    return std::string(name) + ": " + std::to_string(rest.numbers) + " more number" +
           (rest.numbers == 1 ? "" : "s") + " after the last point" +
           (one_more_per_point ? "; is it \"Data with Color\"?" : " (not read)");
}

std::string data_refusal_hint(const char* name) {
    if (starts_like_maple(name)) return kIsItMaple;
    return starts_like_table(name) ? kIsItColumns : "";
}

std::string color_data_refusal_hint(const char* name) {
    if (reads_as_complete_data(name)) return kIsItData;
    return data_refusal_hint(name);
}

std::string maple_refusal_hint(const char* name) {
    return reads_as_complete_data(name) ? kIsItData : "";
}

std::string columns_refusal_hint(const char* name) {
    if (reads_as_complete_data(name)) return kIsItData;
    if (reads_as_complete(name, 4)) return "; is it \"Data with Color\"?";
    return starts_like_maple(name) ? kIsItMaple : "";
}
