#pragma once
// The window the frame benchmarks draw in: 800 x 600, double-buffered with depth,
// named as the viewer's main window, with the fixed state the viewer sets when it
// opens its own (lights, depth test, normalising, smooth lines). Needs a display.
void open_bench_window();
