// Frame rates of the picture: each frame is display() (with the pieces that follow
// it from the idle callback) and glFinish(), in
// an 800 x 600 double-buffered window like the viewer's, with the viewer's own
// drawing ("zendral": recorded pictures, and the reduced picture of an
// interaction) beside immediate drawing ("reference"), in "MonoView " and
// "Anaglyph"; and the composed stereo forms beside "Red/Cyan glasses". Run it
// under Xvfb for Mesa's software renderer.

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/display.h"
#include "app/viewer.h"
#include "bench/bench_window.h"
#include "bench/quiet_stdout.h"
#include "bench/table.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/draw_cache.h"

namespace {

// A rippled surface over x and z, `sets` lines along z, as a loaded file would
// give it: bounds and normalisation included.
void fill_surface(int sets, int points) {
    data_set.allocate_grid(sets, points);
    data_set.min = Vector3(1e6, 1e6, 1e6);
    data_set.max = Vector3(-1e6, -1e6, -1e6);
    for (int s = 0; s < sets; ++s) {
        for (int i = 0; i < points; ++i) {
            const double x = 10.0 * s / sets, z = 10.0 * i / points;
            const Vector3 p(x, std::sin(x * 0.7) * std::cos(z * 0.5) * 3.0, z);
            data_set.point(s, i) = p;
            for (int a = 0; a < 3; ++a) {
                if (data_set.min[a] > p[a]) data_set.min[a] = p[a];
                if (data_set.max[a] < p[a]) data_set.max[a] = p[a];
            }
            data_set.color_value(s, i) = static_cast<float>(std::fmod(s + i, 9));
        }
    }
    data_set.normalize_bounds();
    data_set.kind = DataSet::kData;
    data_set.base_level = data_set.min.y();
}

// A view from above and to the side, as after "Reset View" and a turn.
void set_view() {
    object_translation[0] = object_translation[1] = object_translation[2] = 0;
    const double ax = 30 * degree_factor, ay = -35 * degree_factor;
    const float cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay);
    // Rx(ax) * Ry(ay), column-major.
    const float m[16] = {cy, sx * sy,  -cx * sy, 0, 0, cx, sx, 0,
                         sy, -sx * cy, cx * cy,  0, 0, 0,  0,  1};
    for (int i = 0; i < 16; ++i) object_rotation[i] = m[i];
}

struct Case {
    const char* label;
    int mode;
    int sets, points;
};

// One frame as the viewer shows it: a full picture that takes longer than the
// frame budget comes a few pieces at a time, each between turns of the event loop.
void frame() {
    display();
    while (frame_in_progress()) show_frame_pieces();
    glFinish();
}

// The viewer's own drawing: the full picture, or the reduced one of an
// interaction (its grid step from the full frames just measured).
enum class Drawing { kFull, kReduced, kImmediate };

void run_frames(benchmark::State& state, const Case& c, int stereo, Drawing drawing) {
    static std::string filled;
    const std::string shape = std::to_string(c.sets) + "x" + std::to_string(c.points);
    if (filled != shape) {
        fill_surface(c.sets, c.points);
        filled = shape;
    }
    display_mode = c.mode;
    stereo_mode = stereo;
    set_draw_cache(drawing != Drawing::kImmediate);
    interacting = 0;
    frame();  // records the pictures on the cached path; warms the caches of both
    frame();  // and measures a full frame
    const double budget = frame_budget;
    if (drawing == Drawing::kReduced) {
        // Where the full frame already fits the budget the viewer draws it during
        // an interaction too; a budget just below it shows what the reduced one costs.
        frame_budget = std::min(frame_budget, 0.9 * full_frame_seconds);
        interacting = 1;
    }
    frame();
    for (auto _ : state) frame();
    state.SetItemsProcessed(state.iterations());
    interacting = 0;
    frame_budget = budget;
    set_draw_cache(false);
}

}  // namespace

int main(int argc, char** argv) {
    open_bench_window();
    set_view();
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    struct Row {
        Case c;
        double full_target, reduced_target;  // ratio to immediate drawing; 0: no reduced row
    };
    static const Row rows[] = {
        {{"Points  1000x1000 points", 0, 1000, 1000}, 3.0, 8.0},
        {{"Line Sets:Joined  20000 segments", 1, 100, 201}, 2.0, 5.0},
        {{"Line Sets:Needled  100x100 points", 2, 100, 100}, 1.0, 0},
        {{"Surface filled  500x500 points", 4, 500, 500}, 1.0, 0},
        {{"Special  100x100 points", 5, 100, 100}, 1.0, 0},
    };
    const auto reference = [](const Case& c, int stereo) {
        return [c, stereo](benchmark::State& s) { run_frames(s, c, stereo, Drawing::kImmediate); };
    };
    for (const Row& r : rows) {
        for (int stereo : {0, 1}) {
            const std::string name =
                std::string(r.c.label) + (stereo == 0 ? ", MonoView" : ", Anaglyph");
            const Case c = r.c;
            register_pair(
                "frame", name, RateUnit::kFramesPerSecond, PairTarget{r.full_target, 0},
                [c, stereo](benchmark::State& s) { run_frames(s, c, stereo, Drawing::kFull); },
                reference(c, stereo), 5, 1.0);
            if (r.reduced_target == 0) continue;
            register_pair(
                "frame", name + ", interacting", RateUnit::kFramesPerSecond,
                PairTarget{r.reduced_target, 0},
                [c, stereo](benchmark::State& s) { run_frames(s, c, stereo, Drawing::kReduced); },
                reference(c, stereo), 5, 1.0);
        }
    }
    // The composed stereo forms beside "Red/Cyan glasses", which also draws both
    // eyes at the window's size: each frame costs at most 1.3 times as much.
    const Case surface = rows[3].c;
    const auto red_cyan = [surface](benchmark::State& s) {
        anaglyph_colours = kFilterColours;
        run_frames(s, surface, kRedCyanGlasses, Drawing::kFull);
    };
    struct Composed {
        const char* label;
        int form;
        int colours;
    };
    for (const Composed& f :
         {Composed{"Row interlaced", kRowInterlaced, kFilterColours},
          Composed{"Column interlaced", kColumnInterlaced, kFilterColours},
          Composed{"Checkerboard", kCheckerboard, kFilterColours},
          Composed{"Red/Cyan, least-squares colours", kRedCyanGlasses, kLeastSquaresColours}}) {
        register_pair(
            "frame", std::string(surface.label) + ", " + f.label + " vs Red/Cyan",
            RateUnit::kFramesPerSecond, PairTarget{1 / 1.3, 0},
            [surface, f](benchmark::State& s) {
                anaglyph_colours = f.colours;
                run_frames(s, surface, f.form, Drawing::kFull);
                anaglyph_colours = kFilterColours;
            },
            red_cyan, 5, 1.0);
    }
    return run_registered_benchmarks(argc, argv);
}
