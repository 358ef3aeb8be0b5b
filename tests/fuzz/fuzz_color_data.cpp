// Fuzz target: the Data with Color reader.
#include "tests/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return reader_fuzz::run(data, size, &DataSet::read_color_data, DataSet::kColorData,
                            "1 2\n0 0 0 3\n1 2 4 7.9\n");
}
