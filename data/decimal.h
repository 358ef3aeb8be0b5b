#pragma once
// Numbers as the data files write them: an optional sign, digits with an optional
// point and fraction, and an optional exponent ("12", "-0.5", ".5", "3.", "1e-3").
// Conversion goes through std::from_chars, so a comma-decimal locale set by the
// process changes nothing. "inf", "nan" and hexadecimal forms are not numbers here.

enum class DecimalStatus {
    ok,        // a number; a magnitude below the smallest one the type holds reads as 0
    none,      // no number starts here
    overflow,  // a number too large for the type: it has no finite value
};

struct DecimalScan {
    const char* end;  // just past the number (`first` when there is none)
    DecimalStatus status;
};

// Reads the longest number at the very start of [first, last) (no leading blanks).
// `value` is written only when the status is ok.
DecimalScan scan_decimal(const char* first, const char* last, double& value);
DecimalScan scan_decimal(const char* first, const char* last, float& value);

// Reads an integer at the very start of [first, last): optional sign and digits.
// Status overflow when it lies outside the range of int.
struct IntegerScan {
    const char* end;
    DecimalStatus status;
};
IntegerScan scan_integer(const char* first, const char* last, int& value);
