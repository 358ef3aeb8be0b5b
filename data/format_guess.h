#pragma once
// Telling a file's format from its start alone: each format of data/formats.h
// says how sure it is that the first kGuessBytes of a file are in it, and the
// surest wins (the first in the table on a tie).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kGuessBytes = 4u << 20;

// The start of a file, read once for every format's guess.
struct FileStart {
    std::string text;    // the first kGuessBytes, a UTF-8 byte-order mark left out
    bool whole = false;  // the file ended within them
    std::vector<std::string_view> header;  // the words of the first line
    // A first line of two counts, perhaps with words of comment but no third
    // number (a table's first row): the header of "Data " and "Data with Color".
    bool counts = false;
    unsigned long long points = 0;                  // sets x points per set, then
    unsigned long long numbers = 0, words = 0;      // after the first line
    bool four_a_line = false, other_lines = false;  // lines of four words, and others

    FileStart() = default;
    FileStart(const FileStart&) = delete;  // the header points into the text
    FileStart& operator=(const FileStart&) = delete;
};
// False when the file cannot be opened as a regular file.
bool read_file_start(const char* name, FileStart& start);

// How sure a guess is.
enum GuessScore : int { kNotThis = 0, kFallback = 1, kLikely = 2, kSure = 3, kCertain = 4 };
int guess_maple(const FileStart& start);       // a first line starting "PLOT3D("
int guess_point_data(const FileStart& start);  // two counts, then three numbers a point
int guess_color_data(const FileStart& start);  // two counts, then four numbers a point
int guess_columns(const FileStart& start);     // anything else; a header or delimiters: certain

// The format a file seems to be in, as a DataFormat: the surest guess of the
// formats of data/formats.h. Columns for a file that cannot be opened.
// With `sureness`, how sure the guess is (a GuessScore).
int guess_data_format(const char* name, int* sureness = nullptr);
