// The numbers of the off-axis stereo camera, without GL.
#include "app/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expect_all_finite(const CameraFrame& c) {
    const double values[] = {c.sep,       c.ratio,      c.radians,    c.wd2,       c.ndfl,
                             c.left[0],   c.left[1],    c.left[2],    c.right[0],  c.right[1],
                             c.right[2],  c.top,        c.bottom,     c.leftv.x(), c.leftv.y(),
                             c.leftv.z(), c.rightv.x(), c.rightv.y(), c.rightv.z()};
    for (double v : values) EXPECT_TRUE(std::isfinite(v)) << v;
}

TEST(CameraTest, DefaultsAt800By600) {
    const CameraFrame c = compute_camera(2.0, 20.0, 800, 600);
    EXPECT_DOUBLE_EQ(c.sep, 0.2);
    EXPECT_DOUBLE_EQ(c.ratio, 800.0 / 600.0);
    EXPECT_DOUBLE_EQ(c.radians, 0.39269908125);
    EXPECT_NEAR(c.wd2, 0.0414213562, 1e-9);
    EXPECT_DOUBLE_EQ(c.ndfl, 0.005);
    EXPECT_DOUBLE_EQ(c.top, c.wd2);
    EXPECT_DOUBLE_EQ(c.bottom, -c.wd2);

    const double half = c.ratio * c.wd2;
    EXPECT_DOUBLE_EQ(c.left[1], -half);
    EXPECT_DOUBLE_EQ(c.right[1], half);
    // The left eye's window moves right by 0.0005, the right eye's left by as much.
    EXPECT_NEAR(c.left[0] - c.left[1], 0.0005, 1e-15);
    EXPECT_NEAR(c.right[0] - c.right[1], 0.0005, 1e-15);
    EXPECT_NEAR(c.left[2] - c.left[1], -0.0005, 1e-15);
    EXPECT_NEAR(c.right[2] - c.right[1], -0.0005, 1e-15);

    // Left eye on the -x side, right eye on the +x side, level with the camera.
    EXPECT_DOUBLE_EQ(c.leftv.x(), -0.1);
    EXPECT_DOUBLE_EQ(c.rightv.x(), 0.1);
    for (const Vector3* v : {&c.leftv, &c.rightv}) {
        EXPECT_EQ(v->y(), 0.0);
        EXPECT_EQ(v->z(), 0.0);
    }
}

TEST(CameraTest, CentreLinesMeetAtTheFocalLength) {
    // The middle of each eye's window, seen from that eye, points at x = 0 at the
    // focal distance: zero parallax there.
    for (double focal : {5.0, 20.0, 137.5}) {
        const CameraFrame c = compute_camera(3.0, focal, 1024, 512);
        for (int eye : {0, 2}) {
            const double eye_x = eye == 0 ? c.leftv.x() : c.rightv.x();
            const double mid_near = (c.left[eye] + c.right[eye]) / 2;
            EXPECT_NEAR(eye_x + mid_near * focal / 0.1, 0.0, 1e-12) << focal << " eye " << eye;
        }
    }
}

TEST(CameraTest, ZeroSeparationGivesThreeEqualWindows) {
    const CameraFrame c = compute_camera(0.0, 20.0, 800, 600);
    for (int i : {0, 2}) {
        EXPECT_EQ(c.left[i], c.left[1]);
        EXPECT_EQ(c.right[i], c.right[1]);
    }
    EXPECT_EQ(c.leftv.x(), 0.0);
    EXPECT_EQ(c.rightv.x(), 0.0);
}

TEST(CameraTest, ZeroFocalLengthLeavesTheWindowsUnshifted) {
    const CameraFrame c = compute_camera(2.0, 0.0, 800, 600);
    expect_all_finite(c);
    EXPECT_EQ(c.ndfl, 0.0);
    for (int i : {0, 2}) {
        EXPECT_EQ(c.left[i], c.left[1]);
        EXPECT_EQ(c.right[i], c.right[1]);
    }
    // The eyes still stand apart.
    EXPECT_DOUBLE_EQ(c.leftv.x(), -0.1);
    // A focal length so small that the shift overflows is treated the same way.
    const CameraFrame tiny = compute_camera(2.0, 1e-320, 800, 600);
    expect_all_finite(tiny);
    EXPECT_EQ(tiny.left[0], tiny.left[1]);
}

TEST(CameraTest, ZeroSizedViewportIsTakenAsOnePixel) {
    const CameraFrame flat = compute_camera(2.0, 20.0, 800, 0);
    expect_all_finite(flat);
    EXPECT_DOUBLE_EQ(flat.ratio, 800.0);
    const CameraFrame empty = compute_camera(2.0, 20.0, 0, 0);
    expect_all_finite(empty);
    EXPECT_DOUBLE_EQ(empty.ratio, 1.0);
    // Every window keeps a width, so glFrustum accepts it.
    for (int i = 0; i < 3; ++i) EXPECT_LT(empty.left[i], empty.right[i]);
}

TEST(CameraTest, NonFiniteSettingsNeverReachTheNumbers) {
    expect_all_finite(compute_camera(NAN, 20.0, 800, 600));
    expect_all_finite(compute_camera(2.0, NAN, 800, 600));
    expect_all_finite(compute_camera(INFINITY, INFINITY, 800, 600));
}

}  // namespace
