#include "data/maple_text.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "data/data_set.h"
#include "data/decimal.h"
#include "data/load_report.h"

namespace {

// One table look-up rather than four comparisons: it runs twice per value.
struct SeparatorTable {
    bool is[256];
    constexpr SeparatorTable() : is() {
        is[int{','}] = is[int{'['}] = is[int{']'}] = is[int{'\n'}] = true;
    }
};
constexpr SeparatorTable kSeparators;
inline bool is_separator(char c) {
    return kSeparators.is[static_cast<unsigned char>(c)];
}

}  // namespace

std::string_view MapleChunks::next() {
    // Fast path: a whole chunk is in the buffer and holds no CR; it is used in place.
    if (in_.end - in_.cur > kLength) {
        const char* const start = in_.cur;
        const void* newline = std::memchr(start, '\n', kLength);
        const std::size_t length =
            newline != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1
                : kLength;
        if (std::memchr(start, '\r', length) == nullptr) {
            in_.cur += length;
            return std::string_view(start, length);
        }
    }
    std::size_t length = 0;
    while (length < kLength) {
        if (in_.cur == in_.end && !in_.refill()) break;
        const char c = *in_.cur;
        if (c == '\r') {
            if (in_.cur + 1 == in_.end) in_.refill();  // the next byte decides
            if (in_.cur + 1 < in_.end && in_.cur[1] == '\n') {
                ++in_.cur;  // CR LF reads as one line end
                continue;
            }
            // A lone CR (old Mac line ends) ends the line as LF does.
            copy_[length++] = '\n';
            ++in_.cur;
            break;
        }
        copy_[length++] = c;
        ++in_.cur;
        if (c == '\n') break;
    }
    return std::string_view(copy_, length);
}

bool MapleChunks::next_cut(std::string_view& text, std::size_t& close) {
#if defined(__SSE2__)
    // Fast path: 16 bytes at a time up to the first line end, CR or backslash. Seven
    // blocks cover the longest chunk; a bracket only notes that "]]" must be looked for.
    static constexpr int kBlocks = 7;
    static_assert(kBlocks * 16 >= kLength, "the blocks must cover a chunk");
    if (in_.end - in_.cur >= kBlocks * 16) {
        const char* const start = in_.cur;
        const __m128i nl_byte = _mm_set1_epi8('\n');
        const __m128i cr_byte = _mm_set1_epi8('\r');
        const __m128i bs_byte = _mm_set1_epi8('\\');
        const __m128i rb_byte = _mm_set1_epi8(']');
        int stop = kBlocks * 16;
        bool bracket = false;
        for (int b = 0; b < kBlocks; ++b) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + 16 * b));
            const __m128i special =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, nl_byte), _mm_cmpeq_epi8(v, cr_byte)),
                             _mm_cmpeq_epi8(v, bs_byte));
            bracket = bracket || _mm_movemask_epi8(_mm_cmpeq_epi8(v, rb_byte)) != 0;
            const int found = _mm_movemask_epi8(special);
            if (found != 0) {
                stop = 16 * b + __builtin_ctz(static_cast<unsigned>(found));
                break;
            }
        }
        int length = kLength;  // of the chunk
        int size = kLength;    // of its text before a backslash
        bool plain = true;     // no CR inside the chunk
        if (stop < kLength) {
            const char c = start[stop];
            if (c == '\n') {
                length = size = stop + 1;
            } else if (c == '\\') {
                size = stop;
                // The chunk still runs to its line end, mostly the very next byte.
                const char* const limit = start + kLength;
                const char* q = start + stop + 1;
                const void* nl = q < limit && *q == '\n' ? q : std::memchr(q, '\n', limit - q);
                length = nl != nullptr ? static_cast<int>(static_cast<const char*>(nl) - start) + 1
                                       : kLength;
                plain = std::memchr(q, '\r', start + length - q) == nullptr;
            } else {
                plain = false;  // a CR: it may belong to a CR LF
            }
        }
        if (plain) {
            in_.cur += length;
            text = std::string_view(start, static_cast<std::size_t>(size));
            readable_end_ = in_.end;
            close = bracket ? text.find("]]") : std::string_view::npos;
            return true;
        }
    }
#endif
    const std::string_view chunk = next();
    if (chunk.empty()) return false;
    text = cut_at_backslash(chunk);
    readable_end_ = text.data() + text.size();
    close = text.find("]]");
    return true;
}

std::string_view cut_at_backslash(std::string_view chunk) {
    const std::size_t cut = chunk.find('\\');
    return cut == std::string_view::npos ? chunk : chunk.substr(0, cut);
}

MapleValues::MapleValues(DataSet& grid, double x_min, double dx, double y_min, double dy)
    : grid_(grid),
      capacity_(static_cast<long long>(grid.point_count())),
      ny_(grid.width),
      x_min_(x_min),
      dx_(dx),
      y_min_(y_min),
      dy_(dy),
      z_min_(HUGE_VAL),
      z_max_(-HUGE_VAL) {}

inline void MapleValues::store(double z) {
    if (count_ < capacity_) {
        grid_.point_at(static_cast<std::size_t>(count_)) = Vector3(
            x_min_ + static_cast<double>(xi_) * dx_, y_min_ + static_cast<double>(yj_) * dy_, z);
        if (z_min_ > z) z_min_ = z;
        if (z_max_ < z) z_max_ = z;
        if (++yj_ == ny_) {
            yj_ = 0;
            ++xi_;
        }
    }
    ++count_;
}

