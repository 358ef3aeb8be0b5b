// Fuzz target: drawing. The input is a data set and a way to draw it; one frame is
// drawn with the recorded pictures and one without, through the picture drawn
// without a display (EGL). Any crash or sanitizer report is a finding; libFuzzer's
// -timeout catches a frame that takes too long.
//
// Input: ten bytes of choices, then the points, four bytes (a float) a number:
//   0 display mode   1 stereo form   2 colour by   3 switches (below)
//   4 sets - 1       5 points per set - 1 (sets x points at most kMostPoints)
//   6 tube sides     7 thickness     8 piece size  9 view key (low 3 bits), then
//     switches: 8 see-through, 16 least-squares colours, 32 comfortable depth
// Switches: 1 bounds box, 2 legend, 4 coloured data, 8 uniform axes, 16 swap eyes,
// 32 axes figure, 64 the reduced picture of an interaction, 128 drawn directly.
// Numbers that are not finite are taken as the largest float of their sign (or 0).
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/headless.h"
#include "app/input.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/draw_cache.h"
#include "render/picture_key.h"

namespace {

constexpr int kMostPoints = 4096;

void check(bool condition) {
    if (!condition) __builtin_trap();
}

struct Bytes {
    const std::uint8_t* data;
    std::size_t size, at = 0;
    std::uint8_t next() { return at < size ? data[at++] : 0; }
    float number() {
        std::uint8_t b[4] = {next(), next(), next(), next()};
        float v;
        std::memcpy(&v, b, 4);
        if (std::isnan(v)) return 0;
        if (std::isinf(v)) return v > 0 ? FLT_MAX : -FLT_MAX;
        return v;
    }
};

// The data set of the input, with the bounds and normalisation a reader gives it.
void fill_data_set(Bytes& in, int width, int points_per_set, bool coloured) {
    data_set.allocate_grid(width, points_per_set);
    for (int a = 0; a < 3; ++a) {
        data_set.min[a] = HUGE_VAL;
        data_set.max[a] = -HUGE_VAL;
    }
    for (std::size_t k = 0; k < data_set.point_count(); ++k) {
        Vector3& p = data_set.points[k];
        for (int a = 0; a < 3; ++a) {
            p[a] = in.number();
            data_set.min[a] = std::fmin(data_set.min[a], p[a]);
            data_set.max[a] = std::fmax(data_set.max[a], p[a]);
        }
        data_set.color_values[k] = coloured ? in.number() : 0.0f;
    }
    data_set.kind = coloured ? DataSet::kColorData : DataSet::kData;
    data_set.has_values = coloured;
    data_set.filename = "fuzzed.dat";
    data_set.normalize_bounds();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool started = [] {
        check(std::freopen("/dev/null", "w", stdout) != nullptr);
        std::string why;
        if (!begin_headless_picture(160, 120, why))
            std::fprintf(stderr, "fuzz_drawing: %s\n", why.c_str());
        return why.empty();
    }();
    check(started);
    Bytes in{data, size};
    set_start_values();
    display_mode = in.next() % std::size(kDisplayModes);
    stereo_mode = in.next() % std::size(kStereoForms);
    color_by = in.next() % std::size(kColorByChoices);
    const std::uint8_t on = in.next();
    const int width = 1 + in.next();
    const int points_per_set = std::min(1 + in.next(), kMostPoints / width);
    segments = 3 + in.next() % 58;
    thickness = 0.001f * static_cast<float>(1 << (in.next() % 14));
    piece_vertices = static_cast<double>(1 << (6 + in.next() % 14));
    const std::uint8_t view = in.next();
    show_bounds = on & 1;
    show_legend = (on >> 1) & 1;
    axis_data = on & 8 ? kUniformAxes : kIndividualAxes;
    swap_eyes = (on >> 4) & 1;
    show_axes = (on >> 5) & 1;
    transparency = view & 8 ? 0.5f : 1.0f;
    anaglyph_colours = view & 16 ? kLeastSquaresColours : kFilterColours;
    comfortable_depth = (view >> 5) & 1;
    // An interaction with a slow full picture draws the reduced one.
    const bool reduced = (on >> 6) & 1;
    full_frame_seconds = reduced ? 1.0 : 0.0;
    // Pictures too large to keep are drawn directly, piece by piece.
    picture_allowance_bytes = on & 128 ? 0.0 : kDefaultPictureAllowanceBytes;
    fill_data_set(in, width, points_per_set, (on & 4) != 0);
    set_view_preset(view & 7);

    set_draw_cache(true);
    draw_headless_picture(reduced);
    set_draw_cache(false);
    draw_headless_picture(reduced);
    return 0;
}
