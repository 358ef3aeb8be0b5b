#pragma once
// The first line of a Maple file (its first chunk, already cut at a backslash):
//
//   grid form:   ...GRID(<ranges>Array(<index ranges>,[[<values>
//   matrix form: <7 characters><ranges>Matrix(<index ranges>,[[<values>
//
// The ranges read as "xmin .. xmax,ymin .. ymax" (blanks optional around the dots,
// none before the comma) and the index ranges as "x1..x2,y1..y2" (dots right after
// the digits).

#include <cstddef>
#include <string>
#include <string_view>

struct MapleHeader {
    enum Form { kNone, kGrid, kMatrix };
    Form form = kNone;
    bool ranges_read = false;  // x_min .. y_max hold the ranges
    double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;  // first and last index in x and in y
    std::size_t values_start = 0;        // just past the first "[["
    std::string problem;                 // why the header is refused; empty when good
};

MapleHeader parse_maple_header(std::string_view chunk);
