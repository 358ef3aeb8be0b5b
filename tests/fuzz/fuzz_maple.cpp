// Fuzz target: the Maple reader.
#include "tests/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return reader_fuzz::run(data, size, &DataSet::read_maple, DataSet::kMaple,
                            "PLOT3D(GRID(0 .. 2,0 .. 2,Array(1..3,1..3,[[0.,1.,2.],[3.,4.,\\\n"
                            "5.],[6.,7.,8.]]),STYLE(PATCH))\n");
}
