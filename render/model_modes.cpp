// The display modes: what each emits for the model, in data coordinates.
#include "render/model_modes.h"

#include <GL/gl.h>

#include "core/settings.h"
#include "data/formats.h"
#include "render/color_map.h"
#include "render/grid_walk.h"
#include "render/mode_drawing.h"
#include "render/tube.h"

void emit_points(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                 const PictureRange& range) {
    glPointSize(style.thickness * 100);
    glEnable(GL_POINT_SMOOTH);
    glBegin(GL_POINTS);
    for_each_point(
        set, texels,
        [&](const Vector3& p, int k) {
            gl_texel_coord(k, style.texel_s, style.texel_t);
            p.gl_vertex();
        },
        1, range);
    glEnd();
}

void emit_surface(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                  bool filled, const PictureRange& range) {
    // The polygon mode stays behind: the tubes of later modes follow it.
    glLineWidth(style.thickness * 100);
    glPolygonMode(GL_FRONT_AND_BACK, filled ? GL_FILL : GL_LINE);
    glBegin(GL_QUADS);
    for_each_quad(
        set, texels,
        [&](const Vector3* const corners[4], const Vector3& normal, const int k[4]) {
            normal.gl_normal();
            for (int c = 0; c < 4; ++c) {
                gl_texel_coord(k[c], style.texel_s, style.texel_t);
                corners[c]->gl_vertex();
            }
        },
        1, range);
    glEnd();
}

void emit_tubes(const ModeDrawing& drawing, const DataSet& set, const PointTexels& texels,
                int texel_index, const DrawStyle& style, const Color4& grid_color,
                const PictureRange& range) {
    walk_tubes(
        drawing, set, texels, texel_index, style.up, range,
        [&](const Vector3& from, const Vector3& to, int k) { emit_segment(from, to, k, style); },
        [&] { set_material_color(grid_color); });
}

void emit_model(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                const Color4& grid_color, const PictureRange& range) {
    const DisplayModeChoice* mode = display_mode_choice(display_mode);
    const ModeDrawing* drawing = mode_drawing(display_mode);
    if (!mode || !drawing || !file_format(set.kind) || (!set.plain() && !mode->colours_points))
        return;
    const PointTexels texels = PointTexels::for_model(set, texel_index, display_mode);
    switch (mode->draws) {
        case Draws::points:
            emit_points(set, texels, style, range);
            break;
        case Draws::surface:
            emit_surface(set, texels, style, mode->filled, range);
            break;
        case Draws::tubes:
            emit_tubes(*drawing, set, texels, texel_index, style, grid_color, range);
            break;
    }
}

std::string empty_picture_note(const DataSet& set, int display_mode) {
    if (!draws_surface(display_mode) || set.point_count() == 0) return "";
    const char* shape = set.width < 2 ? "one set of points: a surface needs two sets"
                        : set.points_per_set < 2
                            ? "one point per set: a surface needs two points per set"
                            : nullptr;
    if (!shape) return "";
    return set.filename + ": " + shape + "; try \"Points \"";
}
