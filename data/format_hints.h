#pragma once
// Signs that a file was read in the wrong format, for the hints the readers add to
// their messages: a coloured file chosen as "Data ", a "Data " file chosen as
// "Data with Color" or "Maple", a Maple file chosen as one of the other two.

#include <string>

#include "data/format_guess.h"  // guess_data_format

class BlockReader;

// Numbers and other words from the reader's position to the end of the file. A
// number is a whole word within the single-precision range.
struct RestOfFile {
    unsigned long long numbers = 0;
    unsigned long long words = 0;
};
RestOfFile count_rest(BlockReader& in);

// The line after a "Data " load of `points` points that left `rest` unread; empty
// when no number was left.
std::string trailing_numbers_hint(const char* name, unsigned long long points,
                                  const RestOfFile& rest);

// What each reader adds to a refusal (RefusalHint): "; is it \"Data\"?" when the
// file reads as a complete "Data " file (likewise "Data with Color"), "; is it
// \"Maple\"?" when it starts like a Maple header, "; is it \"Columns\"?" when its
// first line is no header of two counts but holds a comma, a word or three
// numbers (a table's first row or header); otherwise nothing.
std::string data_refusal_hint(const char* name);        // Maple, then Columns
std::string color_data_refusal_hint(const char* name);  // "Data ", then Maple, then Columns
std::string maple_refusal_hint(const char* name);       // "Data " only
std::string columns_refusal_hint(const char* name);     // "Data ", "Data with Color", Maple
