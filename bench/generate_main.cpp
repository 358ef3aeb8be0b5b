// Writes the benchmark inputs into the folder given as the one argument (or
// ./bench-data), for trying them in the viewer by hand.

#include <cstdio>

#include "bench/generate.h"

int main(int argc, char** argv) {
    const char* dir = argc > 1 ? argv[1] : "bench-data";
    BenchInputs in;
    if (!ensure_bench_inputs(dir, in)) {
        std::fprintf(stderr, "cannot write the benchmark inputs in %s\n", dir);
        return 1;
    }
    for (const std::string* path : {&in.data, &in.color_data, &in.maple, &in.tubes, &in.columns})
        std::printf("%s\t%lld bytes\n", path->c_str(), file_size(*path));
    return 0;
}
