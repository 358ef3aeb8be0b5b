#include "data/column_choice.h"

#include <algorithm>
#include <cctype>

namespace {

bool all_digits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

bool parse_column_choice(const std::string& text, ColumnChoice& choice, std::string& why) {
    choice.parts.clear();
    if (text.empty()) return true;
    std::size_t at = 0;
    for (;;) {
        const std::size_t colon = text.find(':', at);
        choice.parts.push_back(text.substr(at, colon == std::string::npos ? colon : colon - at));
        if (colon == std::string::npos) break;
        at = colon + 1;
    }
    const bool counted = choice.parts.size() == 3 || choice.parts.size() == 4;
    const bool named =
        std::none_of(choice.parts.begin(), choice.parts.end(), [](const std::string& p) {
            return p.empty() || (all_digits(p) && std::stoll(p.substr(0, 9)) == 0);
        });
    if (counted && named) return true;
    choice.parts.clear();
    why =
        "expected X:Y:Z or X:Y:Z:V (numbers from 1 or names of the header), found \"" + text + "\"";
    return false;
}

bool resolve_columns(const ColumnChoice& choice, const std::vector<std::string>& header,
                     std::size_t fields, int wanted[4], std::string& why) {
    wanted[3] = -1;
    for (std::size_t k = 0; k < choice.parts.size(); ++k) {
        const std::string& part = choice.parts[k];
        if (all_digits(part)) {
            const long long n = part.size() > 9 ? 1000000000 : std::stoll(part);
            if (n > static_cast<long long>(fields)) {
                why = "there is no column " + part + ": the table has " + std::to_string(fields);
                return false;
            }
            wanted[k] = static_cast<int>(n - 1);
            continue;
        }
        // By name: exactly as the header writes it, else in any case.
        auto at = std::find(header.begin(), header.end(), part);
        if (at == header.end())
            at = std::find_if(header.begin(), header.end(),
                              [&](const std::string& h) { return lower(h) == lower(part); });
        if (at == header.end()) {
            why = "there is no column \"" + part + "\"" +
                  (header.empty() ? ": the table has no header" : "");
            return false;
        }
        wanted[k] = static_cast<int>(at - header.begin());
    }
    return true;
}

bool names_an_index(const std::string& field) {
    const std::string f = lower(field);
    return f.empty() || f == "unnamed: 0" || f == "index";
}
