#include "core/console.h"

#include <cstdarg>
#include <cstdio>

namespace {
thread_local std::string* kept_text = nullptr;
}  // namespace

void console_print(const char* format, ...) {
    va_list args;
    va_start(args, format);
    if (!kept_text) {
        std::vprintf(format, args);
        va_end(args);
        return;
    }
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        const std::size_t at = kept_text->size();
        kept_text->resize(at + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(&(*kept_text)[at], static_cast<std::size_t>(length) + 1, format, again);
        kept_text->pop_back();  // the terminating zero
    }
    va_end(again);
}

ConsoleKept::ConsoleKept(std::string& kept) : previous_(kept_text) {
    kept_text = &kept;
}

ConsoleKept::~ConsoleKept() {
    kept_text = previous_;
}
