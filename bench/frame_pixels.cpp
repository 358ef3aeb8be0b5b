#include "bench/frame_pixels.h"

#include <GL/gl.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/settings.h"

namespace {

void save_ppm(const char* path, int width, int height, const std::vector<unsigned char>& rgb) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return;
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    // GL's rows run bottom up, a picture file's top down.
    for (int y = height - 1; y >= 0; --y)
        std::fwrite(rgb.data() + static_cast<std::size_t>(y) * width * 3, 1, width * 3, f);
    std::fclose(f);
}

}  // namespace

long covered_pixels(int width, int height, const unsigned char background[3]) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    long covered = 0;
    for (std::size_t p = 0; p < rgb.size(); p += 3)
        if (rgb[p] != background[0] || rgb[p + 1] != background[1] || rgb[p + 2] != background[2])
            ++covered;
    const char* path = std::getenv("ZENDRAL_BENCH_FRAME");
    if (path && *path) save_ppm(path, width, height, rgb);
    return covered;
}

long minor_page_faults() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

namespace {
double clock_seconds(clockid_t clock) {
    timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}
}  // namespace

FrameCost measure_frames(int frames, const std::function<void()>& frame) {
    const long faults = minor_page_faults();
    const double processor = clock_seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double wall = clock_seconds(CLOCK_MONOTONIC);
    for (int f = 0; f < frames; ++f) frame();
    FrameCost cost;
    cost.processor = (clock_seconds(CLOCK_PROCESS_CPUTIME_ID) - processor) / frames;
    cost.wall = (clock_seconds(CLOCK_MONOTONIC) - wall) / frames;
    cost.faults = static_cast<double>(minor_page_faults() - faults) / frames;
    return cost;
}

void print_frame_cost(const FrameCost& cost) {
    unsigned char background[3];
    for (int c = 0; c < 3; ++c)
        background[c] = static_cast<unsigned char>(background_color[c] * 255 + 0.5f);
    std::printf("%.6f %.6f %.1f %ld\n", cost.processor, cost.wall, cost.faults,
                covered_pixels(800, 600, background));
}
