#include "data/load_report.h"

#include <cstdarg>
#include <cstdio>

void report_not_loaded(const char* name, const char* problem_format, ...) {
    std::printf("File %s not loaded: ", name);
    va_list args;
    va_start(args, problem_format);
    std::vprintf(problem_format, args);
    va_end(args);
    std::printf("\n");
}

std::string quote_text(const char* first, const char* last) {
    constexpr long kShown = 40;
    std::string out = "\"";
    const char* stop = last - first > kShown ? first + kShown : last;
    for (const char* p = first; p < stop; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        }
    }
    if (stop != last) out += "...";
    out += '"';
    return out;
}
