#include "data/load_report.h"

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/console.h"
#include "core/status_line.h"
#include "data/block_reader.h"

namespace {
thread_local RefusalHint::Hint current_hint = nullptr;  // each loading thread its own
thread_local bool silent = false;
}  // namespace

SilentReports::SilentReports() : previous_(silent) {
    silent = true;
}
SilentReports::~SilentReports() {
    silent = previous_;
}

RefusalHint::RefusalHint(Hint hint) : previous_(current_hint) {
    current_hint = hint;
}
RefusalHint::~RefusalHint() {
    current_hint = previous_;
}

void report_not_loaded(const char* name, const char* problem_format, ...) {
    if (silent) return;
    va_list args, again;
    va_start(args, problem_format);
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, problem_format, args);
    std::vector<char> text(length > 0 ? length + 1 : 1, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size(), problem_format, again);
    va_end(again);
    va_end(args);
    std::string problem = text.data();
    if (current_hint) problem += current_hint(name);
    console_print("File %s not loaded: %s\n", name, problem.c_str());
    set_status_line(std::string(name) + " not loaded: " + problem);
}

void report_missing_file(const char* name) {
    console_print("File %s does not exist\n", name);
    set_status_line(std::string(name) + " not loaded: the file does not exist");
}

bool open_or_report(BlockReader& in, const char* name) {
    const BlockReader::Opened opened = in.open(name);
    if (opened == BlockReader::Opened::not_regular) report_not_loaded(name, "not a regular file");
    if (opened == BlockReader::Opened::missing) report_missing_file(name);
    if (opened == BlockReader::Opened::failed) {
        std::string why = std::strerror(in.error());
        if (!why.empty())
            why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(why[0])));
        report_not_loaded(name, "%s", why.c_str());
    }
    return opened == BlockReader::Opened::file;
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

std::string read_error_problem(int error) {
    if (error == ECANCELED) return "the load was cancelled";
    return std::string("cannot read it (") + std::strerror(error) + ")";
}
