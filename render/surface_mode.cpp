#include <GL/gl.h>

#include "render/color_map.h"
#include "render/grid_walk.h"
#include "render/model_modes.h"

void emit_surface(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                  bool filled) {
    // The polygon mode stays behind: the tubes of later modes follow it.
    glLineWidth(style.thickness * 100);
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);
    glBegin(GL_QUADS);
    for_each_quad(set, texels, [&](const Vector3* const corners[4], const Vector3& normal, int k) {
        normal.gl_normal();
        for (int c = 0; c < 4; ++c) {
            gl_texel_coord(k, style.texel_s, style.texel_t);
            corners[c]->gl_vertex();
        }
    });
    glEnd();
}
