// Zendral's side of the comparison with a peer toolkit (bench/vtk_peer.py): one
// "Data" file drawn as the viewer draws it after a load, in an 800 x 600 window,
// "MonoView ", the view reset (the box filling the middle of the picture), and
// the processor time, wall time and minor page faults per frame over `frames`
// frames, after the first (which records the picture); then one more frame,
// read back before its swap, for the pixels it covers.
//
// Usage: bench_peer_frames <file> points|surface|tubes <frames>
// Prints "<processor seconds a frame> <wall seconds a frame> <page faults a
// frame> <pixels covered>".

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/display.h"
#include "app/interaction.h"
#include "app/viewer.h"
#include "bench/bench_window.h"
#include "bench/frame_pixels.h"
#include "bench/quiet_stdout.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/draw_cache.h"

namespace {

void frame() {
    display();
    while (frame_in_progress()) show_frame_pieces();
    glFinish();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <file> points|surface|tubes <frames>\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[2];
    const int frames = std::atoi(argv[3]);
    open_bench_window();
    {
        QuietStdout quiet;
        data_set.read_data(argv[1]);
    }
    if (data_set.point_count() == 0) return 1;
    // As a load leaves the view: no translation, no turn.
    object_translation[0] = object_translation[1] = object_translation[2] = 0;
    display_mode = mode == "points" ? kPoints : mode == "surface" ? kSurfaceFilled : kJoined;
    show_file_name = 0;
    set_draw_cache(true);
    frame();  // records the picture
    const FrameCost cost = measure_frames(frames, frame);
    // The same frame, whole, up to its swap.
    begin_frame(false);
    continue_frame(-1);
    print_frame_cost(cost);
    return 0;
}
