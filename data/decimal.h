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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The whitespace of the C locale, which separates numbers: blank, tab, line end,
// vertical tab, form feed, CR. A line ends at LF, at CR LF, or at a lone CR.
inline bool is_blank(char c) {
    return c == ' ' || static_cast<unsigned char>(c - '\t') < 5;
}
inline bool is_line_end(int c) {
    return c == '\n' || c == '\r';
}

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

// -x when `negative`, x otherwise, without a branch: signs of data values are as
// likely one way as the other, and a mispredicted sign costs more than the number.
inline double with_sign(double x, bool negative) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits ^= static_cast<std::uint64_t>(negative) << 63;
    std::memcpy(&x, &bits, sizeof bits);
    return x;
}
inline float with_sign(float x, bool negative) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits ^= static_cast<std::uint32_t>(negative) << 31;
    std::memcpy(&x, &bits, sizeof bits);
    return x;
}

inline bool is_digit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

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
             (((v >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
            32;
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
    // Without a branch: the sign of data values is as likely one way as the other.
    const char lead = p < last ? *p : '\0';
    const bool negative = lead == '-';
    p += negative || lead == '+';
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
    if (exponent >= 0)
        result = result * Exact<T>::power(exponent);
    else
        result = result / Exact<T>::power(-exponent);
    value = with_sign(result, negative);
    return {p, DecimalStatus::ok};
}

#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define ZENDRAL_DECIMAL_AHEAD 1

// The eight bytes at p, each less '0', and how many of them lead as digits (0 to 8).
inline std::uint64_t digit_bytes(const char* p) {
    std::uint64_t chunk;
    std::memcpy(&chunk, p, 8);
    return chunk - 0x3030303030303030ull;
}
inline int leading_digits(std::uint64_t x) {
    const std::uint64_t flags = ((x + 0x7676767676767676ull) | x) & 0x8080808080808080ull;
    return flags == 0 ? 8 : __builtin_ctzll(flags) >> 3;
}
// The value of the first n digits (0 to 8) of digit_bytes().
inline std::uint64_t digits_value(std::uint64_t x, int n) {
    std::uint64_t v = (x << ((64 - 8 * n) & 63)) & (0 - static_cast<std::uint64_t>(n != 0));
    v = v * 10 + (v >> 8);
    return (((v & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
            (((v >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
           32;
}

// scan() for the common short number ("-2.345678901"), with a fixed number of
// eight-byte steps and no bounds check per byte: the caller guarantees that
// kAheadBytes bytes from `first` can be read. Bytes past `last` are looked at but
// never taken: a number that would reach past it, and every rarer form (an
// exponent, many digits), goes to scan(), so the result is always scan()'s.
constexpr int kAheadBytes = 32;

#if defined(__SSE2__)
// Powers of ten, and the inverses of the powers of five modulo 2^64: a multiple of
// 10^m divided by 10^m is (n >> m) times the inverse of 5^m, with no division.
struct ExactDivision {
    std::uint64_t power10[17];
    std::uint64_t inverse5[17];
    constexpr ExactDivision() : power10(), inverse5() {
        std::uint64_t p10 = 1, p5 = 1;
        for (int m = 0; m <= 16; ++m) {
            power10[m] = p10;
            std::uint64_t x = p5;  // Newton's iteration doubles the correct low bits
            for (int i = 0; i < 6; ++i) x *= 2 - p5 * x;
            inverse5[m] = x;
            p10 *= 10;
            p5 *= 5;
        }
    }
};
constexpr ExactDivision kExactDivision;

// The fraction digits at p (up to 16), all at once: their count and their value.
inline int fraction_digits(const char* p, std::uint64_t& value) {
    const __m128i t =
        _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), _mm_set1_epi8('0'));
    const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(9)), t);
    const int count = __builtin_ctz(~static_cast<unsigned>(_mm_movemask_epi8(digit)));
    // Only the leading digits count; then pairs, fours and eights of digits.
    const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i d =
        _mm_and_si128(t, _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(count)), index));
    const __m128i zero = _mm_setzero_si128();
    const __m128i by10 = _mm_setr_epi16(10, 1, 10, 1, 10, 1, 10, 1);
    const __m128i pairs = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(d, zero), by10),
                                          _mm_madd_epi16(_mm_unpackhi_epi8(d, zero), by10));
    const __m128i fours = _mm_madd_epi16(pairs, _mm_setr_epi16(100, 1, 100, 1, 100, 1, 100, 1));
    const __m128i eights = _mm_madd_epi16(_mm_packs_epi32(fours, fours),
                                          _mm_setr_epi16(10000, 1, 10000, 1, 10000, 1, 10000, 1));
    const auto high =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_cvtsi128_si32(eights)));
    const auto low = static_cast<std::uint64_t>(
        static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(eights, 4))));
    // high and low read the digits as if followed by zeros up to 16 places.
    const int m = 16 - count;
    value = ((high * 100000000 + low) >> m) * kExactDivision.inverse5[m];
    return count;
}
#endif

