// The model renderer: material and colour map (or colour scale), the box
// transform, then the current display mode, recorded or emitted directly.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/box_transform.h"
#include "render/color_scale.h"
#include "render/draw_cache.h"
#include "render/draw_style.h"
#include "render/model_modes.h"
#include "render/reduced_picture.h"

void DataSet::draw(int texel_index) {
    draw(texel_index, ModelPart{0, -1, reduced_picture_wanted()});
}

int DataSet::draw(int texel_index, const ModelPart& part) {
    set_material_and_texture();
    build_color_map();
    if (color_scale_axis(*this, display_mode) >= 0) use_color_scale();
    glPushMatrix();
    apply_model_transform();
    apply_box_mapping(*this);
    // Key p prints the matrix of the last model draw.
    glGetFloatv(GL_MODELVIEW_MATRIX, matCur);
    // Below full opacity the data are blended over what lies behind, whatever
    // alpha their materials carry, and leave the depths alone so that what is
    // drawn after them shows through as well.
    const bool see_through = transparency < 1.0f;
    if (see_through) {
        glEnable(GL_BLEND);
        glBlendColor(0, 0, 0, transparency > 0 ? transparency : 0);
        glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
        glDepthMask(GL_FALSE);
    }
    // Both sides are lit (two-sided lighting): GL lights a face it takes for a
    // back face with its normal reversed, so the faces the normals point out of
    // must be its front faces: a surface's counter-clockwise ones, a tube's
    // outsides, which are wound clockwise; a mirroring transform turns both.
    const bool mirrored = model_view_determinant(matCur) < 0;
    glFrontFace(draws_tubes(display_mode) != mirrored ? GL_CW : GL_CCW);
    const DrawStyle style = current_draw_style(*this);
    const Color4 grid_color = grid_color_for(background_color);
    int pieces = 1;
    if (draw_cache_enabled()) {
        pieces = draw_model_cached(*this, texel_index, display_mode, style, grid_color, part);
    } else {
        emit_model(*this, texel_index, display_mode, style, grid_color);
        note_whole_model_drawn();
    }
    if (see_through) {
        glDepthMask(GL_TRUE);
        glBlendFunc(GL_ONE, GL_ZERO);
        glDisable(GL_BLEND);
    }
    glFrontFace(GL_CCW);
    glPopMatrix();
    return pieces;
}
