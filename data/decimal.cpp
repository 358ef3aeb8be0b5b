#include "data/decimal.h"

#include <charconv>
#include <climits>
#include <system_error>

namespace {

using decimal_detail::is_digit;

// Decides whether a number that from_chars found out of range is too large (rather
// than too small to be told from 0), from the position of its first significant
// digit and its exponent.
bool beyond_largest(const char* p, const char* end) {
    long long magnitude = 0;  // power of ten of the first significant digit, plus one
    bool significant = false;
    while (p < end && is_digit(*p)) {
        if (significant || *p != '0') {
            significant = true;
            ++magnitude;
        }
        ++p;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && is_digit(*p) && !significant) {
            if (*p != '0')
                significant = true;
            else
                --magnitude;
            ++p;
        }
        while (p < end && is_digit(*p)) ++p;
    }
    long long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
        while (p < end && is_digit(*p)) {
            if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
            ++p;
        }
        if (negative) exponent = -exponent;
    }
    return significant && magnitude + exponent > 0;
}

template <typename T>
DecimalScan convert(const char* first, const char* last, T& value) {
    const char* p = first;
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // from_chars would also take "inf", "nan" and a sign after a '+'; the files'
    // numbers begin with a digit or a point.
    if (p == last || !(is_digit(*p) || *p == '.')) return {first, DecimalStatus::none};
    T result;
    // from_chars takes a leading '-' but not a '+'.
    const auto r = std::from_chars(negative ? p - 1 : p, last, result);
    if (r.ec == std::errc::invalid_argument) return {first, DecimalStatus::none};
    if (r.ec == std::errc::result_out_of_range) {
        if (beyond_largest(p, r.ptr)) return {r.ptr, DecimalStatus::overflow};
        result = negative ? -T(0) : T(0);
    }
    value = result;
    return {r.ptr, DecimalStatus::ok};
}

}  // namespace

namespace decimal_detail {

DecimalScan scan_with_from_chars(const char* first, const char* last, double& value) {
    return convert(first, last, value);
}
DecimalScan scan_with_from_chars(const char* first, const char* last, float& value) {
    return convert(first, last, value);
}

}  // namespace decimal_detail

IntegerScan scan_integer(const char* first, const char* last, int& value) {
    const char* p = first;
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    if (p == last || !is_digit(*p)) return {first, DecimalStatus::none};
    long long magnitude = 0;
    bool too_large = false;
    for (; p < last && is_digit(*p); ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            too_large = true;
            magnitude = static_cast<long long>(INT_MAX) + 1;
        }
    }
    const long long signed_value = negative ? -magnitude : magnitude;
    if (too_large || signed_value > INT_MAX) return {p, DecimalStatus::overflow};
    value = static_cast<int>(signed_value);
    return {p, DecimalStatus::ok};
}
