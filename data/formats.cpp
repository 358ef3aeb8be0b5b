#include "data/formats.h"

#include "data/data_set.h"
#include "data/format_guess.h"
#include "data/format_hints.h"

const FileFormat kFileFormats[kDataFormatCount] = {
    {kDataFormat, [](DataSet& s, const char* name) { s.read_data(name); }, guess_point_data,
     data_refusal_hint, false, kUpY, "data", "2 3\n0 0 0\n1 0 0\n2 0 0\n0 1 1\n1 1 1\n2 1 1\n"},
    {kMapleFormat, [](DataSet& s, const char* name) { s.read_maple(name); }, guess_maple,
     maple_refusal_hint, false, kUpZ, "maple",
     "PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,\\\n"
     "5.],[6.,7.,8.]]),STYLE(PATCH))\n"},
    {kColorDataFormat, [](DataSet& s, const char* name) { s.read_color_data(name); },
     guess_color_data, color_data_refusal_hint, true, kUpY, "color_data",
     "1 2\n0 0 0 3\n1 2 4 7.9\n"},
    {kColumnsFormat, [](DataSet& s, const char* name) { s.read_columns(name); }, guess_columns,
     columns_refusal_hint, false, kUpZ, "columns", "x,y,z,v\n0,0,0,1\n1,2,4,7\n\n3,3,3,2\n"},
};

const FileFormat* file_format(int format) {
    for (const FileFormat& f : kFileFormats)
        if (f.format == format) return &f;
    return nullptr;
}
