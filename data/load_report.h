#pragma once
// The one line a reader prints when it does not load a file:
// "File <name> not loaded: <problem>". The data set keeps what it showed before,
// and the picture's status line says "<name> not loaded: <problem>".

#include <string>

#if defined(__GNUC__)
#define ZENDRAL_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define ZENDRAL_PRINTF_FORMAT(f, a)
#endif

void report_not_loaded(const char* name, const char* problem_format, ...)
    ZENDRAL_PRINTF_FORMAT(2, 3);

// While one lives, report_not_loaded on this thread says nothing: a part of a
// file read on a helper thread, whose problem the whole file's reader names.
class SilentReports {
  public:
    SilentReports();
    ~SilentReports();
    SilentReports(const SilentReports&) = delete;
    SilentReports& operator=(const SilentReports&) = delete;

  private:
    bool previous_;
};

// The problem a read error makes: "cannot read it (<the system's reason>)", or,
// for a load asked to stop (data/load_progress.h), "the load was cancelled".
std::string read_error_problem(int error);

// "File <name> does not exist"; on the status line "<name> not loaded: the file
// does not exist".
void report_missing_file(const char* name);

// Opens `name` into `in`, or reports why not and returns false: missing (as
// above), not a regular file (a pipe, a socket, a device): "File <name> not
// loaded: not a regular file", or the system's reason ("permission denied").
class BlockReader;
bool open_or_report(BlockReader& in, const char* name);

// While one lives, report_not_loaded adds what `hint` says about the file to the
// problem (say "; is it \"Data\"?"), asked only when a load is refused.
class RefusalHint {
  public:
    using Hint = std::string (*)(const char* name);
    explicit RefusalHint(Hint hint);
    ~RefusalHint();
    RefusalHint(const RefusalHint&) = delete;
    RefusalHint& operator=(const RefusalHint&) = delete;

  private:
    Hint previous_;
};

// Text of the file for a message: in double quotes, at most 40 bytes (then "..."),
// with every byte that is not printable ASCII written as \xNN, so that the message
// stays on one line whatever the file holds.
std::string quote_text(const char* first, const char* last);
