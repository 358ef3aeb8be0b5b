#pragma once
// Reads a file in large blocks into one buffer of fixed size, so that the readers
// scan it from memory and never hold more than that buffer, whatever the file size.

#include <cstddef>
#include <memory>

class BlockReader {
  public:
    BlockReader() = default;
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // Opens `name` for reading: only a regular file opens. A folder counts as
    // missing; a pipe, socket or device is not_regular and is never waited for;
    // anything else that keeps it from opening (no permission, a loop of links)
    // is failed, with its errno in error().
    enum class Opened { file, missing, not_regular, failed };
    Opened open(const char* name);
    // Reads `text` (which outlives the reader) as if it were a whole file: a chunk
    // of one that another reader cut out (data/text_chunks.h).
    void use_text(const char* text, std::size_t size);
    // The size of the file in bytes, and its modification time (nanoseconds), at open.
    long long size() const { return size_; }
    long long modified_ns() const { return modified_ns_; }
    // Whether the file's size or modification time differs now from its open:
    // someone wrote it meanwhile.
    bool changed_since_open() const;

    // The unread bytes held in the buffer are [cur, end); readers advance cur.
    const char* cur = nullptr;
    const char* end = nullptr;

    // Moves the unread bytes to the front of the buffer and appends the next bytes of
    // the file (a UTF-8 byte-order mark at its start left out). False when nothing was added: at
    // the end of the file, after a read error (error()), or when the buffer is already full of
    // unread bytes (full()).
    bool refill();
    bool at_eof() const { return eof_; }
    // The open file, for readers that read parts of it themselves (pread).
    int fd() const { return fd_; }
    // The file offset of cur: how far into the file the reader has come.
    long long offset() const { return read_ - (end - cur); }
    int error() const { return error_; }
    bool full() const { return static_cast<std::size_t>(end - cur) == capacity_; }

    // Bytes per buffer: 256 KiB. Tests and fuzz targets lower it to reach block
    // boundaries with small files; it also bounds the length of one number.
    static std::size_t block_size;
    static constexpr std::size_t kDefaultBlockSize = 256 * 1024;

  private:
    int fd_ = -1;
    long long size_ = -1;
    long long modified_ns_ = -1;
    long long read_ = 0;  // bytes read from the file so far
    bool eof_ = false;
    bool started_ = false;  // bytes were read: a byte-order mark comes first only
    int error_ = 0;
    std::size_t capacity_ = 0;
    std::unique_ptr<char[]> buffer_;
};
