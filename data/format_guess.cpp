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

void split_lines(FileStart& start) {
    const std::string_view text(start.text);
    start.lines.assign(1, {});
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (is_line_end(c)) {
            const bool pair = c == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
            at += pair ? 2 : 1;
            start.lines.emplace_back();
        } else if (is_blank(c)) {
            ++at;
        } else {
            std::size_t end = at;
            while (end < text.size() && !is_blank(text[end])) ++end;
            start.lines.back().push_back(text.substr(at, end - at));
            at = end;
        }
    }
    if (!start.whole && start.lines.size() > 1) start.lines.pop_back();
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
    if (start.text.rfind("\xef\xbb\xbf", 0) == 0) start.text.erase(0, 3);
    split_lines(start);
    const std::vector<std::string_view>& header = start.lines[0];
    int sets = 0, per_set = 0;
    start.counts = header.size() >= 2 && is_count(header[0], sets) &&
                   is_count(header[1], per_set) && (header.size() == 2 || !is_number(header[2]));
    start.points = static_cast<unsigned long long>(sets) * static_cast<unsigned long long>(per_set);
    for (std::size_t l = 1; l < start.lines.size(); ++l) {
        for (std::string_view w : start.lines[l]) ++(is_number(w) ? start.numbers : start.words);
        if (!start.lines[l].empty())
            (start.lines[l].size() == 4 ? start.four_a_line : start.other_lines) = true;
    }
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
    for (std::string_view w : start.lines[0]) table = table || !is_number(w);
    return table ? kCertain : kFallback;
}

int guess_data_format(const char* name) {
    FileStart start;
    if (!read_file_start(name, start)) return kColumnsFormat;
    int best = kColumnsFormat, best_score = -1;
    for (const FileFormat& f : kFileFormats) {
        const int score = f.guess(start);
        if (score > best_score) {
            best = f.format;
            best_score = score;
        }
    }
    return best;
}
