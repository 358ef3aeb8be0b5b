#include "tests/support/stdout_capture.h"

#include <unistd.h>

#include <cstdio>

StdoutCapture::StdoutCapture() {
    std::fflush(stdout);
    sink_ = std::tmpfile();
    saved_fd_ = dup(fileno(stdout));
    dup2(fileno(sink_), fileno(stdout));
}

StdoutCapture::~StdoutCapture() {
    if (saved_fd_ >= 0) finish();
}

std::string StdoutCapture::finish() {
    std::fflush(stdout);
    dup2(saved_fd_, fileno(stdout));
    close(saved_fd_);
    saved_fd_ = -1;
    std::string out;
    std::rewind(sink_);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, sink_)) > 0) out.append(buffer, n);
    std::fclose(sink_);
    sink_ = nullptr;
    return out;
}
