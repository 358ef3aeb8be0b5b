// Large files read on several threads in chunks cut at line ends give exactly
// what one thread reads: the same grid bit for bit, the same messages and status
// line, the same refusals, whatever the chunk size.

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/status_line.h"
#include "data/block_reader.h"
#include "data/formats.h"
#include "data/text_chunks.h"
#include "tests/data/reader_files.h"
#include "tests/support/stdout_capture.h"

namespace {

namespace fs = std::filesystem;

// Everything a load shows: its console lines, the status line, the grid's bits.
struct Outcome {
    std::string said, status;
    std::vector<std::uint64_t> bits;
    bool operator==(const Outcome&) const = default;
};

Outcome load(const FileFormat& format, const std::string& path, int threads, long long chunk) {
    load_threads = threads;
    load_chunk_bytes = chunk;
    parallel_load_bytes = 0;
    DataSet set;
    set_status_line("");
    StdoutCapture capture;
    format.read(set, path.c_str());
    Outcome o{capture.finish(), status_line(), {}};
    const auto take = [&](const void* p, std::size_t n) {
        for (std::size_t k = 0; k < n; k += 8) {
            std::uint64_t b = 0;
            std::memcpy(&b, static_cast<const char*>(p) + k, std::min<std::size_t>(8, n - k));
            o.bits.push_back(b);
        }
    };
    take(set.points.get(), set.point_count() * sizeof(Vector3));
    if (set.has_values) take(set.color_values.get(), set.point_count() * sizeof(float));
    for (const Vector3* v : {&set.min, &set.max}) take(v, sizeof(Vector3));
    o.bits.push_back(static_cast<std::uint64_t>(set.width) << 32 | set.points_per_set);
    return o;
}

class ParallelRead : public ReaderFiles {
  protected:
    void TearDown() override {
        load_threads = 0;
        load_chunk_bytes = kDefaultLoadChunkBytes;
        parallel_load_bytes = kDefaultParallelLoadBytes;
        ReaderFiles::TearDown();
    }
};

TEST_F(ParallelRead, ChunkedReadsEqualTheOneThreadReadRefusalsIncluded) {
    // Points across lines, every line end and blank, numbers and words after the
    // points, too few numbers, words among them, values beyond single precision.
    const std::vector<std::string> written = {
        "2 3\n1 2 3 4 5 6\n7 8 9\n10 11 12 13\n14 15 16 17 18\n",
        "2 2\r\n1 2 3\r\n4 5 6\r\n7 8 9\r\n1e1 -2.5 .5\r\n",
        "2 2 junk\r1 2 3\r4 5 6\r7 8 9\r10 11 12",
        "1 3\n1\t2\v3\f4 5 6\n7 8 9 10 11 12 13 14 15 16 17\n",
        "1 3\n1 2 3 4 5 6 7 8 9 text after 1 2\n", "2 2\n1 2 3\n4 5 6\n7 8\n",
        "2 2\n1 2 3\n4 x 6\n7 8 9\n1 2 3\n", "1 2\n1 2 3 4 1e39 6 7 8\n",
        "1 2\n1 2 3 4 5 6 1e39 8\n", "1 1\n1 2 3 1e39\n",
        "\xef\xbb\xbf"
        "1 2\n0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8\n",
        // Tables: sets of unequal length, blank runs, comments, missing values,
        // quotes, an index, every delimiter and line end, a bad cell.
        "x,y,z\n1,2,3\n4,5,6\n\n\n7,8,9\n# note\n10,11,12\n13,,15\n\n16,17,18\n",
        "\n# made by hand\n\"a\";\"b\";\"c\";v\r\n1;2;3;4\r\n5;NA;7;8\r\n\r\n9;10;11;-\r\n",
        ",lon,lat,h\n0,1.5,2,3\n1,2.5,3,4\n2,3.5,4,5\n", "1\t2\t3\r4\t5\t6\r\r7\t8\t9",
        "  1  2   3\n 4 5 6 # end\n7 8 9\n\n10 11 12\n", "x,y,z\n1,2,3\n4,five,6\n7,8,9\n",
        "x,y,z\n1,2,3\n4,\"5,6\n", "x,y,z\n",
        // A quote open across a line end, and a first row that waits for a refill.
        "x,y,z\n1,2,\"3\n4\",5\n6,7,8\n", "  1 $2 3 , c\n1\"1\xef\xbb\xbf 1\n",
        "a\tb\tc\n1\t2\t3\r\n4\t          5\t6\r\n",  // a line too long for 13 bytes
    };
    std::vector<std::string> paths;
    for (std::size_t k = 0; k < written.size(); ++k)
        paths.push_back(write_file("case" + std::to_string(k), written[k]));
    const fs::path corpus = fs::path(ZENDRAL_SOURCE_DIR) / "tests/fuzz/corpus";
    for (const FileFormat& format : kFileFormats) {
        if (format.format == kMapleFormat) continue;  // read by one thread
        std::vector<std::string> files = paths;
        for (const auto& e : fs::directory_iterator(corpus / format.fuzz_name))
            files.push_back(e.path().string());
        // The samples of every format, each read by every reader.
        for (const auto& e : fs::directory_iterator(fs::path(ZENDRAL_SOURCE_DIR) / "Data"))
            files.push_back(e.path().string());
        for (const std::string& file : files)
            for (const std::size_t block : {BlockReader::kDefaultBlockSize, std::size_t{13}}) {
                BlockReader::block_size = block;
                const Outcome one = load(format, file, 1, kDefaultLoadChunkBytes);
                // Chunks of a few bytes in the small files, of some lines in the samples.
                const bool small = fs::file_size(file) < 4096;
                for (const long long chunk : small ? std::vector<long long>{1, 2, 3, 7, 61}
                                                   : std::vector<long long>{61, 997}) {
                    for (const int threads : {2, 3}) {
                        const Outcome many = load(format, file, threads, chunk);
                        std::size_t first = 0;
                        while (first < one.bits.size() && first < many.bits.size() &&
                               one.bits[first] == many.bits[first])
                            ++first;
                        EXPECT_TRUE(many == one)
                            << format.fuzz_name << " " << file << " chunk " << chunk << " threads "
                            << threads << ": " << one.said << one.status
                            << "\nagainst: " << many.said << many.status
                            << "\nfirst differing word " << first << " of " << one.bits.size()
                            << " block " << block;
                    }
                }
            }
    }
    BlockReader::block_size = BlockReader::kDefaultBlockSize;
}

}  // namespace
