// The model renderer: material and colour map, the box transform, then the
// current display mode, recorded or emitted directly.
#include <GL/gl.h>

#include "data/data_set.h"
#include "render/box_transform.h"
#include "render/draw_cache.h"
#include "render/draw_style.h"
#include "render/model_modes.h"
#include "render/reduced_picture.h"
#include "core/settings.h"
#include "core/view_state.h"

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
