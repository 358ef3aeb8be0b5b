#include <GL/gl.h>

#include "data/data_set.h"
#include "render/box_transform.h"
#include "render/draw_cache.h"
#include "render/draw_style.h"
#include "render/model_modes.h"
#include "render/reduced_picture.h"
#include "ui/settings.h"
#include "ui/view_state.h"

void emit_model(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                const Color4& grid_color) {
    const bool plain = set.kind == DataSet::kData || set.kind == DataSet::kMaple;
    if (!plain && set.kind != DataSet::kColorData) return;
    const PointTexels texels = plain ? PointTexels::plain(texel_index) : PointTexels::colored(set);
    switch (display_mode) {
        case 0:
            emit_points(set, texels, style);
            break;
        case 1:
            emit_joined(set, texels, style);
            break;
        case 2:
            emit_needled(set, texels, style);
            break;
        case 3:
            emit_surface(set, texels, style, false);
            break;
        case 4:
            emit_surface(set, texels, style, true);
            break;
        case 5:
            // "Special " has no coloured form.
            if (plain) emit_special(set, texel_index, style, grid_color);
            break;
        default:
            break;
    }
}

void DataSet::draw(int texel_index) {
    set_material_and_texture();
    build_color_map();
    glPushMatrix();
    apply_model_transform();
    apply_box_mapping(*this);
    // Key p prints the matrix of the last model draw.
    glGetFloatv(GL_MODELVIEW_MATRIX, matCur);
    const DrawStyle style = current_draw_style(*this);
    const Color4 grid_color = grid_color_for(background_color);
    if (draw_cache_enabled())
        draw_model_cached(*this, texel_index, display_mode, style, grid_color,
                          reduced_picture_wanted());
    else
        emit_model(*this, texel_index, display_mode, style, grid_color);
    glPopMatrix();
}
