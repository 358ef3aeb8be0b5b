#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "render/draw_cache.h"
#include "tests/render/render_fixture.h"

namespace {
constexpr int kWidth = 800, kHeight = 600;

struct Rgb {
    int r, g, b;
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
}  // namespace

// A perspective camera as the viewer's mono view sets it, the two lights of
// start-up, and the picture read back after a model draw.
class PixelTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, static_cast<double>(kWidth) / kHeight, 0.1, 100000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 0, 20, 0, 0, 19, 0, 1, 0);
    }

    // Keeps the picture when the test failed, for a look afterwards.
    void TearDown() override {
        if (!HasFailure() || pixels_.empty()) return;
        const auto dir = std::filesystem::path(__FILE__).parent_path() / "artifacts";
        std::filesystem::create_directories(dir);
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        save_png((dir / (name + ".png")).string(), pixels_, kWidth, kHeight);
    }

    void draw_picture(int texel) {
        glClearColor(background_color.r(), background_color.g(), background_color.b(),
                     background_color.a());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        data_set.draw(texel);
        glFinish();
        pixels_ = read_pixels(0, 0, kWidth, kHeight);
    }

    Rgb at(int x, int y) const {
        const size_t k = (static_cast<size_t>(y) * kWidth + x) * 3;
        return {pixels_[k], pixels_[k + 1], pixels_[k + 2]};
    }

    // The pixel where data point p was drawn (the model's matrix is in matCur).
    Rgb at_point(const Vector3& p) const {
        const Vector3 w = window_of_model_point(p);
        return at(static_cast<int>(w.x()), static_cast<int>(w.y()));
    }

    std::vector<unsigned char> pixels_;
};

TEST_F(PixelTest, PlainDataIsRedInEntryZeroAndBlueInEntryTwo) {
    // One filled quad facing the camera.
    build_grid(data_set, 2, 2, DataSet::kData, [](int s, int i) { return Vector3(i, s, 0); });
    display_mode = 4;

    draw_picture(0);
    const Rgb red = at(kWidth / 2, kHeight / 2);
    EXPECT_GT(red.r, 150) << red;
    EXPECT_LT(red.g, 40) << red;
    EXPECT_LT(red.b, 40) << red;
    const Rgb corner = at(3, 3);
    EXPECT_EQ(corner.r + corner.g + corner.b, 3 * 255) << "background " << corner;
    if (HasFailure()) return;

    draw_picture(2);
    const Rgb blue = at(kWidth / 2, kHeight / 2);
    EXPECT_GT(blue.b, 150) << blue;
    EXPECT_LT(blue.r, 40) << blue;
    EXPECT_LT(blue.g, 40) << blue;
}

TEST_F(PixelTest, SpecialGridOnWhiteShowsAmbientLightOnlyAndIsMuchDarker) {
    // 3 x 3 needles on x, z in {0, 0.5, 1}; the lowest point sits at base_level 0.
    build_grid(data_set, 3, 3, DataSet::kData,
               [](int s, int i) { return Vector3(0.5 * s, s == 0 && i == 0 ? 0 : 1, 0.5 * i); });
    display_mode = 5;
    thickness = 0.05f;
    draw_picture(0);

    // Front row (z = 1, nearest the camera): a needle half way up, and the grid
    // line along x between two needles.
    const Rgb needle = at_point(Vector3(0.5, 0.5, 1));
    const Rgb grid = at_point(Vector3(0.25, 0, 1));
    EXPECT_GT(needle.r, 200) << needle;
    EXPECT_LT(grid.g, 30) << "the grid is drawn, not background: " << grid;
    EXPECT_LT(grid.b, 30) << grid;
    // Ambient light only: the default ambient material 0.2 under the two white
    // ambient lights and the scene ambient, 0.44 of red.
    EXPECT_NEAR(grid.r, 0.44 * 255, 12) << grid;
    EXPECT_LT(grid.r, needle.r * 0.6) << "grid " << grid << " needle " << needle;
}

namespace {
// Whether p is a shade of the texel's colour: under white lights a lit pixel is a
// grey level times the texel, each channel clipped at 255, so its unclipped
// channels keep the texel's proportions.
bool shade_of(const Rgb& p, const unsigned char* texel) {
    const int pc[3] = {p.r, p.g, p.b};
    int ref = -1;  // the unclipped channel with the largest texel byte gives the level
    for (int c = 0; c < 3; ++c)
        if (pc[c] < 255 && texel[c] > 0 && (ref < 0 || texel[c] > texel[ref])) ref = c;
    const double level = ref < 0 ? 255.0 : pc[ref] / static_cast<double>(texel[ref]);
    for (int c = 0; c < 3; ++c)
        if (std::abs(pc[c] - std::min(255.0, level * texel[c])) > 3) return false;
    return true;
}
}  // namespace

TEST_F(PixelTest, EveryModelPixelShowsTheEntryOfItsColourValue) {
    const float white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    thickness = 0.1f;
    const char* const names[] = {"points", "surface", "tubes", "outlined tubes"};
    const int modes[][2] = {{0, 0}, {4, 4}, {4, 1}, {3, 1}};  // the mode before, the mode shown
    std::vector<int> values;
    for (int v = 0; v < 16; ++v) values.push_back(v);
    values.insert(values.end(), {16, 20, 1000003});
    for (bool cached : {false, true}) {
        set_draw_cache(cached);
        for (int v : values) {
            build_grid(
                data_set, 6, 6, DataSet::kColorData,
                [](int s, int i) { return Vector3(s, i, 0.5 * std::sin(s + i)); },
                [&](int, int) { return static_cast<float>(v); });
            const unsigned char* texel = data_set.color_map + 4 * (v % 16);
            for (int m = 0; m < 4; ++m) {
                display_mode = modes[m][0];
                draw_picture(0);
                display_mode = modes[m][1];
                draw_picture(0);
                int model = 0, wrong = 0;
                for (int y = 0; y < kHeight; ++y) {
                    for (int x = 0; x < kWidth; ++x) {
                        const Rgb p = at(x, y);
                        if (p.r == 255 && p.g == 255 && p.b == 255) continue;
                        ++model;
                        if (!shade_of(p, texel)) ++wrong;
                    }
                }
                EXPECT_GT(model, 2000) << names[m] << ", value " << v;
                EXPECT_EQ(wrong, 0) << names[m] << ", value " << v << (cached ? ", cached" : "");
                if (HasFailure()) {
                    set_draw_cache(false);
                    return;
                }
            }
        }
    }
    set_draw_cache(false);
}
