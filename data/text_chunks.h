#pragma once
// The text of a large file cut into chunks that threads read side by side, each
// chunk's bytes read with pread into a buffer of its own (a file truncated
// meanwhile only reads short; nothing is mapped). A table is cut at line ends (LF,
// CR LF or a lone CR: never inside a line or a CR LF), numbers separated by any
// blanks after any blank. Text with no cut within a mebibyte of where one is
// looked for does not read: one thread reads such a file.

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

// Threads that parse one large file; 0, the default: one for each core.
extern int load_threads;
// A file holds at least this many bytes of points before they are read in
// parallel (16 MiB); tests lower it to 0.
extern long long parallel_load_bytes;
// Bytes of the file a chunk starts from (1 MiB); tests lower it to a few bytes.
extern long long load_chunk_bytes;
constexpr long long kDefaultParallelLoadBytes = 16ll << 20;
constexpr long long kDefaultLoadChunkBytes = 1ll << 20;

// The threads a parse uses now, at least 1.
int parse_threads();

enum class Cuts { at_line_ends, at_blanks };
constexpr long long kLongestCutSearch = 1ll << 20;

// [from, size) of an open file cut into chunks of about load_chunk_bytes.
class TextChunks {
  public:
    TextChunks(int fd, long long from, long long size, Cuts cuts);
    long long count() const { return count_; }
    // The text of chunk k into `text`, then `pad` blanks (for readers that look
    // ahead); false when the file could not be read as long as it was.
    bool read(long long k, std::string& text, std::size_t pad) const;

  private:
    // The first cut at or after `at`: the start of a line.
    bool cut_at_or_after(long long at, long long& cut) const;
    bool read_bytes(long long at, std::size_t n, char* out) const;

    int fd_;
    long long from_, size_, step_, count_;
    Cuts cuts_;
};

// Runs work(k) for k = 0 .. count - 1 on `threads` threads (the caller's among
// them), each thread taking the next k in turn, so that the chunks are begun in
// order; stops handing out work once `stop` is set.
void run_in_order(long long count, int threads, const std::atomic<bool>& stop,
                  const std::function<void(long long)>& work);
