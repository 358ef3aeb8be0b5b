#include "app/whole_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool write_whole_file(const std::string& path, const std::vector<unsigned char>& bytes,
                      bool exclusive, std::string& error) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string temporary = folder + "." + name + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // mkstemp makes the file for its owner alone; a picture is as open as any new file.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    if (!ok) error = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    if (ok) {
        int placed = exclusive ? renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(),
                                           RENAME_NOREPLACE)
                               : std::rename(temporary.c_str(), path.c_str());
        // A file system without the exclusive rename still links without replacing.
        if (placed != 0 && exclusive && errno == EINVAL)
            placed = link(temporary.c_str(), path.c_str());
        ok = placed == 0;
        if (!ok) error = std::strerror(errno);
    }
    ::unlink(temporary.c_str());  // already renamed, or linked, or not wanted
    return ok;
}
