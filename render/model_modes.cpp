// The display modes: what each emits for the model, in data coordinates.
#include "render/model_modes.h"

#include <GL/gl.h>

#include "core/settings.h"
#include "render/color_map.h"
#include "render/grid_walk.h"
#include "render/segment_walk.h"
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

void emit_joined(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                 const PictureRange& range) {
    for_each_joined_segment(set, texels,
                            tubes_in(range, [&](const Vector3& from, const Vector3& to, int k) {
                                emit_segment(from, to, k, style);
                            }));
}

void emit_needled(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                  const PictureRange& range) {
    for_each_needled_segment(set, texels,
                             tubes_in(range, [&](const Vector3& from, const Vector3& to, int k) {
                                 emit_segment(from, to, k, style);
                             }));
}

void emit_special(const DataSet& set, int texel_index, const DrawStyle& style,
                  const Color4& grid_color, const PictureRange& range) {
    const auto tube = [&](const Vector3& from, const Vector3& to, int k) {
        emit_segment(from, to, k, style);
    };
    // The needles in the standard material, the grid in its own: one needle a point.
    const long long needles = static_cast<long long>(set.point_count());
    for_each_special_needle(set, texel_index, tubes_in(range, tube));
    if (range.end <= needles) return;
    set_material_color(grid_color);
    for_each_special_grid_segment(set, texel_index, tubes_in(range.after(needles), tube));
}

void emit_model(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                const Color4& grid_color, const PictureRange& range) {
    const bool plain = set.plain();
    if (!plain && set.kind != DataSet::kColorData) return;
    const PointTexels texels = PointTexels::for_model(set, texel_index, display_mode);
    switch (display_mode) {
        case kPoints:
            emit_points(set, texels, style, range);
            break;
        case kJoined:
            emit_joined(set, texels, style, range);
            break;
        case kNeedled:
            emit_needled(set, texels, style, range);
            break;
        case kSurfaceGrid:
            emit_surface(set, texels, style, false, range);
            break;
        case kSurfaceFilled:
            emit_surface(set, texels, style, true, range);
            break;
        case kSpecial:
            // "Special " has no coloured form.
            if (plain) emit_special(set, texel_index, style, grid_color, range);
            break;
        default:
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
