#pragma once
// What a frame covers, read back before the swap: the pixels of the back buffer
// that differ from the background, so that two programs drawing "the same
// picture" can be checked to do so. Needs a current GL context.

// Pixels of the width x height back buffer whose colour is not `background`
// (bytes, red green blue). With the environment variable ZENDRAL_BENCH_FRAME
// set, the frame is also written there as a binary PPM, for looking at.
long covered_pixels(int width, int height, const unsigned char background[3]);

// Minor page faults of the process so far, all threads (getrusage).
long minor_page_faults();
