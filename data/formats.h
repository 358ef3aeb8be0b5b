#pragma once
// What each file format is, one entry each, in the order of DataFormat (their
// names and words are in core/choices.h): its reader, how sure its guess is of a
// file's start, what its refusals hint at, whether its values colour the points,
// the name of its fuzz target and a small file of it. The loader, the format
// guess, the readers' hints, the recorded pictures and the tests take them from here.

#include <string>

#include "core/choices.h"

class DataSet;
struct FileStart;

struct FileFormat {
    int format;  // a DataFormat
    // Prints its messages and either replaces the data set or leaves it as it was.
    void (*read)(DataSet& set, const char* name);
    int (*guess)(const FileStart& start);  // a GuessScore (data/format_guess.h)
    // What a refusal adds about the file ("; is it \"Data\"?"), or "".
    std::string (*refusal_hint)(const char* name);
    // Coloured data: each point's value picks its colour-map entry. Otherwise
    // plain data, drawn in one entry per eye.
    bool coloured;
    // The UpAxis its files are drawn with unless the user chose one: y for the
    // Parts' point files, z for z(x, y) grids and tables (height third).
    int up_axis;
    const char* fuzz_name;  // tests/fuzz: the target's name and its corpus folder
    const char* sample;     // a small file in the format
};

extern const FileFormat kFileFormats[kDataFormatCount];

// The format of `format`, or null for a value that is none.
const FileFormat* file_format(int format);
