#include "app/viewer.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/view_state.h"
#include "tests/support/gl_context.h"
#include "tests/support/stdout_capture.h"

namespace {
const char kStartOutput[] = "\npossible= 0\nStereo buffer off -- set to double buffer\n";

// Opens the first main window; the output begins with the start-up lines (the
// panel may print more after them).
std::string open_first_window() {
    StdoutCapture capture;
    EXPECT_TRUE(open_viewer_window());
    return capture.finish();
}
}  // namespace

// Every test starts as the program does: no main window yet, "MonoView ".
class WindowKindTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        set_start_values();
        window_kind = kNoWindow;
    }
};

TEST_F(WindowKindTest, FirstWindowIsDoubleBufferedAt50By50And800By600) {
    const std::string out = open_first_window();
    EXPECT_EQ(out.substr(0, sizeof kStartOutput - 1), kStartOutput);
    EXPECT_EQ(window_kind, 1);
    EXPECT_EQ(possible, 0) << "Xvfb has no stereo visual";
    ASSERT_NE(main_window, 0);
    EXPECT_NE(main_window, window_);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    // Events of the panel windows may leave one of them current.
    glutSetWindow(main_window);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 800);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 600);
    GLint depth_bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
    EXPECT_GT(depth_bits, 0);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
    float diffuse[4];
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 0.9f) << "light 2 starts at its full base colour";
    EXPECT_FLOAT_EQ(diffuse[1], 0.6f);
}

TEST_F(WindowKindTest, EveryModeButStereoViewSharesTheWindow) {
    stereo_mode = 0;
    open_first_window();
    const int first = main_window;
    for (int mode : {1, 3, 4, 5, 6, 0, 1}) {
        stereo_mode = mode;
        StdoutCapture capture;
        EXPECT_FALSE(open_viewer_window());
        EXPECT_EQ(capture.finish(), "");
        EXPECT_EQ(main_window, first);
        EXPECT_EQ(window_kind, 1);
    }
}

TEST_F(WindowKindTest, LeavingAStereoWindowForAnyOtherModeOpensADoubleBufferedOne) {
    open_first_window();
    const int first = main_window;
    window_kind = 2;  // as if the window were quad-buffered
    stereo_mode = 5;
    const std::string out = open_first_window();
    EXPECT_EQ(out.substr(0, sizeof kStartOutput - 1), kStartOutput);
    EXPECT_NE(main_window, first);
    EXPECT_EQ(window_kind, 1);
}

TEST_F(WindowKindTest, StereoWithoutAStereoVisualKeepsTheWindow) {
    stereo_mode = 0;
    open_first_window();
    const int first = main_window;
    for (int attempt = 0; attempt < 2; ++attempt) {
        stereo_mode = 2;
        StdoutCapture capture;
        EXPECT_FALSE(open_viewer_window());
        EXPECT_EQ(capture.finish(), "\npossible= 0\nNo stereo -- set to double buffer\n");
        EXPECT_EQ(main_window, first) << "no further window on attempt " << attempt;
        EXPECT_EQ(window_kind, 1);
    }
    stereo_mode = 0;
    StdoutCapture back;
    EXPECT_FALSE(open_viewer_window());
    EXPECT_EQ(back.finish(), "");
}
