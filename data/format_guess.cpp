#include "data/format_guess.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "data/block_reader.h"
#include "data/decimal.h"
#include "data/formats.h"

namespace {

bool is_number(std::string_view word) {
    double value = 0;
    const DecimalScan scan = scan_decimal(word.data(), word.data() + word.size(), value);
    return scan.status == DecimalStatus::ok && scan.end == word.data() + word.size() &&
           std::fabs(value) <= FLT_MAX;
}

bool is_count(std::string_view word, int& value) {
    value = -1;
    const IntegerScan scan = scan_integer(word.data(), word.data() + word.size(), value);
    return scan.status == DecimalStatus::ok && scan.end == word.data() + word.size() && value >= 0;
}

// Each line's words (the last, cut off, left out unless the file ended there).
template <typename Line>
void for_each_line(const FileStart& start, Line line) {
    const std::string_view text(start.text);
    std::vector<std::string_view> words;
    for (std::size_t at = 0, number = 0; at <= text.size(); ++number) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos && !start.whole && number > 0) return;
        end = std::min(end, text.size());
        words.clear();
        for (std::size_t w = at; w < end;) {
            while (w < end && is_blank(text[w])) ++w;
            std::size_t e = w;
            while (e < end && !is_blank(text[e])) ++e;
            if (e > w) words.push_back(text.substr(w, e - w));
            w = e;
        }
        line(number, words);
        at = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
}

}  // namespace

bool read_file_start(const char* name, FileStart& start) {
    BlockReader in;
    if (in.open(name) != BlockReader::Opened::file) return false;
    while (start.text.size() < kGuessBytes && in.refill()) {
        start.text.append(in.cur,
                          std::min<std::size_t>(in.end - in.cur, kGuessBytes - start.text.size()));
        in.cur = in.end;
    }
    start.whole = in.at_eof() && start.text.size() < kGuessBytes;
    for_each_line(start, [&](std::size_t number, const std::vector<std::string_view>& words) {
        if (number == 0) {
            start.header = words;
            return;
        }
        for (std::string_view w : words) ++(is_number(w) ? start.numbers : start.words);
        if (!words.empty()) (words.size() == 4 ? start.four_a_line : start.other_lines) = true;
    });
    const std::vector<std::string_view>& header = start.header;
    int sets = 0, per_set = 0;
    start.counts = header.size() >= 2 && is_count(header[0], sets) &&
                   is_count(header[1], per_set) && (header.size() == 2 || !is_number(header[2]));
    start.points = static_cast<unsigned long long>(sets) * static_cast<unsigned long long>(per_set);
    return true;
}

int guess_maple(const FileStart& start) {
    const std::size_t lead = start.text.find_first_not_of(" \t");
    return lead != std::string::npos && start.text.compare(lead, 7, "PLOT3D(") == 0 ? kCertain
                                                                                    : kNotThis;
}

// A whole file says by its count; a longer one, or one with a problem (which the
// reader then names), by its lines of four numbers.
int guess_point_data(const FileStart& start) {
    if (!start.counts) return kNotThis;
    return start.whole && start.words == 0 && start.numbers == 3 * start.points ? kSure : kLikely;
}

int guess_color_data(const FileStart& start) {
    if (!start.counts) return kNotThis;
    if (start.whole && start.words == 0 && start.numbers == 4 * start.points) return kSure;
    return start.four_a_line && !start.other_lines ? kSure : kNotThis;
}

int guess_columns(const FileStart& start) {
    if (start.counts) return kFallback;
    // A header (a field that is no number) or a delimiter on the first line.
    const std::string_view first =
        std::string_view(start.text).substr(0, start.text.find_first_of("\r\n"));
    bool table = first.find_first_of(",;\t") != std::string_view::npos;
    for (std::string_view w : start.header) table = table || !is_number(w);
    return table ? kCertain : kFallback;
}

int guess_data_format(const char* name, int* sureness) {
    FileStart start;
    if (sureness) *sureness = kNotThis;
    if (!read_file_start(name, start)) return kColumnsFormat;
    int best = kColumnsFormat, best_score = -1;
    for (const FileFormat& f : kFileFormats) {
        const int score = f.guess(start);
        if (score > best_score) {
            best = f.format;
            best_score = score;
        }
    }
    if (sureness) *sureness = best_score;
    return best;
}
