#pragma once
// The text of a Maple file after its header: the chunks it is read in, and the
// values of the bracketed list, rebuilt into grid points.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "data/block_reader.h"

class DataSet;

// Splits the file into chunks as a line reader with a 100-character buffer sees
// it: at most 99 characters, a line end ends a chunk and belongs to it, a CR
// just before a line end is dropped, and a lone CR is a line end. A chunk is cut
// at its first backslash (the line continues on the next one); the cut drops
// the rest of that chunk only.
class MapleChunks {
  public:
    static constexpr int kLength = 99;
    explicit MapleChunks(BlockReader& in) : in_(in) {}
    // The next chunk, empty at the end of the file or after a read error. It stays
    // valid until the next call.
    std::string_view next();

    // The next chunk, already cut at its first backslash, and where the first "]]"
    // of that text stands (npos when it has none). False at the end of the file or
    // after a read error. One pass over the bytes finds the line end, a CR, the
    // backslash and the brackets together.
    bool next_cut(std::string_view& text, std::size_t& close);
    // How far the memory after the last text of next_cut() may be read (not used):
    // the number scanner looks a few bytes ahead of the number it reads.
    const char* readable_end() const { return readable_end_; }

  private:
    BlockReader& in_;
    char copy_[kLength];  // a chunk whose CR LF had to be joined
    const char* readable_end_ = nullptr;
};

std::string_view cut_at_backslash(std::string_view chunk);

// Takes the list text piece by piece. Every run of characters other than ',', '[',
// ']' and line end is a value, also when it is split over several pieces; a run of
// blanks alone is not. A run is read as a number from its start (after blanks), and
// gives 0 when it does not begin with one (an undefined entry, say). The k-th value
// becomes point_at(k), with y index fastest: x = x_min + (k / ny) * dx,
// y = y_min + (k % ny) * dy.
class MapleValues {
  public:
    // A run longer than this (without a separator) refuses the file.
    static constexpr std::size_t kMaxRunLength = 65536;

    MapleValues(DataSet& grid, double x_min, double dx, double y_min, double dy);
    // False when the file is refused: see problem(). The memory up to readable_end
    // (at least the end of text) may be read, though only text is taken.
    bool feed(std::string_view text, const char* readable_end = nullptr);
    bool finish();                              // ends the last run
    long long count() const { return count_; }  // values seen, stored or not
    double z_min() const { return z_min_; }
    double z_max() const { return z_max_; }
    const std::string& problem() const { return problem_; }

  private:
    bool run(const char* first, const char* last, const char* readable_end);
    void store(double z);
    bool too_long();
    void carry(const char* first, const char* last);  // appends to the carried run

    DataSet& grid_;
    long long capacity_;
    long long ny_;
    double x_min_, dx_, y_min_, dy_;
    long long count_ = 0;
    long long xi_ = 0, yj_ = 0;  // index of the next value, from the first index
    double z_min_, z_max_;
    // Start of a run that continues in the next piece (a number split over two
    // lines, mostly): a plain buffer, grown only for unusually long runs.
    std::unique_ptr<char[]> carry_;
    std::size_t carry_size_ = 0;
    std::size_t carry_capacity_ = 0;
    std::string problem_;
};
