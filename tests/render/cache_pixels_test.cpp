// Recorded pictures look exactly like immediate drawing: every display mode, plain
// and coloured data, "MonoView " and "Anaglyph", pixel for pixel, with the same
// GL state left behind, also when one mode's state carries into the next.
#include <string>
#include <vector>

#include "render/picture_key.h"
#include "tests/render/cache_fixture.h"

namespace cache_test {
namespace {

const char* const kModeNames[] = {"points", "joined", "needled", "grid", "filled", "special"};

// Runs the same frames once on each path, from the same start, and compares them
// frame by frame. A frame's settings are applied by `before` with its index.
template <typename Before>
void compare_paths(const std::vector<std::string>& names, Before before) {
    std::vector<Frame> immediate, cached;
    std::vector<bool> shows_model;  // coloured data has no "Special " picture
    for (bool use_cache : {false, true}) {
        set_draw_cache(use_cache);
        reset_gl_state();
        for (std::size_t f = 0; f < names.size(); ++f) {
            before(f);
            if (!use_cache)
                shows_model.push_back(!(data_set.kind == DataSet::kColorData && display_mode == 5));
            (use_cache ? cached : immediate).push_back(frame());
        }
    }
    for (std::size_t f = 0; f < names.size(); ++f) {
        const std::string name = names[f];
        SCOPED_TRACE(name);
        if (shows_model[f]) {
            EXPECT_GT(drawn_pixels(immediate[f].rgb), 0)
                << name << ": nothing drawn, the comparison would prove nothing";
        }
        expect_same(immediate[f], cached[f], name);
    }
}

}  // namespace

class CachePixelsTest : public CacheTest {};

// Each mode from the same fresh state, every combination of data kind and eye
// mode.
TEST_F(CachePixelsTest, EveryModeKindAndStereoModeMatchesImmediateDrawing) {
    for (bool coloured : {false, true}) {
        fill_surface(data_set, 9, 12, coloured);
        for (int stereo : {0, 1}) {
            for (int mode = 0; mode < 6; ++mode) {
                const std::string name = std::string(coloured ? "coloured_" : "plain_") +
                                         kModeNames[mode] + (stereo ? "_anaglyph" : "_mono");
                compare_paths({name}, [&](std::size_t) {
                    stereo_mode = stereo;
                    display_mode = mode;
                });
            }
        }
    }
}

// A picture in many pieces, recorded or, beyond the memory a recording may take,
// drawn directly piece by piece, matches immediate drawing like a whole one.
TEST_F(CachePixelsTest, PicturesInPiecesMatchImmediateDrawing) {
    for (const double allowance : {kDefaultPictureAllowanceBytes, 0.0}) {
        piece_vertices = 20;
        picture_allowance_bytes = allowance;
        for (bool coloured : {false, true}) {
            fill_surface(data_set, 9, 12, coloured);
            for (int mode = 0; mode < 6; ++mode) {
                compare_paths({std::string("pieces_") + kModeNames[mode]},
                              [&](std::size_t) { display_mode = mode; });
                if (data_set.plain() || mode != 5) {
                    EXPECT_GT(model_piece_count(), 2) << mode;
                }
            }
        }
    }
    piece_vertices = kDefaultPieceVertices;
    picture_allowance_bytes = kDefaultPictureAllowanceBytes;
}

// State carried from one mode into the next: the surface grid's outlines and line
// width apply to the tubes drawn after it until the filled surface sets GL_FILL
// again; the points' size and smoothing and the grid material stay behind too.
TEST_F(CachePixelsTest, StateCarriedBetweenModesMatchesImmediateDrawing) {
    const int order[] = {3, 1, 2, 5, 0, 4, 1, 3, 5, 4, 2};
    std::vector<std::string> names;
    for (int mode : order) names.push_back(std::string("carried_") + kModeNames[mode]);
    fill_surface(data_set, 9, 12, false);
    stereo_mode = 1;
    compare_paths(names, [&](std::size_t f) { display_mode = order[f]; });
}

TEST_F(CachePixelsTest, ColouredStateCarriedBetweenModesMatchesImmediateDrawing) {
    const int order[] = {3, 1, 0, 2, 4, 1};
    std::vector<std::string> names;
    for (int mode : order) names.push_back(std::string("coloured_carried_") + kModeNames[mode]);
    fill_surface(data_set, 9, 12, true);
    compare_paths(names, [&](std::size_t f) { display_mode = order[f]; });
}

// The same picture replayed: the second and third frames of a cached run match
// the immediate ones, with the view turned between them (the box transform is
// applied outside the recording).
TEST_F(CachePixelsTest, ReplayUnderAChangedViewMatchesImmediateDrawing) {
    fill_surface(data_set, 9, 12, false);
    display_mode = 1;
    stereo_mode = 1;
    compare_paths({"view_0", "view_1", "view_2"}, [&](std::size_t f) {
        object_translation[0] = 0.5f * f;
        scale = 1.0f - 0.1f * f;
        axis_data = static_cast<int>(f % 2);
    });
}

}  // namespace cache_test
