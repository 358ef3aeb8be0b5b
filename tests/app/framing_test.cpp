// Pictures readable without a control: the box, its labels and the legend inside
// the picture (each half of a split one) at every view key, no two labels on
// each other, z(x, y) grids lying flat with north up in the map view, the
// underside of a surface lit, and a hint in the empty picture.

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/bounds_box.h"
#include "app/camera.h"
#include "app/command_line.h"
#include "app/display.h"
#include "app/headless.h"
#include "app/input.h"
#include "app/stereo_passes.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/box_transform.h"
#include "tests/support/headless_load.h"
#include "tests/support/stdout_capture.h"
#include "ui/data_folder.h"

namespace {

namespace fs = std::filesystem;
constexpr int kW = 480, kH = 360;

bool background(const Image& p, int x, int y) {
    const unsigned char* c = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
    return c[0] > 250 && c[1] > 250 && c[2] > 250;
}

Image picture_of(const fs::path& file, std::vector<const char*> args) {
    return ::picture_of(file, std::move(args), kW, kH);
}

// The labels' rectangles of the mono picture drawn last.
std::vector<PixelRect> label_rects() {
    begin_eye_pass(frame_camera(), 1);
    gluLookAt(0, 0, focal_length, 0, 0, focal_length - 1, 0, 1, 0);
    apply_model_transform();
    std::vector<PixelRect> rects;
    const ScreenProjection pr = current_projection();
    for (const BoxLabel& label : layout_bounds_box(data_set).labels) {
        PixelRect r;
        if (label_pixels(label, pr, r)) rects.push_back(r);
    }
    return rects;
}

double mean_brightness(const Image& p) {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            if (background(p, x, y)) continue;
            const unsigned char* c = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
            sum += c[0] + c[1] + c[2];
            ++n;
        }
    return n ? sum / n : 0;
}

TEST(Framing, BoxLabelsAndLegendStayInsideEveryPictureAndNoLabelsCollide) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(fs::path(ZENDRAL_SOURCE_DIR) / "Data"))
        files.push_back(e.path());
    for (const auto& e : fs::directory_iterator(fs::path(ZENDRAL_SOURCE_DIR) / "tests/app/real"))
        if (e.path().extension() == ".dat") files.push_back(e.path());
    for (const fs::path& file : files) {
        for (const char* view : {"1", "2", "3", "4"}) {
            for (const char* stereo : {"mono", "side-by-side"}) {
                const Image p = picture_of(
                    file, {"--bounds", "--color-by", "z", "--view", view, "--stereo", stereo});
                const bool split = std::string(stereo) != "mono";
                int outside = 0;  // drawn pixels within 4 of an edge of the picture or a half
                for (int y = 0; y < kH; ++y)
                    for (int x = 0; x < kW; ++x) {
                        const int hx = split ? x % (kW / 2) : x, w = split ? kW / 2 : kW;
                        const bool rim = hx < 4 || hx >= w - 4 || y < 4 || y >= kH - 4;
                        outside += rim && !background(p, x, y);
                    }
                EXPECT_EQ(outside, 0) << file.filename() << " view " << view << " " << stereo;
                if (split) continue;
                const std::vector<PixelRect> rects = label_rects();
                EXPECT_GE(rects.size(), 3u) << file.filename();
                for (std::size_t i = 0; i < rects.size(); ++i)
                    for (std::size_t j = i + 1; j < rects.size(); ++j)
                        EXPECT_FALSE(rects[i].overlaps(rects[j]))
                            << file.filename() << " view " << view << " labels " << i << ", " << j;
            }
        }
    }
}

TEST(Framing, TablesLieFlatWithNorthUpAndSurfacesAreLitFromBelow) {
    // Tables over longitude and latitude: one level, one rising to the north.
    const auto table = [](const char* name, double rise) {
        const fs::path file =
            fs::temp_directory_path() / (name + std::to_string(getpid()) + ".csv");
        std::ofstream out(file);
        out << "lon,lat,height\n";
        for (int s = 0; s < 20; ++s) {
            for (int i = 0; i < 20; ++i)
                out << 10 + s * 0.1 << "," << 50 + i * 0.1 << "," << i * rise << "\n";
            out << "\n";
        }
        return file;
    };
    const fs::path level = table("zendral-level-", 0), file = table("zendral-hill-", 5);
    // Up z: the level grid lies flat, far wider than high, at key 1.
    const Image flat = picture_of(level, {"--mode", "filled"});
    int top = kH, bottom = -1, left = kW, right = -1;
    for (int y = 60; y < kH; ++y)  // above the file name
        for (int x = 0; x < kW; ++x)
            if (!background(flat, x, y)) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    ASSERT_GT(right, left);
    EXPECT_LT(bottom - top, (right - left) / 2);

    // Map view, coloured by latitude: the scale's last colours (yellow, north) at
    // the top of the picture, its first (violet, bluer) at the bottom.
    const Image map = picture_of(file, {"--mode", "filled", "--view", "2", "--color-by", "y"});
    const auto blue_at = [&](int y) {
        const unsigned char* c = &map.rgb[(static_cast<std::size_t>(y) * kW + kW / 2 - 40) * 3];
        return c[2] - c[0] / 2;
    };
    int first = -1, last = -1;  // rows of the map at the picture's centre line, from the bottom
    for (int y = 0; y < kH; ++y)
        if (!background(map, kW / 2 - 40, y)) (first < 0 ? first : last) = y;
    ASSERT_GT(last, first + 20);
    EXPECT_GT(blue_at(first + 3), blue_at(last - 3)) << "north must be up";

    // From below (key 2 turned over), the surface shows its shape, lit.
    const Image above =
        picture_of(file, {"--mode", "filled", "--view", "2", "--aspect", "height:1"});
    angle_x = -90;
    build_rotation(angle_x, angle_y, angle_z, view_rotation);
    const Image below = draw_headless_picture();
    EXPECT_GT(mean_brightness(below), 0.5 * mean_brightness(above));
    fs::remove(file);
    fs::remove(level);

    // Nothing loaded: the hint.
    set_start_values();
    data_set.allocate_grid(0, 0);
    data_set.filename.clear();
    EXPECT_EQ(overlay_status(), kStartHint);
    std::string why;
    ASSERT_TRUE(begin_headless_picture(kW, kH, why)) << why;
    const Image empty = draw_headless_picture();
    int dark = 0;
    for (int y = 0; y < kH / 10; ++y)
        for (int x = 0; x < kW; ++x) dark += !background(empty, x, y);
    EXPECT_GT(dark, 100);
}

}  // namespace
