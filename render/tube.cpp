#include "render/tube.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "core/view_state.h"
#include "data/data_set.h"
#include "render/segment_frame.h"

namespace {
// Longest tube drawn at its own length: well inside single precision.
constexpr double kLongestTube = 1e36;
}  // namespace

bool make_tube_ring(int texel, const DrawStyle& style, TubeRing& ring) {
    const int n = std::clamp(style.segments, kMinSegments, kMaxSegments);
    const double r = style.thickness;
    if (!std::isfinite(r)) return false;
    ring.n = n;
    const double theta = (360.0 / n) * degree_factor;
    const double c = std::cos(theta), s = std::sin(theta);
    ring.x[0] = r;
    ring.y[0] = 0;
    for (int j = 1; j < n; ++j) {
        ring.x[j] = c * ring.x[j - 1] - s * ring.y[j - 1];
        ring.y[j] = s * ring.x[j - 1] + c * ring.y[j - 1];
    }
    // Every vertex addresses the centre of texel k of the colour-map row. On a
    // texel's edge nearest filtering may pick the neighbouring entry, and a ring
    // spread over the texel, even a little inside its edges, is not enough: the
    // outlines of "Surface grid " are wide lines, which extend a short ring edge
    // past its ends and carry its texture coordinate beyond the texel.
    ring.s = static_cast<float>((texel + 0.5) * style.texel_s);
    ring.t = static_cast<float>((style.map_row + 0.5) * style.texel_t);
    return true;
}

void finite_normal(double x, double y, double z, double limit, float out[3]) {
    const double largest = std::fmax(std::fabs(x), std::fmax(std::fabs(y), std::fabs(z)));
    const double shrink = largest > limit ? limit / largest : 1.0;
    out[0] = static_cast<float>(x * shrink);
    out[1] = static_cast<float>(y * shrink);
    out[2] = static_cast<float>(z * shrink);
}

void emit_tube(double length, int texel_index, const DrawStyle& style) {
    TubeRing ring;
    if (!make_tube_ring(texel_index, style, ring)) return;
    const int n = ring.n;
    float fx[kMaxSegments], fy[kMaxSegments];
    for (int j = 0; j < n; ++j) {
        fx[j] = static_cast<float>(ring.x[j]);
        fy[j] = static_cast<float>(ring.y[j]);
    }
    double stretch = 1;
    while (std::fabs(length) / stretch > kLongestTube) stretch *= 2;
    if (stretch != 1) {
        glPushMatrix();
        glScaled(1, 1, stretch);
    }
    const float top = static_cast<float>(length / stretch);

    // Normals as given, not unit length: radial at the bottom, leaning toward the
    // axis at the top; GL_NORMALIZE scales them.
    auto vertex = [&](int j, float z) {
        glTexCoord2f(ring.s, ring.t);
        float normal[3];
        finite_normal(fx[j], fy[j], z, style.normal_limit, normal);
        glNormal3fv(normal);
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
    if (stretch != 1) glPopMatrix();
}

namespace {
// m = m * r, column-major 4 x 4.
void multiply(double m[16], const double r[16]) {
    double out[16];
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            double v = 0;
            for (int k = 0; k < 4; ++k) v += m[k * 4 + row] * r[c * 4 + k];
            out[c * 4 + row] = v;
        }
    for (int i = 0; i < 16; ++i) m[i] = out[i];
}

// glRotated(angle, x, y, z) for an axis of unit length.
void rotation(double degrees, double x, double y, double z, double r[16]) {
    const double a = degrees * degree_factor, c = std::cos(a), s = std::sin(a), t = 1 - c;
    const double m[16] = {t * x * x + c,
                          t * x * y + s * z,
                          t * x * z - s * y,
                          0,
                          t * x * y - s * z,
                          t * y * y + c,
                          t * y * z + s * x,
                          0,
                          t * x * z + s * y,
                          t * y * z - s * x,
                          t * z * z + c,
                          0,
                          0,
                          0,
                          0,
                          1};
    for (int i = 0; i < 16; ++i) r[i] = m[i];
}
}  // namespace

void segment_placement(const Vector3& from, const Vector3& to, double len, double m[16]) {
    const double translation[16] = {1, 0, 0, 0, 0,        1,        0,        0,
                                    0, 0, 1, 0, from.x(), from.y(), from.z(), 1};
    for (int i = 0; i < 16; ++i) m[i] = translation[i];
    const Vector3 diff = to - from;
    double turn[16];
    if (len != 0) {
        if (diff.x() == 0 && diff.z() == 0) {
            rotation(to.y() > from.y() ? -90 : 90, 1, 0, 0, turn);
        } else {
            segment_frame(diff, len, turn);
        }
        multiply(m, turn);
    }
    rotation(45, 0, 0, 1, turn);
    multiply(m, turn);
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
