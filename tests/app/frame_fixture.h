#pragma once
// Shared by the frame tests: the back buffer of a frame read into a picture,
// kept as a PNG when a check on it failed, pixel counts by colour, data sets as
// the readers leave them, and a fixture with the viewer's window state and the
// settings of a fresh program.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/camera.h"
#include "app/display.h"
#include "app/input.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "data/data_set.h"
#include "tests/support/gl_context.h"
#include "tests/support/stdout_capture.h"

inline constexpr int kWidth = 800;
inline constexpr int kHeight = 600;

struct Picture {
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[(y * kWidth + x) * 3]; }
};

// The back buffer of the frame just drawn (draw_frame leaves the swap to display).
inline Picture read_back() {
    glReadBuffer(GL_BACK);
    return Picture{read_pixels(0, 0, kWidth, kHeight)};
}

inline int failures_so_far() {
    const ::testing::TestResult* result =
        ::testing::UnitTest::GetInstance()->current_test_info()->result();
    int n = 0;
    for (int i = 0; i < result->total_part_count(); ++i) n += result->GetTestPartResult(i).failed();
    return n;
}

// Keeps a picture for a look afterwards when a check on it failed: any failure
// since the previous picture of the test was kept or passed.
inline void keep_if_failed(const Picture& picture, const std::string& name) {
    static int failures_seen = 0;
    static const ::testing::TestInfo* test = nullptr;
    const ::testing::TestInfo* now = ::testing::UnitTest::GetInstance()->current_test_info();
    if (now != test) {
        test = now;
        failures_seen = 0;
    }
    const int failures = failures_so_far();
    const bool failed = failures > failures_seen;
    failures_seen = failures;
    if (!failed) return;
    const auto dir = std::filesystem::path(__FILE__).parent_path() / "artifacts";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / (name + ".png")).string();
    if (save_png(path, picture.rgb, kWidth, kHeight)) {
        std::printf("picture kept in %s\n", path.c_str());
    }
}

template <typename Match>
int count_pixels(const Picture& p, Match match, int x0 = 0, int y0 = 0, int x1 = kWidth,
                 int y1 = kHeight) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) n += match(p.at(x, y)) ? 1 : 0;
    }
    return n;
}

inline bool is_dark(const unsigned char* c) {
    return c[0] < 80 && c[1] < 80 && c[2] < 80;
}
inline bool is_red(const unsigned char* c) {
    return c[0] > 150 && c[1] < 60 && c[2] < 60;
}
inline bool is_green(const unsigned char* c) {
    return c[1] > 150 && c[0] < 100 && c[2] < 100;
}
inline bool is_blue(const unsigned char* c) {
    return c[2] > 150 && c[0] < 60 && c[1] < 60;
}
inline bool is_drawn(const unsigned char* c) {
    return c[0] + c[1] + c[2] < 3 * 230;
}

// Mean column of the pixels that `match` picks; -1 when there are none.
template <typename Match>
double mean_column(const Picture& p, Match match) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (match(p.at(x, y))) {
                sum += x;
                ++n;
            }
        }
    }
    return n ? sum / n : -1;
}

// As the readers leave it: `width` sets of `points` points from `at`, plain data.
template <typename At>
inline void load(int width, int points, At at) {
    data_set.allocate_grid(width, points);
    data_set.kind = DataSet::kData;
    for (int i = 0; i < points; ++i) {
        for (int s = 0; s < width; ++s) {
            const Vector3 p = at(s, i);
            data_set.point(s, i) = p;
            data_set.color_value(s, i) = 0;
            for (int a = 0; a < 3; ++a) {
                if ((s == 0 && i == 0) || p[a] < data_set.min[a]) data_set.min[a] = p[a];
                if ((s == 0 && i == 0) || p[a] > data_set.max[a]) data_set.max[a] = p[a];
            }
        }
    }
    data_set.normalize_bounds();
}

// One filled quad facing the camera; the box maps it onto x, y in [-5, 5] at z = -5.
inline void load_quad() {
    load(2, 2, [](int s, int i) { return Vector3(i, s, 0); });
    display_mode = 4;
}

// Moves a data point at the box corner (-5, -5, -5), where a single point or the
// low corner of flat data lands, onto the line of sight `distance` in front of
// the camera (the object translation's z is negated).
inline void place_on_line_of_sight(double distance) {
    object_translation[0] = 5;
    object_translation[1] = 5;
    object_translation[2] = static_cast<float>(distance - focal_length - 5);
}

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
        set_start_values();
        view_width = kWidth;
        view_height = kHeight;
        data_set.allocate_grid(0, 0);
        data_set.filename.clear();
        data_set.kind = 0;
        set_status_line("");
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }

    std::string verbose_frame() {
        verbose = 1;
        StdoutCapture capture;
        draw_frame();
        return capture.finish();
    }
};
