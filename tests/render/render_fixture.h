#pragma once
// Shared by the render tests: a fixture that puts the settings, the data set and
// the GL state back to a known start, grids built in place, an orthographic
// camera, and GL feedback read back into vertices.

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/input.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "data/data_set.h"
#include "render/color_map.h"
#include "tests/support/gl_context.h"

// One vertex of GL_3D_COLOR_TEXTURE feedback in RGBA mode: window x, y, z,
// colour r, g, b, a, texture s, t, r, q.
struct FeedbackVertex {
    float x, y, z, r, g, b, a, s, t, p, q;
};

struct FeedbackPrimitive {
    GLenum token;  // GL_POINT_TOKEN, GL_LINE_TOKEN (or _RESET_), GL_POLYGON_TOKEN
    std::vector<FeedbackVertex> vertices;
};

struct Feedback {
    std::vector<FeedbackPrimitive> primitives;
    int count(GLenum token) const {
        int n = 0;
        for (const auto& p : primitives) {
            if (p.token == token || (token == GL_LINE_TOKEN && p.token == GL_LINE_RESET_TOKEN)) {
                ++n;
            }
        }
        return n;
    }
    // Filled polygons come back as triangles: a polygon or quad strip of V
    // vertices gives V - 2 of them.
    int triangles() const { return count(GL_POLYGON_TOKEN); }
    std::vector<FeedbackVertex> all_vertices() const {
        std::vector<FeedbackVertex> out;
        for (const auto& p : primitives)
            out.insert(out.end(), p.vertices.begin(), p.vertices.end());
        return out;
    }
};

// Runs `draw` in feedback mode and parses what GL returned.
inline Feedback record_feedback(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 22);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int size = glRenderMode(GL_RENDER);
    EXPECT_GE(size, 0) << "feedback buffer overflow";
    Feedback fb;
    constexpr int kFloats = 11;
    for (int at = 0; at < size;) {
        const GLenum token = static_cast<GLenum>(buffer[at++]);
        int n = 0;
        switch (token) {
            case GL_POINT_TOKEN:
                n = 1;
                break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN:
                n = 2;
                break;
            case GL_POLYGON_TOKEN:
                n = static_cast<int>(buffer[at++]);
                break;
            case GL_PASS_THROUGH_TOKEN:
                ++at;
                continue;
            default:
                ADD_FAILURE() << "unexpected feedback token " << token;
                return fb;
        }
        FeedbackPrimitive prim{token, {}};
        for (int v = 0; v < n; ++v, at += kFloats) {
            const GLfloat* f = &buffer[at];
            prim.vertices.push_back(
                {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10]});
        }
        fb.primitives.push_back(prim);
    }
    return fb;
}

// Orthographic camera: x in [-4, 4] and y in [-3, 3] fill the 800 x 600 viewport,
// z in [-10, 10]; the model-view matrix is the identity.
inline void ortho_camera() {
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -3, 3, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Orthographic camera that holds the whole drawing box [-5, 5]^3.
inline void box_camera() {
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-8, 8, -6, 6, -20, 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Object coordinates of a feedback vertex under ortho_camera().
inline Vector3 ortho_object(const FeedbackVertex& v) {
    return Vector3(v.x / 100.0 - 4, v.y / 100.0 - 3, 10 * (1 - 2.0 * v.z));
}

// Window position of data point p under the matrix of the last model draw.
inline Vector3 window_of_model_point(const Vector3& p) {
    double model[16], proj[16];
    for (int i = 0; i < 16; ++i) model[i] = matCur[i];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx, wy, wz;
    gluProject(p.x(), p.y(), p.z(), model, proj, viewport, &wx, &wy, &wz);
    return Vector3(wx, wy, wz);
}

// Fills `set` with a width x points_per_set grid from `at`, the colour values
// from `value` (when given), the bounds of the points and their normalisation.
inline void build_grid(DataSet& set, int width, int points_per_set, int kind,
                       const std::function<Vector3(int, int)>& at,
                       const std::function<float(int, int)>& value = nullptr) {
    set.allocate_grid(width, points_per_set);
    set.kind = kind;
    for (int i = 0; i < points_per_set; ++i) {
        for (int s = 0; s < width; ++s) {
            const Vector3 p = at(s, i);
            set.point(s, i) = p;
            set.color_value(s, i) = value ? value(s, i) : 0.0f;
            for (int a = 0; a < 3; ++a) {
                if ((s == 0 && i == 0) || p[a] < set.min[a]) set.min[a] = p[a];
                if ((s == 0 && i == 0) || p[a] > set.max[a]) set.max[a] = p[a];
            }
        }
    }
    set.normalize_bounds();
}

// Every test starts from the viewer's defaults with the model centred (no
// object translation), an empty data set and the fixed GL state of start-up.
class RenderTest : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        set_start_values();
        object_translation[1] = 0;  // the model centred
        data_set.allocate_grid(0, 0);
        data_set.kind = 0;
        data_set.base_level = 0;

        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glPointSize(1);
        glLineWidth(1);
        glDisable(GL_POINT_SMOOTH);
        glEnable(GL_DEPTH_TEST);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        init_lights();
        ortho_camera();
    }
};