bool MapleValues::run(const char* first, const char* last, const char* readable_end) {
    while (first < last && is_blank(*first)) ++first;
    if (first == last) return true;  // blanks alone are no value
    double z = 0;
    const DecimalScan scan = readable_end - first >= kDecimalAhead
                                 ? scan_decimal_ahead(first, last, z)
                                 : scan_decimal(first, last, z);
    if (scan.status == DecimalStatus::overflow) {
        problem_ = "value " + std::to_string(count_ + 1) + ", " + quote_text(first, last) +
                   ", is not a finite number";
        return false;
    }
    store(scan.status == DecimalStatus::ok ? z : 0.0);
    return true;
}

bool MapleValues::too_long() {
    problem_ = "value " + std::to_string(count_ + 1) + " is longer than " +
               std::to_string(kMaxRunLength) + " characters";
    return false;
}

void MapleValues::carry(const char* first, const char* last) {
    const std::size_t n = static_cast<std::size_t>(last - first);
    if (n == 0) return;  // nothing to add (the buffer may not exist yet)
    if (carry_size_ + n > carry_capacity_) {
        std::size_t capacity = carry_capacity_ < 128 ? 128 : carry_capacity_;
        while (capacity < carry_size_ + n) capacity *= 2;
        // Zeroed, since the number scanner looks past the carried text.
        std::unique_ptr<char[]> grown(new char[capacity + kDecimalAhead]());
        if (carry_size_ > 0) std::memcpy(grown.get(), carry_.get(), carry_size_);
        carry_ = std::move(grown);
        carry_capacity_ = capacity;
    }
    std::memcpy(carry_.get() + carry_size_, first, n);
    carry_size_ += n;
    // Ends the run for the scanner, which looks past it (the buffer has room).
    carry_[carry_size_] = '\0';
}

bool MapleValues::feed(std::string_view text, const char* readable_end) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (readable_end == nullptr) readable_end = end;
    if (carry_size_ != 0) {
        // First the end of the run that the last piece began.
        const char* q = p;
        while (q < end && !is_separator(*q)) ++q;
        if (q == end) {
            if (carry_size_ + text.size() > kMaxRunLength) return too_long();
            carry(p, end);
            return true;
        }
        carry(p, q);
        const bool good = run(carry_.get(), carry_.get() + carry_size_,
                              carry_.get() + carry_capacity_ + kDecimalAhead);
        carry_size_ = 0;
        if (!good) return false;
        p = q + 1;
    }
    // The hot loop keeps the grid position in locals (stores into the grid could
    // otherwise alias the members) and writes it back before any slower step.
    Vector3* const points = grid_.points.get();
    const long long capacity = capacity_;
    const long long ny = ny_;
    const double x_min = x_min_, dx = dx_, y_min = y_min_, dy = dy_;
    long long count = count_, xi = xi_, yj = yj_;
    double z_min = z_min_, z_max = z_max_;
    double x = x_min + static_cast<double>(xi) * dx;
    const auto save = [&] {
        count_ = count;
        xi_ = xi;
        yj_ = yj;
        z_min_ = z_min;
        z_max_ = z_max;
    };
    const auto load = [&] {
        count = count_;
        xi = xi_;
        yj = yj_;
        z_min = z_min_;
        z_max = z_max_;
        x = x_min + static_cast<double>(xi) * dx;
    };
    while (p < end) {
        if (is_separator(*p)) {
            ++p;  // no run between two separators
            continue;
        }
        // Fast path: a number that fills its run and ends before the piece does.
        double z;
        const DecimalScan scan = readable_end - p >= kDecimalAhead ? scan_decimal_ahead(p, end, z)
                                                                   : scan_decimal(p, end, z);
        if (scan.status == DecimalStatus::ok && scan.end < end && is_separator(*scan.end)) {
            if (count < capacity) {
                points[count] = Vector3(x, y_min + static_cast<double>(yj) * dy, z);
                if (z_min > z) z_min = z;
                if (z_max < z) z_max = z;
                if (++yj == ny) {
                    yj = 0;
                    ++xi;
                    x = x_min + static_cast<double>(xi) * dx;
                }
            }
            ++count;
            p = scan.end + 1;
            continue;
        }
        // A number that runs to the end of the piece (split over two lines) needs no
        // search for the end of its run.
        const char* q = p;
        if (scan.status == DecimalStatus::ok && scan.end == end) q = end;
        while (q < end && !is_separator(*q)) ++q;
        save();
        if (q == end) {
            // The run goes on in the next piece; leading blanks would be skipped anyway.
            while (p < end && is_blank(*p)) ++p;
            if (static_cast<std::size_t>(end - p) > kMaxRunLength) return too_long();
            carry_size_ = 0;
            carry(p, end);
            return true;
        }
        if (!run(p, q, readable_end)) return false;
        load();
        p = q + 1;
    }
    save();
    return true;
}

bool MapleValues::finish() {
    if (carry_size_ == 0) return true;
    const bool good = run(carry_.get(), carry_.get() + carry_size_,
                          carry_.get() + carry_capacity_ + kDecimalAhead);
    carry_size_ = 0;
    return good;
}
