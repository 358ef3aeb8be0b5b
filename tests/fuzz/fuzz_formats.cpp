// The fuzz names of the file formats (data/formats.h), one a line: the readers
// scripts/fuzz and the corpus test give to fuzz_reader.
#include <cstdio>

#include "data/formats.h"

int main() {
    for (const FileFormat& f : kFileFormats) std::printf("%s\n", f.fuzz_name);
    return 0;
}
