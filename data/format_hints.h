#pragma once
// Signs that a file was read in the wrong format, for the hints the readers add to
// their messages: a coloured file chosen as "Data ", a "Data " file chosen as
// "Data with Color" or "Maple", a Maple file chosen as one of the other two.

#include <string>

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
// file reads as a complete "Data " file, "; is it \"Maple\"?" when it starts like
// a Maple header, otherwise nothing.
std::string data_refusal_hint(const char* name);        // Maple only
std::string color_data_refusal_hint(const char* name);  // "Data ", then Maple
std::string maple_refusal_hint(const char* name);       // "Data " only
