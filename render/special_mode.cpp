#include "render/material.h"
#include "render/model_modes.h"
#include "render/segment_walk.h"
#include "render/tube.h"

void emit_special(const DataSet& set, int texel_index, const DrawStyle& style,
                  const Color4& grid_color) {
    const auto tube = [&](const Vector3& from, const Vector3& to, int k) {
        emit_segment(from, to, k, style);
    };
    // The needles in the standard material, the grid in its own.
    for_each_special_needle(set, texel_index, tube);
    set_material_color(grid_color);
    for_each_special_grid_segment(set, texel_index, tube);
}
