// The interaction: on while a button is held, for a moment after each input,
// and the full picture back once it has ended.
#include "app/interaction.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "render/draw_cache.h"
#include "tests/app/frame_fixture.h"

namespace {

class InteractionTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        // Other tests may leave a button pressed.
        for (int b : {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON})
            on_mouse(b, GLUT_UP, 0, 0);
        verbose = 0;
    }
    void TearDown() override {
        interacting = 0;
        full_frame_seconds = 0;
        full_picture_delay = 0.3;
        set_draw_cache(false);
        FrameTest::TearDown();
    }
};

TEST_F(InteractionTest, HeldButtonsInputAndPanelsKeepItOnUntilTheDelayHasPassed) {
    on_mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    const double t = seconds_now();
    EXPECT_EQ(1, interacting);
    EXPECT_FALSE(update_interaction(t + 10, false)) << "a held button goes on";
    on_mouse(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
    const double up = seconds_now();
    EXPECT_FALSE(update_interaction(up + 0.2, false));
    EXPECT_EQ(1, interacting);
    EXPECT_TRUE(update_interaction(up + 0.31, false)) << "ends: the full picture is due";
    EXPECT_EQ(0, interacting);
    EXPECT_FALSE(update_interaction(up + 1, false)) << "ends once";

    on_key('x', 0, 0);
    EXPECT_EQ(1, interacting);
    EXPECT_TRUE(update_interaction(seconds_now() + 0.31, false));

    const double later = seconds_now() + 5;
    EXPECT_FALSE(update_interaction(later, true)) << "a panel control worked";
    EXPECT_EQ(1, interacting);
    EXPECT_TRUE(update_interaction(later + 0.31, false));
}

TEST_F(InteractionTest, TheFullPictureComesBackAfterTheDelay) {
    load(60, 60, [](int s, int i) { return Vector3(s, std::sin(s * 0.2) * std::cos(i * 0.3), i); });
    display_mode = 4;
    object_translation[1] = 0;
    const Picture full = (draw_frame(), read_back());

    set_draw_cache(true);
    full_frame_seconds = 1.0;  // as after a slow full frame
    full_picture_delay = 0.05;
    on_mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    on_motion(120, 100);
    on_mouse(GLUT_LEFT_BUTTON, GLUT_UP, 120, 100);
    angle_y = 0;  // the drag's turn taken back: the same view as the full picture
    build_rotation(angle_x, angle_y, angle_z, view_rotation);
    draw_frame();
    const Picture reduced = read_back();
    int differ = 0;
    for (std::size_t i = 0; i < full.rgb.size(); ++i) differ += full.rgb[i] != reduced.rgb[i];
    EXPECT_GT(differ, 1000) << "drawn reduced while interacting";
    keep_if_failed(reduced, "interaction_reduced");

    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    main_window = window_;
    on_idle();
    EXPECT_EQ(0, interacting);
    draw_frame();
    const Picture back = read_back();
    EXPECT_TRUE(back.rgb == full.rgb) << "the full picture, as immediate drawing gives it";
    keep_if_failed(back, "interaction_full_again");
}

}  // namespace
