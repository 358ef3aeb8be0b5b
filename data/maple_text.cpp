#include "data/maple_text.h"

#include <cmath>
#include <cstring>

#include "data/data_set.h"
#include "data/decimal.h"
#include "data/load_report.h"

namespace {

inline bool is_blank(char c) { return c == ' ' || static_cast<unsigned char>(c - '\t') < 5; }
inline bool is_separator(char c) { return c == ',' || c == '[' || c == ']' || c == '\n'; }

}  // namespace

std::string_view MapleChunks::next() {
    // Fast path: a whole chunk is in the buffer and holds no CR; it is used in place.
    if (in_.end - in_.cur > kLength) {
        const char* const start = in_.cur;
        const void* newline = std::memchr(start, '\n', kLength);
        const std::size_t length =
            newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1
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
        }
        copy_[length++] = c;
        ++in_.cur;
        if (c == '\n') break;
    }
    return std::string_view(copy_, length);
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
        grid_.point_at(static_cast<std::size_t>(count_)) =
            Vector3(x_min_ + static_cast<double>(xi_) * dx_,
                    y_min_ + static_cast<double>(yj_) * dy_, z);
        if (z_min_ > z) z_min_ = z;
        if (z_max_ < z) z_max_ = z;
        if (++yj_ == ny_) {
            yj_ = 0;
            ++xi_;
        }
    }
    ++count_;
}

bool MapleValues::run(const char* first, const char* last) {
    while (first < last && is_blank(*first)) ++first;
    if (first == last) return true;  // blanks alone are no value
    double z = 0;
    const DecimalScan scan = scan_decimal(first, last, z);
    if (scan.status == DecimalStatus::overflow) {
        problem_ = "value " + std::to_string(count_ + 1) + ", " + quote_text(first, last) +
                   ", is not a finite number";
        return false;
    }
    store(scan.status == DecimalStatus::ok ? z : 0.0);
    return true;
}

bool MapleValues::feed(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (!carry_.empty()) {
        // First the end of the run that the last piece began.
        const char* q = p;
        while (q < end && !is_separator(*q)) ++q;
        if (q == end) {
            if (carry_.size() + text.size() > kMaxRunLength) {
                problem_ = "value " + std::to_string(count_ + 1) + " is longer than " +
                           std::to_string(kMaxRunLength) + " characters";
                return false;
            }
            carry_.append(p, end);
            return true;
        }
        carry_.append(p, q);
        const bool good = run(carry_.data(), carry_.data() + carry_.size());
        carry_.clear();
        if (!good) return false;
        p = q + 1;
    }
    while (p < end) {
        if (is_separator(*p)) {
            ++p;  // no run between two separators
            continue;
        }
        // Fast path: a number that fills its run and ends before the piece does.
        double z;
        const DecimalScan scan = scan_decimal(p, end, z);
        if (scan.status == DecimalStatus::ok && scan.end < end && is_separator(*scan.end)) {
            store(z);
            p = scan.end + 1;
            continue;
        }
        const char* q = p;
        while (q < end && !is_separator(*q)) ++q;
        if (q == end) {
            // The run goes on in the next piece; leading blanks would be skipped anyway.
            while (p < end && is_blank(*p)) ++p;
            if (static_cast<std::size_t>(end - p) > kMaxRunLength) {
                problem_ = "value " + std::to_string(count_ + 1) + " is longer than " +
                           std::to_string(kMaxRunLength) + " characters";
                return false;
            }
            carry_.assign(p, end);
            return true;
        }
        if (!run(p, q)) return false;
        p = q + 1;
    }
    return true;
}

bool MapleValues::finish() {
    if (carry_.empty()) return true;
    const bool good = run(carry_.data(), carry_.data() + carry_.size());
    carry_.clear();
    return good;
}
