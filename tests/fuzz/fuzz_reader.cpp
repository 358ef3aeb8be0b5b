// Fuzz target: the reader of one file format, the one whose fuzz name
// (data/formats.h) ZENDRAL_FUZZ_FORMAT gives.
#include <cstdlib>

#include "tests/fuzz/reader_fuzz.h"

namespace {
const FileFormat* format = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* name = std::getenv("ZENDRAL_FUZZ_FORMAT");
    for (const FileFormat& f : kFileFormats)
        if (name && std::string(name) == f.fuzz_name) format = &f;
    if (!format) {
        std::fprintf(stderr,
                     "fuzz_reader: ZENDRAL_FUZZ_FORMAT names no format of data/formats.h\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return reader_fuzz::run(data, size, *format);
}
