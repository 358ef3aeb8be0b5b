#include "render/material.h"
#include "render/model_modes.h"
#include "render/tube.h"

void emit_special(const DataSet& set, int texel_index, const DrawStyle& style,
                  const Color4& grid_color) {
    const int k = texel_index;
    const double base = set.base_level;

    // Needles from base_level up to every point, in the standard material.
    for (int i = 0; i < set.points_per_set; ++i) {
        for (int s = 0; s < set.width; ++s) {
            Vector3 foot = set.point(s, i);
            foot.y() = base;
            emit_segment(foot, set.point(s, i), k, style);
        }
    }

    set_material_color(grid_color);

    // The bottom grid: width x points_per_set nodes over the x and z bounds,
    // positions advanced by repeated addition. With one set (or one point per set)
    // there is no spacing along that axis (it would divide by zero); it is never
    // needed, as no step is taken along it and nothing is added after the last line.
    const double dx = set.width > 1 ? (set.max.x() - set.min.x()) / (set.width - 1) : 0;
    const double dz =
        set.points_per_set > 1 ? (set.max.z() - set.min.z()) / (set.points_per_set - 1) : 0;
    Vector3 xyzGrid1(set.min.x(), base, set.min.z());
    Vector3 xyzGrid2(set.min.x(), base, set.min.z());

    // Lines along z.
    for (int line = 0; line < set.width; ++line) {
        xyzGrid1.z() = set.min.z();
        xyzGrid2.x() = xyzGrid1.x();
        for (int step = 0; step < set.points_per_set - 1; ++step) {
            xyzGrid2.z() = xyzGrid1.z() + dz;
            emit_segment(xyzGrid1, xyzGrid2, k, style);
            xyzGrid1 = xyzGrid2;
        }
        if (line + 1 < set.width) xyzGrid1.x() += dx;
    }

    // Lines along x.
    xyzGrid1.z() = set.min.z();
    for (int line = 0; line < set.points_per_set; ++line) {
        xyzGrid1.x() = set.min.x();
        xyzGrid2.z() = xyzGrid1.z();
        for (int step = 0; step < set.width - 1; ++step) {
            xyzGrid2.x() = xyzGrid1.x() + dx;
            emit_segment(xyzGrid1, xyzGrid2, k, style);
            xyzGrid1 = xyzGrid2;
        }
        if (line + 1 < set.points_per_set) xyzGrid1.z() += dz;
    }
}
