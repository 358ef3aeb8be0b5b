#include "data/block_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "data/load_progress.h"

std::size_t BlockReader::block_size = BlockReader::kDefaultBlockSize;

BlockReader::~BlockReader() {
    if (fd_ >= 0) ::close(fd_);
}

BlockReader::Opened BlockReader::open(const char* name) {
    // Opened again: from the start, as a reader of its own.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    eof_ = started_ = false;
    error_ = 0;
    read_ = 0;
    cur = end = nullptr;
    // A pipe is refused before it is opened (opening one to read would wait for a
    // writer), and the open does not block either, in case the name now stands
    // for something else; its own type is what counts.
    struct stat info;
    // Only a name that leads nowhere is missing; any other failure has its reason.
    const auto failed = [this] {
        error_ = errno;
        return errno == ENOENT || errno == ENOTDIR ? Opened::missing : Opened::failed;
    };
    if (::stat(name, &info) != 0) return failed();
    if (S_ISDIR(info.st_mode)) return Opened::missing;
    if (!S_ISREG(info.st_mode)) return Opened::not_regular;
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return failed();
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool regular_or_folder = S_ISREG(info.st_mode) || S_ISDIR(info.st_mode);
        ::close(fd);
        return regular_or_folder ? Opened::missing : Opened::not_regular;
    }
    fd_ = fd;
    size_ = static_cast<long long>(info.st_size);
    modified_ns_ = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    capacity_ = block_size < 2 ? 2 : block_size;
    buffer_.reset(new char[capacity_]);
    cur = end = buffer_.get();
    return Opened::file;
}

void BlockReader::use_text(const char* text, std::size_t size) {
    cur = text;
    end = text + size;
    eof_ = started_ = true;
    capacity_ = size + 1;  // never full: the text is all there is
}

bool BlockReader::refill() {
    if (fd_ < 0 || eof_ || error_ != 0 || full()) return false;
    LoadProgress* const progress = load_progress();
    if (load_cancelled(progress)) {
        error_ = ECANCELED;  // the readers stop as at any read error
        return false;
    }
    char* base = buffer_.get();
    std::size_t kept = static_cast<std::size_t>(end - cur);
    if (kept > 0 && cur != base) std::memmove(base, cur, kept);
    cur = base;
    end = base + kept;
    for (;;) {
        const ssize_t n = ::read(fd_, base + kept, capacity_ - kept);
        if (n > 0) {
            end = base + kept + n;
            read_ += n;
            add_load_progress(progress, n);
            // A UTF-8 byte-order mark (Windows editors, spreadsheet exports) is no text.
            if (!started_ && end - cur >= 3 && std::memcmp(cur, "\xef\xbb\xbf", 3) == 0) cur += 3;
            started_ = true;
            // Callers take a refill to mean at least one byte more: a file that
            // was nothing but the mark reads on.
            if (cur == end) {
                cur = end = base;
                kept = 0;
                continue;
            }
            return true;
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        if (errno != EINTR) {
            error_ = errno;
            return false;
        }
    }
}

bool BlockReader::changed_since_open() const {
    struct stat info;
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return true;
    const long long modified =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return static_cast<long long>(info.st_size) != size_ || modified != modified_ns_;
}
