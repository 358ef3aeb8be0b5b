// The composed stereo forms as saved: interlaced rows, columns and squares with
// the left eye on the even ones from the top-left pixel, exchanged by "Swap
// eyes"; squeezed halves that are the whole window's picture halved; the
// least-squares colours of the glasses' matrices; and a comfortable depth.

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/camera.h"
#include "app/eye_pictures.h"
#include "app/headless.h"
#include "app/input.h"
#include "app/stereo_passes.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/box_transform.h"
#include "tests/support/headless_load.h"

namespace {

namespace fs = std::filesystem;
const fs::path kWave = fs::path(ZENDRAL_SOURCE_DIR) / "Data/wave_surface.dat";

const unsigned char* pixel(const Image& p, int x, int y) {
    return &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
}
bool drawn(const Image& p, int x, int y) {
    const unsigned char* c = pixel(p, x, y);
    return c[0] < 240 || c[1] < 240 || c[2] < 240;
}

TEST(StereoForms, InterlacedFormsPutTheLeftEyeOnEvenRowsColumnsAndSquaresFromTheTopLeft) {
    // Even sizes, so that counting from the bottom or the right would give the
    // other parity. The surface is nearer than the focal plane: the left eye sees
    // it further right.
    constexpr int kW = 200, kH = 150;
    for (const char* form : {"row-interlaced", "column-interlaced", "checkerboard"}) {
        for (const bool swapped : {false, true}) {
            std::vector<const char*> args = {
                "--stereo", form, "--mode", "filled", "--no-file-name", "--eye-separation", "20"};
            if (swapped) args.push_back("--swap-eyes");
            picture_of(kWave, args, kW, kH);
            object_translation[2] = -8;
            const Image p = draw_headless_picture();
            double sum[2] = {0, 0};
            int count[2] = {0, 0};
            for (int y = 0; y < kH; ++y) {
                const int row = kH - 1 - y;  // from the top
                for (int x = 0; x < kW; ++x) {
                    if (!drawn(p, x, y)) continue;
                    const std::string f = form;
                    const int odd = (f == "row-interlaced"      ? row
                                     : f == "column-interlaced" ? x
                                                                : x + row) &
                                    1;
                    sum[odd] += x;
                    ++count[odd];
                }
            }
            ASSERT_GT(count[0], 100) << form;
            ASSERT_GT(count[1], 100) << form;
            const double shift = sum[0] / count[0] - sum[1] / count[1];
            EXPECT_GT(swapped ? -shift : shift, 3) << form << (swapped ? " swapped" : "");
        }
    }
}

TEST(StereoForms, InterlacedWithTheEyesTogetherIsTheMonoPictureTextIncluded) {
    // The legend's and the title's glyphs too, though the eyes' pictures are
    // drawn the other way up from the picture without a window.
    const fs::path levels = fs::path(ZENDRAL_SOURCE_DIR) / "Data/color_levels.cdat";
    const auto with = [&](const char* form) {
        return picture_of(levels,
                          {"--stereo", form, "--eye-separation", "0", "--mode", "filled", "--title",
                           "\u00c9l\u00e9vation \u00b1"},
                          320, 240);
    };
    const Image mono = with("mono");
    for (const char* form : {"row-interlaced", "column-interlaced", "checkerboard"}) {
        const Image p = with(form);
        int differing = 0;
        for (std::size_t i = 0; i < p.rgb.size(); ++i) differing += p.rgb[i] != mono.rgb[i];
        EXPECT_LE(differing, 6) << form;
    }
}

TEST(StereoForms, SqueezedHalvesAreTheWholePictureHalvedAlongOneAxis) {
    constexpr int kW = 320, kH = 240;
    // Eyes together: each eye sees the centre's picture.
    const std::vector<const char*> common = {"--mode",   "filled",           "--color-by", "y",
                                             "--bounds", "--eye-separation", "0"};
    const auto with = [&](const char* form) {
        std::vector<const char*> args = common;
        args.push_back("--stereo");
        args.push_back(form);
        return picture_of(kWave, args, kW, kH);
    };
    const Image whole = with("mono");
    for (const bool across : {true, false}) {
        const Image squeezed = with(across ? "side-by-side-squeezed" : "top-bottom-squeezed");
        int differing = 0, total = 0;
        for (int half = 0; half < 2; ++half) {
            for (int y = 0; y < (across ? kH : kH / 2); ++y) {
                for (int x = 0; x < (across ? kW / 2 : kW); ++x) {
                    // The squeezed pixel and the two whole-picture pixels it halves.
                    const int sx = across ? x + half * kW / 2 : x;
                    const int sy = across ? y : y + (1 - half) * kH / 2;  // the first on top
                    const int wx = across ? 2 * x : x, wy = across ? y : 2 * y;
                    const unsigned char* s = pixel(squeezed, sx, sy);
                    const unsigned char* a = pixel(whole, wx, wy);
                    const unsigned char* b = pixel(whole, wx + across, wy + !across);
                    bool off = false;
                    for (int c = 0; c < 3; ++c) off |= std::abs(2 * s[c] - a[c] - b[c]) > 2 * 8;
                    differing += off;
                    ++total;
                }
            }
        }
        EXPECT_LT(differing, total / 50) << (across ? "side by side" : "top and bottom");
    }
}

// sRGB to linear light and back, as the published transfer function.
double linear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double encoded(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

TEST(StereoForms, LeastSquaresColoursAreTheGlassesMatrixProductInLinearLight) {
    constexpr int kW = 160, kH = 120;
    const float pure[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.5f, 0.5f, 0.5f}};
    for (const int form : {kRedCyanGlasses, kGreenMagentaGlasses, kAmberBlueGlasses}) {
        const AnaglyphMatrices& m = *stereo_form(form)->least_squares;
        for (const auto& rgb : pure) {
            picture_of(kWave, {"--mode", "filled", "--color-by", "y"}, kW, kH);
            stereo_mode = form;
            anaglyph_colours = kLeastSquaresColours;
            for (int c = 0; c < 3; ++c) background_color[c] = rgb[c];
            const Image p = draw_headless_picture();
            // Both eyes see the background's colour: (L + R) times it.
            const unsigned char* corner = pixel(p, 2, kH - 3);
            for (int row = 0; row < 3; ++row) {
                double v = 0;
                for (int c = 0; c < 3; ++c)
                    v += (m.left[3 * row + c] + m.right[3 * row + c]) * linear(rgb[c]);
                EXPECT_NEAR(corner[row], 255 * encoded(v), 2)
                    << "form " << form << " colour " << rgb[0] << rgb[1] << rgb[2] << " row "
                    << row;
            }
            // Every pixel of the data as the processor's version computes it from
            // both eyes' pictures, all bottom row first.
            std::vector<unsigned char> left(kW * kH * 3), right(kW * kH * 3);
            read_eye_picture(0, kW, kH, left.data());
            read_eye_picture(1, kW, kH, right.data());
            int off = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    const std::size_t i = (static_cast<std::size_t>(y) * kW + x) * 3;
                    unsigned char expected[3];
                    least_squares_pixel(m, &left[i], &right[i], expected);
                    for (int c = 0; c < 3; ++c)
                        off += std::abs(expected[c] - pixel(p, x, y)[c]) > 2;
                }
            EXPECT_EQ(off, 0) << "form " << form;
        }
    }
}

