#pragma once
// Writers of the large input files the benchmarks load. The files are
// deterministic: the same arguments always give the same bytes.

#include <string>

// A "Data" file (coloured = false) or a "Data with Color" file (coloured = true):
// a header with `sets` and `points_per_set`, then one point per line. The points
// lie on a rippled surface over x and z with six decimals, so a line is about
// 28 bytes (about 34 with the colour value, which runs over 0..9).
// Returns false when the file cannot be written.
bool write_data_file(const std::string& path, int sets, int points_per_set, bool coloured);

// A "Columns" file of the same points as write_data_file (not coloured): a header
// line "x,y,z", then "x,y,z" per point, a blank line between sets.
bool write_columns_file(const std::string& path, int sets, int points_per_set);

// A "Maple" GRID file of nx by ny values as the computer-algebra system saves a
// surface: one bracketed row per x index, lines broken at 78 characters with a
// backslash, numbers split across the break wherever it falls.
bool write_maple_file(const std::string& path, int nx, int ny);

// The benchmark inputs in `dir` (created when missing), written only when a
// file of that name is not there yet. Returns false when one cannot be written.
struct BenchInputs {
    std::string data;        // 1000 x 1000 points, "Data"
    std::string color_data;  // 1000 x 1000 points, "Data with Color"
    std::string maple;       // 1000 x 1000 values, "Maple" GRID
    std::string tubes;       // 100 sets of 201 points, "Data": 20,000 joined tubes
    std::string columns;     // the points of `data` as a CSV table, "Columns"
};
bool ensure_bench_inputs(const std::string& dir, BenchInputs& out);

// The large inputs, written on demand (never kept in the repository): "Data"
// files of 3163 x 3163 and 5477 x 5477 points, ten and thirty million.
struct LargeInputs {
    std::string points_10m;
    std::string points_30m;
};
bool ensure_large_inputs(const std::string& dir, LargeInputs& out);

// Size of a file in bytes, or -1 when it cannot be read.
long long file_size(const std::string& path);
