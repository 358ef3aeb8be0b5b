// Whole frames in a real GL context: the diagnostics of the camera and the
// pictures of the eye passes and the overlay.
#include "app/display.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/camera.h"
#include "app/input.h"
#include "app/viewer.h"
#include "data/data_set.h"
#include "tests/support/gl_context.h"
#include "tests/support/stdout_capture.h"
#include "ui/settings.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Picture {
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[(y * kWidth + x) * 3]; }
};

// The back buffer of the frame just drawn (draw_frame leaves the swap to display).
Picture read_back() {
    glReadBuffer(GL_BACK);
    return Picture{read_pixels(0, 0, kWidth, kHeight)};
}

// Keeps the picture of a failing test for a look afterwards.
void keep_if_failed(const Picture& picture, const std::string& name) {
    if (!::testing::Test::HasFailure()) return;
    const auto dir = std::filesystem::path(__FILE__).parent_path() / "artifacts";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / (name + ".png")).string();
    if (save_png(path, picture.rgb, kWidth, kHeight)) {
        std::printf("picture kept in %s\n", path.c_str());
    }
}

int count_pixels(const Picture& p, bool (*match)(const unsigned char*), int x0 = 0, int y0 = 0,
                 int x1 = kWidth, int y1 = kHeight) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) n += match(p.at(x, y)) ? 1 : 0;
    }
    return n;
}

bool is_dark(const unsigned char* c) { return c[0] < 80 && c[1] < 80 && c[2] < 80; }

// The viewer's window state on the test window, and the settings of a fresh
// program, restored after each test.
class FrameTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        on_reshape(kWidth, kHeight);
        ASSERT_EQ(view_width, kWidth);
        ASSERT_EQ(view_height, kHeight);
        init_lights();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_NORMALIZE);
        glEnable(GL_LINE_SMOOTH);
        reset();
    }
    void TearDown() override { reset(); }

    static void reset() {
        stereo_mode = 0;
        eye_separation = 2.0f;
        focal_length = 20.0f;
        verbose = 0;
        show_file_name = 1;
        show_axes = 0;
        background_color = Color4(1, 1, 1, 1);
        display_mode = 1;
        thickness = 0.02f;
        scale = 1.0f;
        object_translation[0] = 0;
        object_translation[1] = -5;
        object_translation[2] = 0;
        data_set.allocate_grid(0, 0);
        data_set.filename.clear();
        data_set.kind = 0;
    }

    std::string verbose_frame() {
        verbose = 1;
        StdoutCapture capture;
        draw_frame();
        return capture.finish();
    }
};

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST_F(FrameTest, VerboseMonoFramePrintsCameraAndOneEyeBlock) {
    EXPECT_EQ(verbose_frame(),
              "ratio = 1.333333 radians = 0.392699 wd2 = 0.041421 ndfl = 0.005000\n"
              "Left Frustum: left = -0.054728 right = 0.055728 top = 0.041421 "
              "bottom = -0.041421 nearp = 0.100000 farp = 100000.000000\n"
              "Center Frustum: left = -0.055228 right = 0.055228 top = 0.041421 "
              "bottom = -0.041421 nearp = 0.100000 farp = 100000.000000\n"
              "Right Frustum: left = -0.055728 right = 0.054728 top = 0.041421 "
              "bottom = -0.041421 nearp = 0.100000 farp = 100000.000000\n"
              "r = 0.100000 0.000000 0.000000\n"
              "l = -0.100000 0.000000 0.000000\n"
              "vp: 0.000000 0.000000 20.000000\n"
              "vd: 0.000000 0.000000 19.000000\n"
              "vu: 0.000000 1.000000 0.000000\n");
    EXPECT_EQ(vp.z(), 20.0);
}

TEST_F(FrameTest, VerboseTwoEyeFramesPrintOneBlockPerEye) {
    for (int mode : {1, 2}) {
        stereo_mode = mode;
        const std::string out = verbose_frame();
        EXPECT_EQ(count(out, "ratio = "), 1u) << mode;
        EXPECT_EQ(count(out, " Frustum: "), 3u) << mode;
        EXPECT_EQ(count(out, "vp: "), 2u) << mode;
        // Left eye first, on the -x side; then the right eye.
        const size_t left = out.find("vp: -0.100000 0.000000 20.000000\nvd: -0.100000 0.000000 19.000000\n");
        const size_t right = out.find("vp: 0.100000 0.000000 20.000000\nvd: 0.100000 0.000000 19.000000\n");
        ASSERT_NE(left, std::string::npos) << out;
        ASSERT_NE(right, std::string::npos) << out;
        EXPECT_LT(left, right);
    }
}

TEST_F(FrameTest, QuietFramePrintsNothingAndFollowsTheFocalLength) {
    focal_length = 35.5f;
    StdoutCapture capture;
    draw_frame();
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(vp.z(), 35.5);
}

TEST_F(FrameTest, ZeroFocalLengthPrintsFiniteNumbers) {
    focal_length = 0;
    stereo_mode = 1;
    const std::string out = verbose_frame();
    EXPECT_EQ(out.find("inf"), std::string::npos) << out;
    EXPECT_EQ(out.find("nan"), std::string::npos) << out;
    EXPECT_NE(out.find("ndfl = 0.000000\n"), std::string::npos) << out;
}

TEST_F(FrameTest, ClearsToTheBackgroundColour) {
    background_color = Color4(0.2f, 0.4f, 0.6f, 1.0f);
    for (int mode : {0, 1, 2}) {
        stereo_mode = mode;
        draw_frame();
        const Picture p = read_back();
        for (auto [x, y] : {std::pair{400, 300}, {1, 1}, {798, 598}}) {
            const unsigned char* c = p.at(x, y);
            EXPECT_NEAR(c[0], 51, 1) << mode;
            EXPECT_NEAR(c[1], 102, 1) << mode;
            EXPECT_NEAR(c[2], 153, 1) << mode;
        }
        keep_if_failed(p, "background_mode" + std::to_string(mode));
    }
}

TEST_F(FrameTest, FileNameShowsOnlyAfterALoadAndWhenAskedFor) {
    // Around the overlay position, 10 % in from the lower left corner.
    const int x0 = 70, y0 = 50, x1 = 400, y1 = 90;
    draw_frame();
    Picture p = read_back();
    EXPECT_EQ(count_pixels(p, is_dark, x0, y0, x1, y1), 0) << "nothing before the first load";
    keep_if_failed(p, "overlay_before_load");

    data_set.filename = "saddle_surface.dat";
    draw_frame();
    p = read_back();
    const int text_pixels = count_pixels(p, is_dark, x0, y0, x1, y1);
    EXPECT_GT(text_pixels, 100);
    // Nothing of it outside that band.
    EXPECT_EQ(count_pixels(p, is_dark), text_pixels);
    keep_if_failed(p, "overlay_after_load");

    // The contrasting colour on a dark background.
    background_color = Color4(0, 0, 0, 1);
    draw_frame();
    p = read_back();
    EXPECT_GT(count_pixels(
                  p, [](const unsigned char* c) { return c[0] > 180 && c[1] > 180 && c[2] > 180; },
                  x0, y0, x1, y1),
              100);
    keep_if_failed(p, "overlay_on_black");

    background_color = Color4(1, 1, 1, 1);
    show_file_name = 0;
    draw_frame();
    p = read_back();
    EXPECT_EQ(count_pixels(p, is_dark), 0);
    keep_if_failed(p, "overlay_switched_off");
}

}  // namespace
