#include <GL/gl.h>

#include "render/color_map.h"
#include "render/finite_vector.h"
#include "render/model_modes.h"
#include "render/quad_normal.h"

void emit_surface(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                  bool filled) {
    // The polygon mode stays behind: the tubes of later modes follow it.
    glLineWidth(style.thickness * 100);
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);
    glBegin(GL_QUADS);
    for (int i = 0; i < set.points_per_set - 1; ++i) {
        for (int s = 0; s < set.width - 1; ++s) {
            const Vector3& p00 = set.point(s, i);
            const Vector3& p01 = set.point(s, i + 1);
            const Vector3& p11 = set.point(s + 1, i + 1);
            const Vector3& p10 = set.point(s + 1, i);
            if (!is_finite(p00) || !is_finite(p01) || !is_finite(p11) || !is_finite(p10)) {
                continue;
            }
            quad_normal(p00, p01, p11).gl_normal();
            const int k = texels.at(s, i);
            for (const Vector3* p : {&p00, &p01, &p11, &p10}) {
                gl_texel_coord(k, style.texel_s, style.texel_t);
                p->gl_vertex();
            }
        }
    }
    glEnd();
}
