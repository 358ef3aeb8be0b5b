#pragma once
// Shared by the tests of recorded pictures: whole frames drawn the viewer's way
// (draw_frame into the back buffer of the 800 x 600 test window), read back with
// the GL state the model drawing leaves behind, on the immediate path or the
// cached one.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/display.h"
#include "app/input.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "data/data_set.h"
#include "render/draw_cache.h"
#include "tests/support/gl_context.h"

namespace cache_test {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The GL state a model draw can leave behind, and the matrix key p prints.
struct LeftState {
    GLint polygon_mode[2] = {};
    GLfloat point_size = 0, line_width = 0;
    GLboolean point_smooth = 0, texture_2d = 0;
    GLint texture_binding = 0, stack_depth = 0, matrix_mode = 0;
    GLfloat diffuse[2][4] = {}, specular[2][4] = {}, shininess[2] = {};
    GLfloat normal[4] = {}, texcoord[4] = {};
    float mat_cur[16] = {};

    static LeftState read() {
        LeftState s;
        glGetIntegerv(GL_POLYGON_MODE, s.polygon_mode);
        glGetFloatv(GL_POINT_SIZE, &s.point_size);
        glGetFloatv(GL_LINE_WIDTH, &s.line_width);
        s.point_smooth = glIsEnabled(GL_POINT_SMOOTH);
        s.texture_2d = glIsEnabled(GL_TEXTURE_2D);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture_binding);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.stack_depth);
        glGetIntegerv(GL_MATRIX_MODE, &s.matrix_mode);
        const GLenum faces[2] = {GL_FRONT, GL_BACK};
        for (int f = 0; f < 2; ++f) {
            glGetMaterialfv(faces[f], GL_DIFFUSE, s.diffuse[f]);
            glGetMaterialfv(faces[f], GL_SPECULAR, s.specular[f]);
            glGetMaterialfv(faces[f], GL_SHININESS, &s.shininess[f]);
        }
        glGetFloatv(GL_CURRENT_NORMAL, s.normal);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texcoord);
        std::memcpy(s.mat_cur, matCur, sizeof s.mat_cur);
        return s;
    }
    bool operator==(const LeftState& o) const {
        auto same = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
        return same(polygon_mode, o.polygon_mode) && same(point_size, o.point_size) &&
               same(line_width, o.line_width) && point_smooth == o.point_smooth &&
               texture_2d == o.texture_2d && texture_binding == o.texture_binding &&
               stack_depth == o.stack_depth && matrix_mode == o.matrix_mode &&
               same(diffuse, o.diffuse) && same(specular, o.specular) &&
               same(shininess, o.shininess) && same(normal, o.normal) &&
               same(texcoord, o.texcoord) && same(mat_cur, o.mat_cur);
    }
};

struct Frame {
    std::vector<unsigned char> rgb;
    LeftState state;
    int display_mode = 0, stereo_mode = 0;
};

