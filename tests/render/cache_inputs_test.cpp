// A recorded picture follows every input it depends on: after each change, the
// next cached frame is the frame immediate drawing gives after the same two
// frames, and differs from the frame before the change (so the change shows).
#include <functional>
#include <string>

#include "tests/render/cache_fixture.h"

namespace cache_test {
namespace {

using Step = std::function<void()>;

class CacheInputsTest : public CacheTest {
  protected:
    // On each path from the same start: `setup`, a frame, `change`, a frame.
    void expect_follows(const std::string& name, const Step& setup, const Step& change) {
        Frame before[2], after[2];
        for (int cached = 0; cached < 2; ++cached) {
            set_draw_cache(cached == 1);
            reset_settings();
            reset_gl_state();
            setup();
            before[cached] = frame();
            change();
            after[cached] = frame();
        }
        ASSERT_GT(drawn_pixels(before[0].rgb), 0) << name << ": nothing drawn before the change";
        EXPECT_GT(differing_pixels(before[0].rgb, after[0].rgb), 0)
            << name << ": the change does not show, so the test proves nothing";
        expect_same(before[0], before[1], name + "_before");
        expect_same(after[0], after[1], name);
    }
};

void plain() {
    fill_surface(data_set, 9, 12, false);
}
void coloured() {
    fill_surface(data_set, 9, 12, true);
}

TEST_F(CacheInputsTest, ANewDataSetIsDrawnAtOnce) {
    expect_follows("data_set", plain, [] { fill_surface(data_set, 9, 12, false, 2.0); });
    expect_follows("coloured_data_set", coloured, [] { fill_surface(data_set, 9, 12, true, 2.0); });
    expect_follows("plain_after_coloured", coloured, plain);
}

TEST_F(CacheInputsTest, PointsChangedInPlaceShowAfterAnInvalidation) {
    expect_follows("in_place", plain, [] {
        for (int s = 0; s < data_set.width; ++s) data_set.point(s, 3).y() += 1.5;
        invalidate_draw_cache();
    });
}

TEST_F(CacheInputsTest, DisplayModeSegmentsAndThicknessAreFollowed) {
    expect_follows("display_mode", plain, [] { display_mode = 2; });
    expect_follows("coloured_display_mode", coloured, [] { display_mode = 4; });
    expect_follows(
        "surface_to_tubes",
        [] {
            plain();
            display_mode = 4;
        },
        [] { display_mode = 1; });
    expect_follows("segments", plain, [] { segments = 3; });
    expect_follows("thickness", plain, [] { thickness = 0.15f; });
    expect_follows(
        "point_size",
        [] {
            plain();
            display_mode = 0;
        },
        [] { thickness = 0.05f; });
    expect_follows(
        "line_width",
        [] {
            plain();
            display_mode = 3;
        },
        [] { thickness = 0.03f; });
}

TEST_F(CacheInputsTest, BaseLevelAndBackgroundOfTheSpecialModeAreFollowed) {
    const Step special = [] {
        plain();
        display_mode = 5;
    };
    expect_follows("base_level", special, [] { data_set.base_level = data_set.min.y() - 2.0; });
    expect_follows("background", special, [] { background_color = Color4(0.2f, 0.3f, 0.1f, 1); });
}

TEST_F(CacheInputsTest, EachEyesEntryIsFollowed) {
    const Step anaglyph = [] {
        plain();
        stereo_mode = 1;
    };
    expect_follows("left_eye", anaglyph, [] { left_eye_texel = 5; });
    expect_follows("right_eye", anaglyph, [] { right_eye_texel = 3; });
    expect_follows("mono_eye", plain, [] { left_eye_texel = 1; });
}

TEST_F(CacheInputsTest, ColourByAndTransparencyAreFollowed) {
    expect_follows("color_by", plain, [] { color_by = kColorByY; });
    expect_follows(
        "color_by_axis",
        [] {
            plain();
            color_by = kColorByX;
        },
        [] { color_by = kColorByZ; });
    expect_follows("transparency", plain, [] { transparency = 0.4f; });
}

// Going back and forth between eye modes and display modes never replays the
// wrong recording.
TEST_F(CacheInputsTest, SwitchingBackAndForthKeepsFollowing) {
    expect_follows("mono_to_anaglyph", plain, [] { stereo_mode = 1; });
    expect_follows(
        "anaglyph_to_mono",
        [] {
            plain();
            stereo_mode = 1;
        },
        [] { stereo_mode = 0; });
    expect_follows("mode_and_back", plain, [] {
        display_mode = 4;
        frame();
        display_mode = 2;
        frame();
        display_mode = 0;
    });
}

}  // namespace
}  // namespace cache_test
