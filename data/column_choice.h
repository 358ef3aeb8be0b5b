#pragma once
// Which columns of a table are x, y, z and the value: "X:Y:Z" or "X:Y:Z:V", each
// a column's number from 1 or its name in the header ("1:2:5",
// "east:north:elevation:temperature"). Empty: the first columns, as they come.

#include <string>
#include <vector>

struct ColumnChoice {
    std::vector<std::string> parts;  // 3 or 4; none for the first columns
    bool empty() const { return parts.empty(); }
};

// False, with the reason, for a text that is no such choice.
bool parse_column_choice(const std::string& text, ColumnChoice& choice, std::string& why);

// The columns (from 0) `choice` names in a table of `fields` columns under the
// header `header` (empty: none), into `wanted` (x, y, z, then the value or -1);
// false with the reason ("there is no column 9: the table has 4") otherwise.
bool resolve_columns(const ColumnChoice& choice, const std::vector<std::string>& header,
                     std::size_t fields, int wanted[4], std::string& why);

// Whether a header field names an index of the rows, as pandas and R write one:
// empty, "Unnamed: 0" or "index".
bool names_an_index(const std::string& field);
