#pragma once
// Numbers as the data files write them: an optional sign, digits with an optional
// point and fraction, and an optional exponent ("12", "-0.5", ".5", "3.", "1e-3").
// Conversion goes through std::from_chars, so a comma-decimal locale set by the
// process changes nothing. "inf", "nan" and hexadecimal forms are not numbers here.
//
// Most numbers in data files have few digits and a small exponent. Then the digits
// form an integer that the type holds exactly, and one multiplication or division by
// an exact power of ten rounds correctly (the classic fast path of decimal
// conversion), giving the very value from_chars gives. That case is inlined here,
// since the readers convert millions of numbers; every other goes to from_chars.

#include <cfloat>
#include <cstdint>
#include <cstring>

enum class DecimalStatus {
    ok,        // a number; a magnitude below the smallest one the type holds reads as 0
    none,      // no number starts here
    overflow,  // a number too large for the type: it has no finite value
};

struct DecimalScan {
    const char* end;  // just past the number (`first` when there is none)
    DecimalStatus status;
};

// Reads an integer at the very start of [first, last): optional sign and digits.
// Status overflow when it lies outside the range of int.
struct IntegerScan {
    const char* end;
    DecimalStatus status;
};
IntegerScan scan_integer(const char* first, const char* last, int& value);

namespace decimal_detail {

// The general conversion, through std::from_chars.
DecimalScan scan_with_from_chars(const char* first, const char* last, double& value);
DecimalScan scan_with_from_chars(const char* first, const char* last, float& value);

static_assert(FLT_EVAL_METHOD == 0, "floating-point operations must round to their own type");

template <typename T>
struct Exact;
template <>
struct Exact<double> {
    static constexpr unsigned long long kMaxMantissa = 1ull << 53;
    static constexpr int kMaxPower = 22;
    static double power(int e) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        return kPowers[e];
    }
};
template <>
struct Exact<float> {
    static constexpr unsigned long long kMaxMantissa = 1ull << 24;
    static constexpr int kMaxPower = 10;
    static float power(int e) {
        static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                            1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
        return kPowers[e];
    }
};

inline bool is_digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Reads a run of digits onto `mantissa` (which wraps harmlessly past 19 digits; the
// caller then takes the general path) and counts them. Eight bytes at a time where
// the buffer allows: the length of a run then costs no mispredicted branch.
inline const char* read_digits(const char* p, const char* last, std::uint64_t& mantissa,
                               int& count) {
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    static constexpr std::uint64_t kPowers[] = {1,      10,      100,      1000,     10000,
                                                100000, 1000000, 10000000, 100000000};
    while (last - p >= 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p, 8);
        const std::uint64_t x = chunk - 0x3030303030303030ull;
        // A byte's top bit is set where it is no digit; only bytes after the first
        // such one can be disturbed by a borrow or carry.
        const std::uint64_t flags = ((x + 0x7676767676767676ull) | x) & 0x8080808080808080ull;
        const int n = flags == 0 ? 8 : __builtin_ctzll(flags) >> 3;
        if (n == 0) return p;
        // Keep the n digits, moved up behind leading zeros, and combine them pairwise.
        std::uint64_t v = x << (8 * (8 - n));
        v = v * 10 + (v >> 8);
        v = (((v & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
             (((v >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >> 32;
        mantissa = mantissa * kPowers[n] + v;
        count += n;
        p += n;
        if (n < 8) return p;
    }
#endif
    while (p < last && is_digit(*p)) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        ++count;
        ++p;
    }
    return p;
}

template <typename T>
inline DecimalScan scan(const char* first, const char* last, T& value) {
    const char* p = first;
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    p = read_digits(p, last, mantissa, digits);
    int fraction = 0;
    if (p < last && *p == '.') {
        p = read_digits(p + 1, last, mantissa, fraction);
        digits += fraction;
    }
    if (digits == 0 || digits > 19) return scan_with_from_chars(first, last, value);
    int exponent = 0;
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negative_exponent = false;
        if (q < last && (*q == '+' || *q == '-')) negative_exponent = *q++ == '-';
        if (q < last && is_digit(*q)) {
            while (q < last && is_digit(*q)) {
                if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            if (negative_exponent) exponent = -exponent;
            p = q;
        }
    }
    exponent -= fraction;
    if (mantissa > Exact<T>::kMaxMantissa || exponent < -Exact<T>::kMaxPower ||
        exponent > Exact<T>::kMaxPower) {
        return scan_with_from_chars(first, last, value);
    }
    T result = static_cast<T>(mantissa);
    if (exponent >= 0) result = result * Exact<T>::power(exponent);
    else result = result / Exact<T>::power(-exponent);
    value = negative ? -result : result;
    return {p, DecimalStatus::ok};
}

}  // namespace decimal_detail

// Reads the longest number at the very start of [first, last) (no leading blanks).
// `value` is written only when the status is ok.
inline DecimalScan scan_decimal(const char* first, const char* last, double& value) {
    return decimal_detail::scan(first, last, value);
}
inline DecimalScan scan_decimal(const char* first, const char* last, float& value) {
    return decimal_detail::scan(first, last, value);
}
