#pragma once
// The order in which the points and surface modes visit the grid, shared by the
// immediate emitters and the recorded pictures so that both send the very same
// vertices in the very same order.

#include "data/data_set.h"
#include "render/picture_range.h"
#include "render/point_texels.h"
#include "render/quad_normal.h"

// Every finite point, row by row (points_per_set outer, sets inner):
// visit(point, entry). With a step above 1, every step-th point of every
// step-th row. Only the rows `rows` holds.
template <typename Visit>
void for_each_point(const DataSet& set, const PointTexels& texels, Visit visit, int step = 1,
                    const PictureRange& rows = {}) {
    for (int i = 0; i < set.points_per_set; i += step) {
        if (!rows.holds(i)) continue;
        for (int s = 0; s < set.width; s += step) {
            const Vector3& p = set.point(s, i);
            if (!is_finite(p)) continue;
            visit(p, texels.at(s, i));
        }
    }
}

// Every grid cell whose corners are all finite, with its flat normal and the
// entries of its corners, P00's for all four unless the texels colour every
// vertex: visit(corners P00, P01, P11, P10, normal, entries).
// With a step above 1, the cells of the grid of every step-th set and point; the
// last cell of a row or column reaches the grid's edge. Only the rows of cells
// (by the index of their first row of points) that `rows` holds.
template <typename Visit>
void for_each_quad(const DataSet& set, const PointTexels& texels, Visit visit, int step = 1,
                   const PictureRange& rows = {}) {
    for (int i = 0; i < set.points_per_set - 1; i += step) {
        if (!rows.holds(i)) continue;
        const int i2 = i + step < set.points_per_set ? i + step : set.points_per_set - 1;
        for (int s = 0; s < set.width - 1; s += step) {
            const int s2 = s + step < set.width ? s + step : set.width - 1;
            const Vector3* corners[4] = {&set.point(s, i), &set.point(s, i2), &set.point(s2, i2),
                                         &set.point(s2, i)};
            if (!is_finite(*corners[0]) || !is_finite(*corners[1]) || !is_finite(*corners[2]) ||
                !is_finite(*corners[3])) {
                continue;
            }
            const int k = texels.at(s, i);
            int entries[4] = {k, k, k, k};
            if (texels.per_vertex()) {
                entries[1] = texels.at(s, i2);
                entries[2] = texels.at(s2, i2);
                entries[3] = texels.at(s2, i);
            }
            visit(corners, quad_normal(*corners[0], *corners[1], *corners[2]), entries);
        }
    }
}
