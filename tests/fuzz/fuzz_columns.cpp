// Fuzz target: the Columns reader.
#include "tests/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return reader_fuzz::run(
        data, size, &DataSet::read_columns, DataSet::kColumns,
        "x,y,z,v\n0,0,0,1\n1,2,4,7\n\n3,3,3,2\n");  // lines fit the smallest block
}
