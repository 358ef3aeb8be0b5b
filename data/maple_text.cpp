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

int MapleChunks::next(char* out) {
    // Fast path: a whole chunk is in the buffer and holds no CR.
    if (in_.end - in_.cur > kLength) {
        const char* p = in_.cur;
        const char* const limit = p + kLength;
        while (p < limit && *p != '\n' && *p != '\r') ++p;
        if (p == limit || *p == '\n') {
            const int length = static_cast<int>(p - in_.cur) + (p < limit ? 1 : 0);
            std::memcpy(out, in_.cur, static_cast<std::size_t>(length));
            in_.cur += length;
            return length;
        }
    }
    int length = 0;
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
        out[length++] = c;
        ++in_.cur;
        if (c == '\n') break;
    }
    return length;
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
    if (scan.status == DecimalStatus::none) z = 0;
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
    return true;
}

bool MapleValues::feed(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* q = p;
        while (q < end && !is_separator(*q)) ++q;
        if (q == end) {
            // The run goes on in the next piece; leading blanks would be skipped anyway.
            if (carry_.empty()) {
                while (p < end && is_blank(*p)) ++p;
            }
            if (carry_.size() + static_cast<std::size_t>(end - p) > kMaxRunLength) {
                problem_ = "value " + std::to_string(count_ + 1) + " is longer than " +
                           std::to_string(kMaxRunLength) + " characters";
                return false;
            }
            carry_.append(p, end);
            return true;
        }
        bool good;
        if (carry_.empty()) {
            good = run(p, q);
        } else {
            carry_.append(p, q);
            good = run(carry_.data(), carry_.data() + carry_.size());
            carry_.clear();
        }
        if (!good) return false;
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
