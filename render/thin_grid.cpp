#include "render/thin_grid.h"

#include <algorithm>
#include <cstring>

namespace {
int kept(int count, int step) {
    return count <= 0 ? 0 : (count - 1 + step - 1) / step + 1;
}
}  // namespace

void thin_grid(const DataSet& set, int step, DataSet& thin) {
    step = std::max(1, step);
    const int width = kept(set.width, step), points = kept(set.points_per_set, step);
    thin.allocate_grid(width, points);
    for (int i = 0; i < points; ++i) {
        const int from_i = thinned_index(i, step, set.points_per_set);
        for (int s = 0; s < width; ++s) {
            const int from_s = thinned_index(s, step, set.width);
            thin.point(s, i) = set.point(from_s, from_i);
            if (set.color_values) thin.color_value(s, i) = set.color_value(from_s, from_i);
        }
    }
    thin.kind = set.kind;
    thin.has_values = set.has_values;
    thin.scaleFactor = set.scaleFactor;
    thin.base_level = set.base_level;
    thin.translation = set.translation;
    thin.axis_scale = set.axis_scale;
    thin.min = set.min;
    thin.max = set.max;
    std::memcpy(thin.color_map, set.color_map, sizeof thin.color_map);
    thin.color_map_width = set.color_map_width;
    thin.color_map_height = set.color_map_height;
    thin.color_map_row = set.color_map_row;
}
