// The stereo pictures for glasses and for free viewing: whole frames read back
// channel by channel and half by half.
#include <cmath>

#include "app/stereo_passes.h"
#include "tests/app/frame_fixture.h"

namespace {

using StereoTest = FrameTest;

// A filled surface bent in depth, turned a little, so that the two eyes see it
// at different places and parts of it hide others.
void load_bent_surface() {
    load(20, 20, [](int s, int i) {
        const double x = s / 19.0, y = i / 19.0;
        return Vector3(x, y, std::sin(3 * x) * std::cos(2 * y));
    });
    display_mode = 4;
    object_translation[1] = 0;
    angle_x = 25;
    angle_y = -30;
    build_rotation(angle_x, angle_y, angle_z, view_rotation);
}

// One eye's picture alone, with the camera of the frame, on the background.
Picture eye_alone(bool right_eye, int texel) {
    const CameraFrame c = compute_camera(eye_separation, focal_length, kWidth, kHeight);
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_eye(c, right_eye, texel);
    return read_back();
}

TEST_F(StereoTest, GlassesPutEachEyesWholePictureInItsOwnChannels) {
    load_bent_surface();
    eye_separation = 10;
    for (int mode : {kRedBlueGlasses, kRedCyanGlasses}) {
        stereo_mode = mode;
        draw_frame();
        const Picture frame = read_back();
        GLboolean mask[4];
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]) << "channels writable again";
        const bool cyan = mode == kRedCyanGlasses;
        const Picture left = eye_alone(false, left_eye_texel);
        const Picture right = eye_alone(true, cyan ? cyan_eye_texel : right_eye_texel);

        int wrong = 0, only_one_eye = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const unsigned char* f = frame.at(x, y);
                const unsigned char* l = left.at(x, y);
                const unsigned char* r = right.at(x, y);
                const int green = cyan ? r[1] : 255;  // red/blue glasses leave green alone
                wrong += std::abs(f[0] - l[0]) > 2 || std::abs(f[1] - green) > 2 ||
                         std::abs(f[2] - r[2]) > 2;
                only_one_eye += is_drawn(l) != is_drawn(r);
            }
        }
        EXPECT_EQ(wrong, 0) << "mode " << mode;
        EXPECT_GT(only_one_eye, 2000) << "the eyes must see different pictures";
        keep_if_failed(frame, "glasses_mode" + std::to_string(mode));
    }
}

TEST_F(StereoTest, GlassesParallaxIsZeroAtTheFocalDistanceAndSwapReversesIt) {
    load(1, 1, [](int, int) { return Vector3(3, -2, 7); });
    display_mode = 0;
    thickness = 0.08f;
    eye_separation = 10;
    background_color = Color4(0, 0, 0, 1);
    for (int mode : {kRedBlueGlasses, kRedCyanGlasses}) {
        stereo_mode = mode;
        for (int swap : {0, 1}) {
            swap_eyes = swap;
            // Red channel minus blue channel: where the red filter's eye sees it.
            auto shift = [&](double distance) {
                place_on_line_of_sight(distance);
                draw_frame();
                const Picture p = read_back();
                // Where each channel stands out from black.
                const double red = mean_column(p, [](const unsigned char* c) { return c[0] > 60; });
                const double blue =
                    mean_column(p, [](const unsigned char* c) { return c[2] > 60; });
                EXPECT_GE(red, 0);
                EXPECT_GE(blue, 0);
                keep_if_failed(p, "parallax_" + std::to_string(mode) + "_" + std::to_string(swap) +
                                      "_" + std::to_string(distance));
                return red - blue;
            };
            EXPECT_NEAR(shift(focal_length), 0, 0.25) << mode;
            // The left eye, on the -x side, sees a nearer point further right.
            const double sign = swap ? -1 : 1;
            EXPECT_GT(sign * shift(12), 15) << mode << " swap " << swap;
            EXPECT_LT(sign * shift(50), -15) << mode << " swap " << swap;
        }
    }
}

