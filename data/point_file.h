#pragma once
// The reader shared by the Data format (x y z per point) and the Data with Color
// format (x y z and a colour value per point).
//
// The first line is the header: two integers, the number of sets and the points in
// each set; the rest of that line is ignored, however long. Then come the points,
// set after set, as numbers separated by any whitespace; whatever follows the last
// point is not read. The file is scanned in blocks and read into a fresh grid that
// replaces the target's only once the whole file is good.

#include <cstddef>

class DataSet;

enum class PointFormat {
    xyz = 3,        // Data
    xyz_color = 4,  // Data with Color
};

// Prints the file name, loads `name` into `target` (kind kData or kColorData) or
// prints why not and leaves `target` exactly as it was.
void load_point_file(DataSet& target, const char* name, PointFormat format);

// The file runs set by set, but the grid keeps the i-th points of all sets
// together: the reader gathers whole sets in a buffer of about this many bytes and
// writes them into the grid row by row, so that the writes run along memory.
// Tests lower it to cross the buffer's edges with small files.
extern std::size_t set_block_bytes;
constexpr std::size_t kDefaultSetBlockBytes = 2 << 20;
