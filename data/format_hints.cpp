#include "data/format_hints.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string_view>
#include <vector>

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

namespace {

// The words of each line of `text` (the last one, cut off at the end of what was
// read, left out unless the file ended there).
std::vector<std::vector<std::string_view>> lines_of_words(std::string_view text, bool whole) {
    std::vector<std::vector<std::string_view>> lines(1);
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (is_line_end(c)) {
            const bool pair = c == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
            at += pair ? 2 : 1;
            lines.emplace_back();
        } else if (is_blank(c)) {
            ++at;
        } else {
            std::size_t end = at;
            while (end < text.size() && !is_blank(text[end])) ++end;
            lines.back().push_back(text.substr(at, end - at));
            at = end;
        }
    }
    if (!whole && lines.size() > 1) lines.pop_back();
    return lines;
}

bool is_count(std::string_view word) {
    int value = -1;
    const IntegerScan scan = scan_integer(word.data(), word.data() + word.size(), value);
    return scan.status == DecimalStatus::ok && scan.end == word.data() + word.size() && value >= 0;
}

}  // namespace

int guess_data_format(const char* name) {
    BlockReader in;
    if (!open_again(in, name)) return kColumnsFormat;
    // The first few megabytes tell, however large the file.
    std::string start;
    while (start.size() < kGuessBytes && in.refill()) {
        start.append(in.cur, std::min<std::size_t>(in.end - in.cur, kGuessBytes - start.size()));
        in.cur = in.end;
    }
    const bool whole = in.at_eof() && start.size() < kGuessBytes;
    std::string_view text(start);
    if (text.size() >= 3 && text.substr(0, 3) == "\xef\xbb\xbf") text.remove_prefix(3);
    const std::size_t lead = text.find_first_not_of(" \t");
    if (lead != std::string_view::npos && text.substr(lead, 7) == "PLOT3D(") return kMapleFormat;
    const auto lines = lines_of_words(text, whole);
    // "Data" and "Data with Color" begin with a header of two counts, perhaps with
    // words of comment after them but no third number (a table's first row).
    const std::vector<std::string_view>& header = lines[0];
    if (header.size() < 2 || !is_count(header[0]) || !is_count(header[1]) ||
        (header.size() > 2 && is_number(header[2].data(), header[2].data() + header[2].size())))
        return kColumnsFormat;
    unsigned long long numbers = 0, words = 0;
    bool four_a_line = false, other_lines = false;
    for (std::size_t l = 1; l < lines.size(); ++l) {
        for (std::string_view w : lines[l])
            ++(is_number(w.data(), w.data() + w.size()) ? numbers : words);
        if (lines[l].empty()) continue;
        (lines[l].size() == 4 ? four_a_line : other_lines) = true;
    }
    // A whole file says by its count; a longer one, or one with a problem (which
    // the reader then names), by its lines of four numbers.
    int sets = 0, per_set = 0;
    scan_integer(header[0].data(), header[0].data() + header[0].size(), sets);
    scan_integer(header[1].data(), header[1].data() + header[1].size(), per_set);
    const unsigned long long points = static_cast<unsigned long long>(sets) * per_set;
    if (whole && words == 0 && numbers == 3 * points) return kDataFormat;
    if (whole && words == 0 && numbers == 4 * points) return kColorDataFormat;
    return four_a_line && !other_lines ? kColorDataFormat : kDataFormat;
}
