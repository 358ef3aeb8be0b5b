#include "app/text_wrap.h"

namespace {
// The longest start of `word` (at least one character) that fits `width`.
std::size_t fitting_prefix(const std::string& word, int width,
                           const std::function<int(const std::string&)>& measure) {
    std::size_t n = 1;
    while (n < word.size() && measure(word.substr(0, n + 1)) <= width) ++n;
    return n;
}
}  // namespace

std::vector<std::string> wrap_text(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    if (measure(text) <= width) return {text};  // one line, exactly as written
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(at, end - at);
        at = end;
        for (;;) {
            const std::string joined = line.empty() ? word : line + " " + word;
            if (measure(joined) <= width) {
                line = joined;
                break;
            }
            if (!line.empty()) {
                lines.push_back(line);
                line.clear();
                continue;
            }
            // A word wider than the whole line is broken where it must be.
            const std::size_t n = fitting_prefix(word, width, measure);
            lines.push_back(word.substr(0, n));
            word.erase(0, n);
            if (word.empty()) break;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
