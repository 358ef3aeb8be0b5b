// Fuzz target: the Data reader.
#include "tests/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return reader_fuzz::run(data, size, &DataSet::read_data, DataSet::kData,
                            "2 3\n0 0 0\n1 0 0\n2 0 0\n0 1 1\n1 1 1\n2 1 1\n");
}
