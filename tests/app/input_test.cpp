// Keys, mouse buttons and drags of the main window, and the rotation they build.
#include "app/input.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/settings.h"
#include "tests/support/gl_context.h"
#include "tests/support/stdout_capture.h"

namespace {

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The callbacks post redisplays and read the window size, so they need the test
// window; every test starts from the view state of a fresh program.
class InputTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        angle_x = angle_y = angle_z = 0;
        set_identity(view_rotation);
        mouse_mode = -1;
        last_x = last_y = 0;
        for (float& v : matCur) v = 0;
        object_translation[0] = 0;
        object_translation[1] = -5;
        object_translation[2] = 0;
        scale = 1.0f;
        verbose = 0;
    }
    void TearDown() override { SetUp(); }

    void press(unsigned char key, int times = 1) {
        for (int i = 0; i < times; ++i) on_key(key, 0, 0);
    }
    void drag(int button, int x0, int y0, int x1, int y1) {
        on_mouse(button, GLUT_DOWN, x0, y0);
        on_motion(x1, y1);
        on_mouse(button, GLUT_UP, x1, y1);
    }
};

void multiply(const float a[16], const float b[16], float out[16]) {
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
            out[col * 4 + row] = static_cast<float>(sum);
        }
    }
}

TEST(BuildRotationTest, TurnsAboutXThenYThenZ) {
    float rx[16], ry[16], rz[16], all[16], zy[16], zyx[16];
    build_rotation(30, 0, 0, rx);
    build_rotation(0, -50, 0, ry);
    build_rotation(0, 0, 70, rz);
    build_rotation(30, -50, 70, all);
    multiply(rz, ry, zy);
    multiply(zy, rx, zyx);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(all[i], zyx[i], 1e-6) << i;
    // Only the upper-left block is a rotation; the rest stays that of the identity.
    for (int i : {3, 7, 11, 12, 13, 14}) EXPECT_EQ(all[i], 0.0f) << i;
    EXPECT_EQ(all[15], 1.0f);
}

TEST(BuildRotationTest, PositiveAnglesTurnCounterClockwise) {
    float m[16];
    build_rotation(90, 0, 0, m);  // y goes to +z
    EXPECT_NEAR(m[6], 1.0f, 1e-6);
    build_rotation(0, 90, 0, m);  // z goes to +x
    EXPECT_NEAR(m[8], 1.0f, 1e-6);
    build_rotation(0, 0, 90, m);  // x goes to +y
    EXPECT_NEAR(m[1], 1.0f, 1e-6);
}

TEST_F(InputTest, XPressed360TimesComesBackToTheIdentity) {
    press('x', 360);
    EXPECT_EQ(angle_x, -360.0f);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(view_rotation[i], kIdentity[i], 1e-6) << i;
}

TEST_F(InputTest, LetterKeysStepAnglesAndScale) {
    press('X', 3);
    press('y', 2);
    press('Z');
    EXPECT_EQ(angle_x, 3.0f);
    EXPECT_EQ(angle_y, -2.0f);
    EXPECT_EQ(angle_z, 1.0f);
    float expected[16];
    build_rotation(3, -2, 1, expected);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(view_rotation[i], expected[i]) << i;

    // Each step is summed in double and rounded to float; no clamp at 0.
    press('S', 2);
    EXPECT_EQ(scale, static_cast<float>(static_cast<float>(1.0f + 0.1) + 0.1));
    EXPECT_NEAR(scale, 1.2f, 1e-6);
    press('s', 13);
    EXPECT_LT(scale, 0.0f);
}

