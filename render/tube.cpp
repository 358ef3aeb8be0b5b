#include "render/tube.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "data/data_set.h"
#include "render/segment_frame.h"

namespace {
constexpr double kDegree = 0.0174532925;  // degrees to radians, as everywhere in the viewer
}  // namespace

void emit_tube(double length, int texel_index, const DrawStyle& style) {
    const int n = std::clamp(style.segments, kMinSegments, kMaxSegments);
    const double r = style.thickness;
    if (!std::isfinite(r)) return;

    // The ring by repeated rotation of the previous point, counter-clockwise.
    double x[kMaxSegments], y[kMaxSegments];
    const double theta = (360.0 / n) * kDegree;
    const double c = std::cos(theta), s = std::sin(theta);
    x[0] = r;
    y[0] = 0;
    for (int j = 1; j < n; ++j) {
        x[j] = c * x[j - 1] - s * y[j - 1];
        y[j] = s * x[j - 1] + c * y[j - 1];
    }

    // Every vertex addresses the centre of texel k of the colour-map row. On a
    // texel's edge nearest filtering may pick the neighbouring entry, and a ring
    // spread over the texel, even a little inside its edges, is not enough: the
    // outlines of "Surface grid " are wide lines, which extend a short ring edge
    // past its ends and carry its texture coordinate beyond the texel.
    const float tex_s = static_cast<float>((texel_index + 0.5) * style.texel_s);
    const float tex_t = static_cast<float>((style.map_row + 0.5) * style.texel_t);
    float fx[kMaxSegments], fy[kMaxSegments];
    for (int j = 0; j < n; ++j) {
        fx[j] = static_cast<float>(x[j]);
        fy[j] = static_cast<float>(y[j]);
    }
    const float top = static_cast<float>(length);

    // Normals as given, not unit length: radial at the bottom, leaning toward the
    // axis at the top; GL_NORMALIZE scales them.
    auto vertex = [&](int j, float z) {
        glTexCoord2f(tex_s, tex_t);
        glNormal3f(fx[j], fy[j], z);
        glVertex3f(fx[j], fy[j], z);
    };

    glBegin(GL_POLYGON);
    for (int j = 0; j < n; ++j) vertex(j, 0);
    glEnd();

    glBegin(GL_POLYGON);
    for (int j = n - 1; j >= 0; --j) vertex(j, top);
    glEnd();

    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j < n; ++j) {
        vertex(j, 0);
        vertex(j, top);
    }
    vertex(0, 0);
    vertex(0, top);
    glEnd();
}

void emit_segment(const Vector3& from, const Vector3& to, int texel_index, const DrawStyle& style) {
    const Vector3 diff = to - from;
    const double len = diff.length();
    if (!std::isfinite(len)) return;

    glPushMatrix();
    from.gl_translate();
    // Exact comparisons: a tiny horizontal difference takes the general path.
    if (len != 0) {
        if (diff.x() == 0 && diff.z() == 0) {
            // Vertical: turn local +z onto +y or -y; the cross products would vanish.
            if (to.y() > from.y()) {
                glRotated(-90, 1, 0, 0);
            } else if (to.y() < from.y()) {
                glRotated(90, 1, 0, 0);
            }
        } else {
            double mat[16];
            segment_frame(diff, len, mat);
            glMultMatrixd(mat);
        }
    }
    glRotated(45, 0, 0, 1);
    emit_tube(len, texel_index, style);
    glPopMatrix();
}

void DataSet::draw_segment(Vector3 from, Vector3 to, int texel_index) {
    emit_segment(from, to, texel_index, current_draw_style(*this));
}

void DataSet::draw_tube(double length, int texel_index) {
    emit_tube(length, texel_index, current_draw_style(*this));
}
