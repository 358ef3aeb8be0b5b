#pragma once
// The harness of the reader fuzz target. Each input is written to a file and
// loaded over a known good picture (the format's sample). Afterwards the data set must either be
// exactly the picture (the file was refused) or hold the new file with finite points inside its
// bounds. Anything else, or any sanitizer report, is a finding.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/settings.h"
#include "core/status_line.h"
#include "data/block_reader.h"
#include "data/data_set.h"
#include "data/formats.h"
#include "data/text_chunks.h"

namespace reader_fuzz {

inline void check(bool condition) {
    if (!condition) __builtin_trap();
}

inline void write_whole(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    check(fd >= 0);
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        check(n > 0);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    ::close(fd);
}

struct Files {
    std::string picture;
    std::string input;
};

inline const Files& files(const char* picture_text) {
    static const Files made = [picture_text] {
        // The readers' messages are not wanted here; libFuzzer reports on stderr.
        check(std::freopen("/dev/null", "w", stdout) != nullptr);
        char folder[] = "/tmp/zendral-fuzz-XXXXXX";
        check(mkdtemp(folder) != nullptr);
        Files f{std::string(folder) + "/picture", std::string(folder) + "/input"};
        const std::string text = picture_text;
        write_whole(f.picture, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        return f;
    }();
    return made;
}

// Finite points inside the bounds; a table's missing point is NaN as a whole,
// and its missing values NaN.
inline void check_points(const DataSet& set, bool bounds_hold_xy) {
    check(set.width >= 0 && set.points_per_set >= 0);
    const bool gaps = set.kind == DataSet::kColumns;
    for (std::size_t k = 0; k < set.point_count(); ++k) {
        const Vector3& p = set.points[k];
        if (gaps && std::isnan(p[0])) {
            check(std::isnan(p[1]) && std::isnan(p[2]));
            continue;
        }
        for (int a = 0; a < 3; ++a) {
            check(std::isfinite(p[a]));
            if (a == 2 || bounds_hold_xy) check(set.min[a] <= p[a] && p[a] <= set.max[a]);
        }
    }
    for (int a = 0; a < 3; ++a) {
        check(std::isfinite(set.min[a]) && std::isfinite(set.max[a]));
        check(std::isfinite(set.axis_scale[a]));
    }
    check(std::isfinite(set.scaleFactor));
    if (set.has_values)
        for (std::size_t k = 0; k < set.point_count(); ++k)
            check(std::isfinite(set.color_values[k]) || (gaps && std::isnan(set.color_values[k])));
}

// The bytes of a grid's points (and values), bounds and shape.
inline std::string grid_bytes(const DataSet& set) {
    std::string b(reinterpret_cast<const char*>(set.points.get()),
                  set.point_count() * sizeof(Vector3));
    if (set.has_values)
        b.append(reinterpret_cast<const char*>(set.color_values.get()),
                 set.point_count() * sizeof(float));
    for (const Vector3* v : {&set.min, &set.max})
        b.append(reinterpret_cast<const char*>(v), sizeof(Vector3));
    return b + std::to_string(set.width) + "x" + std::to_string(set.points_per_set) + set.filename;
}

// The input read again on several threads in small chunks gives the very same
// data set and status line as the one-thread read just made into `one`.
inline void same_in_chunks(const DataSet& one, const FileFormat& format, const std::string& input,
                           std::size_t size) {
    const std::string status = status_line();
    DataSet many;
    load_threads = 2 + static_cast<int>((size >> 3) % 3);
    load_chunk_bytes = 1 + static_cast<long long>((size >> 5) % 13);
    parallel_load_bytes = 0;
    format.read(many, input.c_str());
    load_threads = 0;
    load_chunk_bytes = kDefaultLoadChunkBytes;
    parallel_load_bytes = kDefaultParallelLoadBytes;
    const bool loaded = one.filename == input;
    check((many.filename == input) == loaded && status_line() == status);
    if (loaded) check(grid_bytes(many) == grid_bytes(one));
}

// Loads the format's sample file, then the input, with its reader.
inline int run(const std::uint8_t* data, std::size_t size, const FileFormat& format) {
    const Files& f = files(format.sample);
    const int kind = format.format;
    // The length of the input also picks the verbose prints and the block size, so
    // that small inputs cross block boundaries too.
    verbose = static_cast<int>(size & 1);
    BlockReader::block_size = (size & 2) ? 8 + (size >> 2) % 57 : BlockReader::kDefaultBlockSize;

    DataSet set;
    format.read(set, f.picture.c_str());
    check(set.filename == f.picture && set.kind == kind);
    const Vector3* points = set.points.get();
    const int width = set.width;
    const int points_per_set = set.points_per_set;
    const Vector3 min = set.min, max = set.max;

    write_whole(f.input, data, size);
    format.read(set, f.input.c_str());
    if (set.filename == f.picture) {
        // Refused: nothing may have changed.
        check(set.points.get() == points && set.width == width &&
              set.points_per_set == points_per_set && set.kind == kind);
        for (int a = 0; a < 3; ++a) check(set.min[a] == min[a] && set.max[a] == max[a]);
    } else {
        check(set.filename == f.input && set.kind == kind);
        // Maple takes x and y bounds from the header ranges as written.
        check_points(set, kind != DataSet::kMaple);
    }
    if (size & 4) same_in_chunks(set, format, f.input, size);
    return 0;
}

}  // namespace reader_fuzz