TEST_F(InputTest, AnyKeyRebuildsTheRotationButArrowsDoNot) {
    angle_y = 45;
    for (float& v : view_rotation) v = 7;
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_UP, GLUT_KEY_F1})
        on_special_key(key, 0, 0);
    EXPECT_FLOAT_EQ(object_translation[0], -0.1f);
    EXPECT_FLOAT_EQ(object_translation[1], -4.8f);
    for (float v : view_rotation) EXPECT_EQ(v, 7.0f);
    on_special_key(GLUT_KEY_RIGHT, 0, 0);
    on_special_key(GLUT_KEY_DOWN, 0, 0);
    EXPECT_NEAR(object_translation[0], 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(object_translation[1], -4.9f);

    press('k');  // not a key of the viewer, yet the matrix follows the angles
    float expected[16];
    build_rotation(0, 45, 0, expected);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(view_rotation[i], expected[i]) << i;
}

TEST_F(InputTest, LeftDragUpTheWholeWindowTurns40DegreesAboutX) {
    ASSERT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 600);
    drag(GLUT_LEFT_BUTTON, 400, 600, 400, 0);
    EXPECT_EQ(mouse_mode, 0);
    EXPECT_FLOAT_EQ(angle_x, -40.0f);
    EXPECT_EQ(angle_y, 0.0f);
    float expected[16];
    build_rotation(-40, 0, 0, expected);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(view_rotation[i], expected[i]) << i;
}

TEST_F(InputTest, RightDragAcrossTheWindowMoves40InX) {
    ASSERT_EQ(glutGet(GLUT_WINDOW_WIDTH), 800);
    drag(GLUT_RIGHT_BUTTON, 0, 300, 800, 300);
    EXPECT_EQ(mouse_mode, 2);
    EXPECT_FLOAT_EQ(object_translation[0], 40.0f);
    EXPECT_FLOAT_EQ(object_translation[1], -5.0f);
    // Upward (smaller window y) raises y.
    drag(GLUT_RIGHT_BUTTON, 0, 300, 0, 150);
    EXPECT_FLOAT_EQ(object_translation[1], 5.0f);
}

TEST_F(InputTest, MiddleDragUpwardMovesTheDataAway) {
    drag(GLUT_MIDDLE_BUTTON, 100, 450, 100, 300);
    EXPECT_EQ(mouse_mode, 1);
    EXPECT_FLOAT_EQ(object_translation[2], 10.0f);
    EXPECT_EQ(object_translation[0], 0.0f);
}

TEST_F(InputTest, RightButtonFlipsVerboseOnPressOnly) {
    on_mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 10);
    EXPECT_EQ(verbose, 1);
    on_mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 5, 10);
    EXPECT_EQ(verbose, 1);
    on_mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 10);
    EXPECT_EQ(verbose, 0);
    verbose = 5;  // any non-zero value counts as on
    on_mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 10);
    EXPECT_EQ(verbose, 0);
}

TEST_F(InputTest, WheelZoomsLikeTheScaleKeys) {
    on_mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 0);
    on_mouse(3, GLUT_DOWN, 40, 100);
    on_mouse(3, GLUT_UP, 40, 100);
    EXPECT_FLOAT_EQ(scale, 1.1f);
    on_mouse(4, GLUT_DOWN, 40, 100);
    on_mouse(4, GLUT_DOWN, 40, 100);
    EXPECT_FLOAT_EQ(scale, 0.9f);
    // The wheel keeps the drag mode but records where it happened.
    EXPECT_EQ(mouse_mode, 1);
    EXPECT_EQ(last_x, 40);
    EXPECT_EQ(last_y, 500);
}

TEST_F(InputTest, PPrintsMatCurOneRowPerLine) {
    for (int i = 0; i < 16; ++i) matCur[i] = static_cast<float>(i) + 0.5f;
    StdoutCapture capture;
    press('p');
    EXPECT_EQ(capture.finish(),
              "matCur:\n"
              "0.500000 4.500000 8.500000 12.500000\n"
              "1.500000 5.500000 9.500000 13.500000\n"
              "2.500000 6.500000 10.500000 14.500000\n"
              "3.500000 7.500000 11.500000 15.500000\n");
}

}  // namespace