// Each eye's pixel x of the corners of the data's bounds, through GL's own
// matrices of each eye pass.
std::vector<std::vector<double>> corner_columns() {
    std::vector<std::vector<double>> eyes;
    const CameraFrame c = frame_camera();
    for (const EyePass& pass : eye_passes(c)) {
        begin_eye_pass(c, pass.window);
        look_from_eye(pass.offset);
        apply_model_transform();
        apply_box_mapping(data_set);
        double model[16], proj[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, viewport);
        std::vector<double> xs;
        for (int k = 0; k < 8; ++k) {
            double x, y, z;
            gluProject(k & 1 ? data_set.max.x() : data_set.min.x(),
                       k & 2 ? data_set.max.y() : data_set.min.y(),
                       k & 4 ? data_set.max.z() : data_set.min.z(), model, proj, viewport, &x, &y,
                       &z);
            xs.push_back(x);
        }
        eyes.push_back(xs);
    }
    return eyes;
}

TEST(StereoForms, ComfortableDepthKeepsTheBoxWithinAThirtiethOfTheWidthInParallax) {
    constexpr int kW = 400, kH = 300;
    for (const char* name : {"wave_surface.dat", "helix_curves.dat", "elevation.dat"}) {
        double largest = 0;
        for (int view = 1; view <= 4; ++view) {
            picture_of(fs::path(ZENDRAL_SOURCE_DIR) / "Data" / name,
                       {"--stereo", "red-cyan", "--comfort", "--bounds"}, kW, kH);
            set_view_preset(view);
            draw_headless_picture();
            const std::vector<std::vector<double>> eyes = corner_columns();
            ASSERT_EQ(eyes.size(), 2u);
            for (int k = 0; k < 8; ++k) {
                const double parallax = std::fabs(eyes[1][k] - eyes[0][k]);
                EXPECT_LE(parallax, kW / 30.0 + 0.5) << name << " view " << view << " corner " << k;
                largest = std::max(largest, parallax);
            }
        }
        // The depth is used, not just kept small.
        EXPECT_GT(largest, 0.9 * kW / 30) << name;
    }
}

}  // namespace
