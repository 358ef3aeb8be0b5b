#pragma once
// The one line a reader prints when it does not load a file:
// "File <name> not loaded: <problem>". The data set keeps what it showed before.

#include <string>

#if defined(__GNUC__)
#define ZENDRAL_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define ZENDRAL_PRINTF_FORMAT(f, a)
#endif

void report_not_loaded(const char* name, const char* problem_format, ...)
    ZENDRAL_PRINTF_FORMAT(2, 3);

// Text of the file for a message: in double quotes, at most 40 bytes (then "..."),
// with every byte that is not printable ASCII written as \xNN, so that the message
// stays on one line whatever the file holds.
std::string quote_text(const char* first, const char* last);
