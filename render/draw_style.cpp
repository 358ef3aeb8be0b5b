#include "render/draw_style.h"

#include <algorithm>

#include "core/settings.h"
#include "data/data_set.h"
#include "render/box_transform.h"
#include "render/color_map.h"

DrawStyle current_draw_style(const DataSet& set) {
    DrawStyle style;
    // The spinner keeps the sides in range; a value set some other way must not
    // reach the ring (no sides would divide by zero).
    style.segments = std::clamp(segments, kMinSegments, kMaxSegments);
    style.thickness = thickness;
    style.texel_s = texel_size_s;
    style.texel_t = texel_size_t;
    style.map_row = set.color_map_row;
    // The box mapping scales axis a by 10 f_a; its inverse, by 1 / (10 f_a).
    double smallest = 1.0;
    for (int a = 0; a < 3; ++a) {
        const double f = 10 * box_factor(set, a);
        if (f > 0 && f < smallest) smallest = f;
    }
    style.normal_limit *= smallest;
    style.up = up_coordinate(up_axis);
    return style;
}

Color4 grid_color_for(const Color4& background) {
    return Color4(1.0f) - background;
}