TEST_F(StereoTest, RedCyanGlassesShowPureColouredPointsToBothEyes) {
    // Red, green and blue points at the focal distance, 181 pixels apart.
    load(3, 1, [](int s, int) { return Vector3(s, 0, 0); });
    data_set.kind = DataSet::kColorData;
    for (int s = 0; s < 3; ++s) data_set.color_value(s, 0) = static_cast<float>(s);
    display_mode = 0;
    thickness = 0.1f;
    background_color = Color4(0, 0, 0, 1);
    place_on_line_of_sight(focal_length);
    object_translation[0] = 0;
    stereo_mode = kRedCyanGlasses;
    draw_frame();
    const Picture p = read_back();
    for (int s = 0; s < 3; ++s) {
        const int cx = 400 + (s - 1) * 181;
        int left_eye = 0, right_eye = 0;
        for (int y = 295; y <= 305; ++y) {
            for (int x = cx - 5; x <= cx + 5; ++x) {
                left_eye = std::max<int>(left_eye, p.at(x, y)[0]);
                right_eye = std::max<int>(right_eye, std::max(p.at(x, y)[1], p.at(x, y)[2]));
            }
        }
        EXPECT_GT(left_eye, 8) << "colour " << s << " for the red filter";
        EXPECT_GT(right_eye, 8) << "colour " << s << " for the cyan filter";
    }
    keep_if_failed(p, "pure_colours_red_cyan");
}

// Bounds of the drawn pixels in columns [x0, x1).
struct Extent {
    int left = kWidth, right = -1, bottom = kHeight, top = -1;
    int width() const { return right - left + 1; }
    int height() const { return top - bottom + 1; }
    double centre() const { return (left + right) / 2.0; }
};
Extent red_extent(const Picture& p, int x0, int x1) {
    Extent e;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!is_red(p.at(x, y))) continue;
            e.left = std::min(e.left, x);
            e.right = std::max(e.right, x);
            e.bottom = std::min(e.bottom, y);
            e.top = std::max(e.top, y);
        }
    }
    return e;
}

TEST_F(StereoTest, SplitModesShowOneRoundPicturePerHalfAndCrossEyedExchangesThem) {
    // A flat disc, nearer than the focal distance so that the eyes differ.
    load(33, 5, [](int s, int i) {
        const double a = 2 * M_PI * s / 32, r = i / 4.0;
        return Vector3(r * std::cos(a), r * std::sin(a), 0);
    });
    display_mode = 4;
    eye_separation = 10;
    scale = 0.5f;
    place_on_line_of_sight(14);
    object_translation[0] = object_translation[1] = 0;
    data_set.filename = "disc.dat";

    Picture halves[2];
    for (int mode : {kSideBySide, kCrossEyed}) {
        stereo_mode = mode;
        draw_frame();
        const Picture& p = halves[mode - kSideBySide] = read_back();
        for (int side = 0; side < 2; ++side) {
            const Extent e = red_extent(p, side * 400, side * 400 + 400);
            EXPECT_GT(e.width(), 200) << mode << " half " << side;
            EXPECT_NEAR(e.width(), e.height(), 1.0) << mode << " half " << side << ": round";
            EXPECT_NEAR(e.centre(), side * 400 + 200, 20) << mode << " half " << side;
            EXPECT_GT(count_pixels(p, is_dark, side * 400 + 30, 50, side * 400 + 200, 90), 50)
                << "the file name in half " << side;
        }
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], kWidth);
        EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
        keep_if_failed(p, "split_mode" + std::to_string(mode));
    }
    // Cross-eyed is side by side with its halves exchanged; "Swap eyes" undoes it.
    auto differ = [](const unsigned char* a, const unsigned char* b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 6;
    };
    int exchanged_differ = 0, eyes_differ = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < 400; ++x) {
            exchanged_differ += differ(halves[0].at(x, y), halves[1].at(x + 400, y));
            eyes_differ += differ(halves[0].at(x, y), halves[0].at(x + 400, y));
        }
    }
    EXPECT_LT(exchanged_differ, 20);
    EXPECT_GT(eyes_differ, 1000) << "the two eyes' halves must differ";
    swap_eyes = 1;
    draw_frame();
    const Picture swapped = read_back();
    int swap_differ = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            swap_differ += differ(swapped.at(x, y), halves[0].at(x, y));
    }
    EXPECT_LT(swap_differ, 20);
    keep_if_failed(swapped, "split_crossed_swapped");
}

}  // namespace
