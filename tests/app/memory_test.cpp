// A picture of data no longer shown is given back: a million points and a small
// file loaded in turn, each drawn as recorded pictures in a real GL context, leave
// the process no larger than the first small load did, give or take 64 MB.
//
// Mesa's software rasterizer keeps memory of its own after a large picture: its
// worker threads hold on to scenes they drew (from 30 to 100 MB for a million
// points, by how far they ran ahead) until they draw others. The test runs it
// without them, so that what it measures is the viewer's own.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/display.h"
#include "app/input.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "data/data_set.h"
#include "render/draw_cache.h"
#include "tests/support/gl_context.h"
#include "tests/support/stdout_capture.h"

namespace {

long resident_megabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096 / (1 << 20);
}

// Named for this process: other test runs on the machine write theirs meanwhile.
std::string temp_file(const char* name) {
    return ::testing::TempDir() + "zendral_" + std::to_string(getpid()) + "_" + name;
}

std::string million_points() {
    const std::string path = temp_file("million.dat");
    std::ofstream out(path);
    out << "1000 1000\n";
    char line[64];
    for (int s = 0; s < 1000; ++s)
        for (int i = 0; i < 1000; ++i) {
            std::snprintf(line, sizeof line, "%d %d %.3f\n", i, s, ((i * s) % 97) * 0.01);
            out << line;
        }
    return path;
}

TEST(MemoryTest, AlternateLoadsOfAMillionPointsAndASmallFileDoNotGrow) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    setenv("LP_NUM_THREADS", "0", 1);  // before the first GL context of the process
    ensure_gl_context();
    on_reshape(800, 600);
    init_lights();
    glEnable(GL_DEPTH_TEST);
    const std::string big = million_points();
    const std::string small = temp_file("small.dat");
    std::ofstream(small) << "2 2\n0 0 0\n1 0 0\n0 1 1\n1 1 1\n";
    set_draw_cache(true);
    long after_first_small = 0;
    display_mode = 0;
    for (int round = 0; round < 30; ++round) {
        for (const std::string* file : {&big, &small}) {
            StdoutCapture quiet;
            data_set.read_data(file->c_str());
            quiet.finish();
            ASSERT_EQ(data_set.filename, *file);
            draw_frame();
            glFinish();
        }
        if (after_first_small == 0) after_first_small = resident_megabytes();
        // Only the small file's picture is left, in GL and in the process.
        EXPECT_LT(recorded_vertices(), 100) << "round " << round;
    }
    EXPECT_LE(resident_megabytes(), after_first_small + 64)
        << "resident after the first small load: " << after_first_small << " MB";
    set_draw_cache(false);
    data_set.allocate_grid(0, 0);
    std::remove(big.c_str());
    std::remove(small.c_str());
}

}  // namespace
