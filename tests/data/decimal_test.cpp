// Number scanning shared by the readers: the decimal syntax of the data files only.

#include "data/decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct Scanned {
    std::size_t length;
    DecimalStatus status;
    double value;
};

Scanned scan(const std::string& text) {
    double value = -123;
    const DecimalScan r = scan_decimal(text.data(), text.data() + text.size(), value);
    return {static_cast<std::size_t>(r.end - text.data()), r.status, value};
}

TEST(ScanDecimal, ReadsTheLongestNumberAtTheStart) {
    const struct {
        const char* text;
        std::size_t length;
        double value;
    } cases[] = {
        {"12", 2, 12},  {"-0.5", 4, -0.5},    {"+3", 2, 3},        {".5", 2, 0.5},
        {"3.", 2, 3},   {"1e3", 3, 1000},     {"2.5E-1", 6, 0.25}, {"1e", 1, 1},
        {"1e+", 1, 1},  {"0x10", 1, 0},       {"1.2.3", 3, 1.2},   {"7,5", 1, 7},
        {"0..1", 2, 0}, {"-.25e+2x", 7, -25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Scanned s = scan(c.text);
        EXPECT_EQ(s.status, DecimalStatus::ok);
        EXPECT_EQ(s.length, c.length);
        EXPECT_EQ(s.value, c.value);
    }
}

TEST(ScanDecimal, OnlyDecimalSyntaxIsANumber) {
    for (const char* text :
         {"", "inf", "-infinity", "nan", "+-1", "-+1", ".", "-.", "e5", " 1", "x1"}) {
        SCOPED_TRACE(text);
        const Scanned s = scan(text);
        EXPECT_EQ(s.status, DecimalStatus::none);
        EXPECT_EQ(s.length, 0u);
        EXPECT_EQ(s.value, -123);  // untouched
    }
}

TEST(ScanDecimal, TooLargeIsNotFiniteTooSmallIsZero) {
    EXPECT_EQ(scan("1e999").status, DecimalStatus::overflow);
    EXPECT_EQ(scan("-123456789e301").status, DecimalStatus::overflow);
    EXPECT_EQ(scan("0.000001e310").status, DecimalStatus::ok);  // 1e304

    const Scanned tiny = scan("-0.0001e-400");
    EXPECT_EQ(tiny.status, DecimalStatus::ok);
    EXPECT_EQ(tiny.length, 12u);
    EXPECT_EQ(tiny.value, 0);
    EXPECT_TRUE(std::signbit(tiny.value));
    EXPECT_EQ(scan("1e-310").value, 1e-310);  // subnormal, still exact

    float f = 0;
    const char* big = "3.5e38";
    EXPECT_EQ(scan_decimal(big, big + std::strlen(big), f).status, DecimalStatus::overflow);
}

TEST(ScanDecimal, SinglePrecisionIsRoundedOnce) {
    // Rounding through double first would give the other neighbour for this one.
    const char* text = "1.00000005960464477539062500001";
    float f = 0;
    ASSERT_EQ(scan_decimal(text, text + std::strlen(text), f).status, DecimalStatus::ok);
    EXPECT_EQ(f, 1.00000012f);
}

// The inlined fast path must give exactly what from_chars gives, whatever the count of
// digits, the exponent and the bytes after the number.
template <typename T>
void expect_same_as_from_chars(std::mt19937& random, const std::string& tail) {
    std::uniform_int_distribution<int> digits(0, 22), exponent(-40, 40), bit(0, 1), digit(0, 9);
    for (int round = 0; round < 20000; ++round) {
        std::string number = bit(random) ? "-" : "";
        const int whole = digits(random), fraction = digits(random);
        for (int k = 0; k < whole; ++k) number += static_cast<char>('0' + digit(random));
        if (bit(random) || whole == 0) number += '.';
        for (int k = 0; k < fraction; ++k) number += static_cast<char>('0' + digit(random));
        if (whole + fraction == 0) number += '5';
        if (bit(random)) number += "e" + std::to_string(exponent(random));
        const std::string text = number + tail;
        T expected = 0, got = 0;
        const auto want = std::from_chars(text.data(), text.data() + text.size(), expected);
        const DecimalScan scan = scan_decimal(text.data(), text.data() + text.size(), got);
        ASSERT_EQ(scan.end, want.ptr) << text;
        if (want.ec == std::errc::result_out_of_range) {
            ASSERT_TRUE(scan.status == DecimalStatus::overflow || got == 0) << text;
            continue;
        }
        ASSERT_EQ(scan.status, DecimalStatus::ok) << text;
        ASSERT_EQ(std::memcmp(&got, &expected, sizeof(T)), 0) << text;
    }
}

TEST(ScanDecimal, GivesExactlyWhatFromCharsGives) {
    std::mt19937 random(20240601);
    for (const std::string tail : {"", " ", ",1.5]", "x123456789"}) {
        SCOPED_TRACE(tail);
        expect_same_as_from_chars<double>(random, tail);
        expect_same_as_from_chars<float>(random, tail);
    }
    // Around the limits of the exact path: 2^53, 2^24 and 1e22.
    for (const char* text :
         {"9007199254740992", "9007199254740993", "9007199254740993e-3", "16777217", "16777217e-1",
          "1e22", "1e23", "3e-22", "3e-23", "1234567890123456789", "12345678901234567890"}) {
        double d = 0, d_want = 0;
        float f = 0, f_want = 0;
        const char* end = text + std::strlen(text);
        std::from_chars(text, end, d_want);
        std::from_chars(text, end, f_want);
        scan_decimal(text, end, d);
        scan_decimal(text, end, f);
        EXPECT_EQ(d, d_want) << text;
        EXPECT_EQ(f, f_want) << text;
    }
}

// The look-ahead scanner reads bytes past the end of the text it is given; it must
// still take only the text, and give what scan_decimal gives, for every length.
TEST(ScanDecimalAhead, AgreesWithScanDecimalWhateverFollows) {
    std::mt19937 random(20261207);
    const auto digits = [&](std::string& s, int n) {
        for (int k = 0; k < n; ++k) s += static_cast<char>('0' + random() % 10);
    };
    const char* const tails[] = {",",   "]",  "\\\n5", "123456789012345678901234567890",
                                 "e5,", ".5", "-"};
    std::vector<std::string> texts = {"0.0002184445301",
                                      "-2.345678901",
                                      "3.",
                                      ".5",
                                      "-.5e3",
                                      ".",
                                      "-",
                                      "+1.25",
                                      "0.1234567890123456",
                                      "9007199254740993.",
                                      "0.9007199254740993",
                                      "12345678.5",
                                      "1234567.123456789012"};
    for (int i = 0; i < 20000; ++i) {
        std::string s = random() % 2 ? "-" : "";
        digits(s, random() % 9);
        if (random() % 4 != 0) {
            s += '.';
            digits(s, random() % 19);
        }
        texts.push_back(s);
    }
    for (const std::string& text : texts) {
        for (const char* tail : tails) {
            // Zero padding keeps every look-ahead inside the buffer.
            std::string buffer = text + tail;
            const std::size_t length = buffer.size();
            buffer.resize(length + kDecimalAhead, '\0');
            for (std::size_t limit = 0; limit <= length; ++limit) {
                double ahead = -7, plain = -7;
                const char* first = buffer.data();
                const DecimalScan a = scan_decimal_ahead(first, first + limit, ahead);
                const DecimalScan b = scan_decimal(first, first + limit, plain);
                ASSERT_EQ(a.status, b.status) << buffer.substr(0, limit);
                ASSERT_EQ(a.end, b.end) << buffer.substr(0, limit);
                ASSERT_EQ(std::memcmp(&ahead, &plain, sizeof ahead), 0) << buffer.substr(0, limit);
            }
        }
    }
}

TEST(ScanInteger, ReadsAnIntegerWithinTheRangeOfInt) {
    const auto read = [](const std::string& text, int& value) {
        return scan_integer(text.data(), text.data() + text.size(), value);
    };
    int v = 0;
    EXPECT_EQ(read("+42x", v).status, DecimalStatus::ok);
    EXPECT_EQ(v, 42);
    EXPECT_EQ(read("-2147483648", v).status, DecimalStatus::ok);
    EXPECT_EQ(v, -2147483647 - 1);
    EXPECT_EQ(read("2147483648", v).status, DecimalStatus::overflow);
    EXPECT_EQ(read("99999999999999999999999", v).status, DecimalStatus::overflow);
    EXPECT_EQ(read("-", v).status, DecimalStatus::none);
    EXPECT_EQ(read(".5", v).status, DecimalStatus::none);
}

}  // namespace
