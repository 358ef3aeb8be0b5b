#pragma once
// The reader shared by the Data format (x y z per point) and the Data with Color
// format (x y z and a colour value per point).
//
// The first line is the header: two integers, the number of sets and the points in
// each set; the rest of that line is ignored, however long. Then come the points,
// set after set, as numbers separated by any whitespace; whatever follows the last
// point is not read. The file is scanned in blocks and read into a fresh grid that
// replaces the target's only once the whole file is good.

class DataSet;

enum class PointFormat {
    xyz = 3,         // Data
    xyz_color = 4,   // Data with Color
};

// Prints the file name, loads `name` into `target` (kind kData or kColorData) or
// prints why not and leaves `target` exactly as it was.
void load_point_file(DataSet& target, const char* name, PointFormat format);
