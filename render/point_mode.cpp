#include <GL/gl.h>

#include "render/color_map.h"
#include "render/finite_vector.h"
#include "render/model_modes.h"

void emit_points(const DataSet& set, const PointTexels& texels, const DrawStyle& style) {
    glPointSize(style.thickness * 100);
    glEnable(GL_POINT_SMOOTH);
    glBegin(GL_POINTS);
    for (int i = 0; i < set.points_per_set; ++i) {
        for (int s = 0; s < set.width; ++s) {
            const Vector3& p = set.point(s, i);
            if (!is_finite(p)) continue;
            gl_texel_coord(texels.at(s, i), style.texel_s, style.texel_t);
            p.gl_vertex();
        }
    }
    glEnd();
}
