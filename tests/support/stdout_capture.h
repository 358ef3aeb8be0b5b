#pragma once
// Captures what code under test writes to standard output (printf included).

#include <cstdio>
#include <string>

class StdoutCapture {
  public:
    StdoutCapture();       // starts capturing
    ~StdoutCapture();      // stops, if still capturing
    std::string finish();  // stops and returns everything written meanwhile

  private:
    int saved_fd_ = -1;
    std::FILE* sink_ = nullptr;
};
