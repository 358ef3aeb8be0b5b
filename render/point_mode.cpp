#include <GL/gl.h>

#include "render/color_map.h"
#include "render/grid_walk.h"
#include "render/model_modes.h"

void emit_points(const DataSet& set, const PointTexels& texels, const DrawStyle& style) {
    glPointSize(style.thickness * 100);
    glEnable(GL_POINT_SMOOTH);
    glBegin(GL_POINTS);
    for_each_point(set, texels, [&](const Vector3& p, int k) {
        gl_texel_coord(k, style.texel_s, style.texel_t);
        p.gl_vertex();
    });
    glEnd();
}
