#pragma once
// The console lines of the readers: printed on standard output at once, or, on a
// thread that keeps them (a load away from the event loop), collected for the
// event loop to print when the load is done, so that the lines of one load stay
// together and in their order.

#include <string>

#if defined(__GNUC__)
#define ZENDRAL_CONSOLE_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define ZENDRAL_CONSOLE_FORMAT(f, a)
#endif

void console_print(const char* format, ...) ZENDRAL_CONSOLE_FORMAT(1, 2);

// While one lives, console_print on this thread appends to `kept` instead.
class ConsoleKept {
  public:
    explicit ConsoleKept(std::string& kept);
    ~ConsoleKept();
    ConsoleKept(const ConsoleKept&) = delete;
    ConsoleKept& operator=(const ConsoleKept&) = delete;

  private:
    std::string* previous_;
};