// Pixels that differ between two pictures of the same size.
inline int differing_pixels(const std::vector<unsigned char>& a,
                            const std::vector<unsigned char>& b) {
    int n = 0;
    for (std::size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
        n += (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ? 1 : 0;
    return n;
}

// Pixels that are not the background colour: a picture with none proves nothing.
inline int drawn_pixels(const std::vector<unsigned char>& rgb) {
    const unsigned char bg[3] = {
        static_cast<unsigned char>(std::lround(background_color.r() * 255)),
        static_cast<unsigned char>(std::lround(background_color.g() * 255)),
        static_cast<unsigned char>(std::lround(background_color.b() * 255))};
    int n = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        n += (rgb[i] != bg[0] || rgb[i + 1] != bg[1] || rgb[i + 2] != bg[2]) ? 1 : 0;
    return n;
}

// Keeps both pictures of a failed comparison in tests/render/artifacts/.
inline void keep_pictures(const std::string& name, const Frame& a, const Frame& b) {
    const auto dir = std::filesystem::path(__FILE__).parent_path() / "artifacts";
    std::filesystem::create_directories(dir);
    save_png((dir / (name + "_immediate.png")).string(), a.rgb, kWidth, kHeight);
    save_png((dir / (name + "_cached.png")).string(), b.rgb, kWidth, kHeight);
}

// A surface of `sets` lines along z with heights over x and z, as a reader would
// leave it: kind, bounds, normalisation, and colour values from -1 to 9 (a -1
// leaves a gap in the joined mode) when coloured.
inline void fill_surface(DataSet& set, int sets, int points, bool coloured, double lift = 0) {
    set.allocate_grid(sets, points);
    set.kind = coloured ? DataSet::kColorData : DataSet::kData;
    set.min = Vector3(1e6, 1e6, 1e6);
    set.max = Vector3(-1e6, -1e6, -1e6);
    for (int s = 0; s < sets; ++s) {
        for (int i = 0; i < points; ++i) {
            const double x = s, z = i;
            const Vector3 p(x, lift + std::sin(x * 0.6) * std::cos(z * 0.4) * 3.0 + 0.2 * z, z);
            set.point(s, i) = p;
            set.color_value(s, i) = static_cast<float>((s * 3 + i) % 11 - 1) + 0.5f;
            for (int a = 0; a < 3; ++a) {
                if (set.min[a] > p[a]) set.min[a] = p[a];
                if (set.max[a] < p[a]) set.max[a] = p[a];
            }
        }
    }
    set.normalize_bounds();
}

// What the program has before its first model draw.
inline void reset_gl_state() {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPointSize(1);
    glLineWidth(1);
    glDisable(GL_POINT_SMOOTH);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// One whole frame as the display callback draws it, before the swap, read back.
inline Frame frame() {
    draw_frame();
    glFinish();
    glReadBuffer(GL_BACK);
    Frame f;
    f.rgb = read_pixels(0, 0, kWidth, kHeight);
    f.state = LeftState::read();
    f.display_mode = display_mode;
    f.stereo_mode = stereo_mode;
    return f;
}

// Both pictures identical, pixel for pixel, with the same GL state left behind;
// both pictures kept when not. Solid tubes, placed beforehand in one mesh, are
// rounded differently at their edges: up to 0.5 % of the model's pixels may
// differ for each eye's picture in the frame ("Anaglyph" has two, which meet at
// equal depths, where rounding decides which eye shows). A filled surface of
// quads that share their corners is drawn as the very triangles immediate
// drawing makes, but where the two eyes of "Anaglyph" meet at equal depths their
// rounding may decide one pixel in ten thousand the other way.
inline void expect_same(const Frame& immediate, const Frame& cached, const std::string& name) {
    const int differ = differing_pixels(immediate.rgb, cached.rgb);
    const bool tubes =
        immediate.display_mode == 1 || immediate.display_mode == 2 || immediate.display_mode == 5;
    const bool solid = immediate.state.polygon_mode[0] == GL_FILL;
    const int eyes = immediate.stereo_mode == 0 ? 1 : 2;
    const bool shared_surface = immediate.display_mode == 4 && eyes == 2;
    const int allowed = tubes && solid   ? eyes * drawn_pixels(immediate.rgb) / 200
                        : shared_surface ? drawn_pixels(immediate.rgb) / 10000
                                         : 0;
    EXPECT_LE(differ, allowed) << name << ": pixels differ between immediate and cached drawing";
    EXPECT_TRUE(immediate.state == cached.state) << name << ": GL state left behind differs";
    if (differ > allowed) keep_pictures(name, immediate, cached);
}

// The viewer's window and fixed GL state on the test window, the settings of a
// fresh program with the model centred and turned so that every mode shows, and
// the immediate path; restored after each test.
class CacheTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        glViewport(0, 0, kWidth, kHeight);
        init_lights();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_NORMALIZE);
        glEnable(GL_LINE_SMOOTH);
        reset_settings();
        reset_gl_state();
    }
    void TearDown() override {
        set_draw_cache(false);
        reset_settings();
        data_set.allocate_grid(0, 0);
    }

    static void reset_settings() {
        set_start_values();
        view_width = kWidth;
        view_height = kHeight;
        thickness = 0.08f;
        left_eye_texel = 0;
        right_eye_texel = 2;
        data_set.base_level = 0;
        object_translation[1] = 0;  // the model centred
        // Turned 30 degrees about x, then 35 about y: the surface seen from above.
        const double ax = 30 * degree_factor, ay = -35 * degree_factor;
        const float cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay);
        const float m[16] = {cy, sx * sy,  -cx * sy, 0, 0, cx, sx, 0,
                             sy, -sx * cy, cx * cy,  0, 0, 0,  0,  1};
        std::memcpy(object_rotation, m, sizeof m);
    }
};

}  // namespace cache_test
