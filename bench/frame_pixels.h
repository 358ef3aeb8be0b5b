#pragma once
// What a frame costs, and what it covers, read back before the swap: the pixels
// of the back buffer that differ from the background, so that two programs
// drawing "the same picture" can be checked to do so. Needs a current GL context.

#include <functional>

// Pixels of the width x height back buffer whose colour is not `background`
// (bytes, red green blue). With the environment variable ZENDRAL_BENCH_FRAME
// set, the frame is also written there as a binary PPM, for looking at.
long covered_pixels(int width, int height, const unsigned char background[3]);

// Minor page faults of the process so far, all threads (getrusage).
long minor_page_faults();

// Processor seconds (all threads), wall seconds and minor page faults a frame
// over `frames` calls of `frame`.
struct FrameCost {
    double processor = 0, wall = 0, faults = 0;
};
FrameCost measure_frames(int frames, const std::function<void()>& frame);

// Prints "<processor> <wall> <page faults> <pixels covered>": `cost`, and the
// pixels of the 800 x 600 back buffer just drawn that differ from the background.
void print_frame_cost(const FrameCost& cost);
