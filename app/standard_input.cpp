#include "app/standard_input.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string folder, copy;

void remove_copy() {
    if (!copy.empty()) ::unlink(copy.c_str());
    if (!folder.empty()) ::rmdir(folder.c_str());
}

}  // namespace

std::string copy_standard_input(std::string& why) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zendral-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        why = std::strerror(errno);
        return "";
    }
    folder = pattern;
    copy = folder + "/stdin";
    std::atexit(remove_copy);
    const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        why = std::strerror(errno);
        return "";
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        bool written = n > 0;
        for (ssize_t done = 0; written && done < n;) {
            const ssize_t w =
                ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            written = w > 0;
            done += written ? w : 0;
        }
        if (!written) {
            why = std::strerror(errno);
            ::close(out);
            return "";
        }
    }
    if (::close(out) != 0) {
        why = std::strerror(errno);
        return "";
    }
    return copy;
}