template <typename T>
inline DecimalScan scan_ahead(const char* first, const char* last, T& value) {
    const char* p = first;
    const char lead = *p;
    const bool negative = lead == '-';
    p += negative || lead == '+';
    const std::uint64_t whole = digit_bytes(p);
    const int whole_digits = leading_digits(whole);
    if (whole_digits == 8) return scan(first, last, value);
    // Mostly a single digit before the point ("0.25", "-3.5"), which needs no
    // conversion of the word.
    std::uint64_t mantissa = whole_digits <= 1
                                 ? whole & (0xFF & (0 - static_cast<std::uint64_t>(whole_digits)))
                                 : digits_value(whole, whole_digits);
    p += whole_digits;
    int fraction = 0;
    if (*p == '.') {
        ++p;
#if defined(__SSE2__)
        std::uint64_t digits;
        fraction = fraction_digits(p, digits);
        if (fraction == 16) return scan(first, last, value);
        mantissa = mantissa * kExactDivision.power10[fraction] + digits;
        p += fraction;
#else
        static constexpr std::uint64_t kPowers[] = {1,      10,      100,      1000,     10000,
                                                    100000, 1000000, 10000000, 100000000};
        const std::uint64_t head = digit_bytes(p);
        fraction = leading_digits(head);
        mantissa = mantissa * kPowers[fraction] + digits_value(head, fraction);
        p += fraction;
        if (fraction == 8) {
            const std::uint64_t tail = digit_bytes(p);
            const int more = leading_digits(tail);
            if (more == 8) return scan(first, last, value);
            mantissa = mantissa * kPowers[more] + digits_value(tail, more);
            fraction += more;
            p += more;
        }
#endif
    }
    const int digits = whole_digits + fraction;
    if (p > last || digits == 0 || digits > 19 || *p == 'e' || *p == 'E' ||
        mantissa > Exact<T>::kMaxMantissa || fraction > Exact<T>::kMaxPower) {
        return scan(first, last, value);
    }
    T result = static_cast<T>(mantissa);
    if (fraction == 0)
        result = result * Exact<T>::power(0);
    else
        result = result / Exact<T>::power(fraction);
    value = with_sign(result, negative);
    return {p, DecimalStatus::ok};
}
#endif

}  // namespace decimal_detail

// As scan_decimal, faster for short numbers; [first, first + kDecimalAhead) must be
// readable memory, though only [first, last) is read as the number.
constexpr int kDecimalAhead = 32;
inline DecimalScan scan_decimal_ahead(const char* first, const char* last, double& value) {
#ifdef ZENDRAL_DECIMAL_AHEAD
    static_assert(kDecimalAhead >= decimal_detail::kAheadBytes, "");
    return decimal_detail::scan_ahead(first, last, value);
#else
    return decimal_detail::scan(first, last, value);
#endif
}

// Reads the longest number at the very start of [first, last) (no leading blanks).
// `value` is written only when the status is ok.
inline DecimalScan scan_decimal(const char* first, const char* last, double& value) {
    return decimal_detail::scan(first, last, value);
}
inline DecimalScan scan_decimal(const char* first, const char* last, float& value) {
    return decimal_detail::scan(first, last, value);
}
