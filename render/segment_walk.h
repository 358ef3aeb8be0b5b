#pragma once
// The tubes of the joined, needled and "Special " modes, in the order they are
// drawn, shared by the immediate emitters, the recorded tube meshes and the
// reduced line pictures: visit(from, to, entry) for every tube.

#include "data/data_set.h"
#include "render/point_texels.h"

// Joined: between successive points of each set; sets are not joined to each
// other, and coloured data leaves a gap after a negative value.
template <typename Visit>
void for_each_joined_segment(const DataSet& set, const PointTexels& texels, Visit visit) {
    for (int s = 0; s < set.width; ++s) {
        for (int i = 0; i < set.points_per_set - 1; ++i) {
            if (!texels.joins_from(s, i)) continue;
            visit(set.point(s, i), set.point(s, i + 1), texels.at(s, i));
        }
    }
}

// Needled: for every row a baseline at the lowest value of the up coordinate
// `up` (1 y, 2 z) through the feet of its points (the piece up to the first foot
// has zero length), and a needle from each foot up to its point.
template <typename Visit>
void for_each_needled_segment(const DataSet& set, const PointTexels& texels, Visit visit,
                              int up = 1) {
    if (set.width == 0) return;  // no first set to start a baseline from
    const double base = set.min[up];
    for (int i = 0; i < set.points_per_set; ++i) {
        Vector3 xyzBottom1 = set.point(0, i);
        xyzBottom1[up] = base;
        for (int s = 0; s < set.width; ++s) {
            const Vector3& top = set.point(s, i);
            Vector3 xyzBottom2 = top;
            xyzBottom2[up] = base;
            const int k = texels.at(s, i);
            visit(xyzBottom1, xyzBottom2, k);
            visit(xyzBottom2, top, k);
            xyzBottom1 = xyzBottom2;
        }
    }
}

// "Special ", first part: needles from base_level (on the up coordinate) up to
// every point.
template <typename Visit>
void for_each_special_needle(const DataSet& set, int k, Visit visit, int up = 1) {
    for (int i = 0; i < set.points_per_set; ++i) {
        for (int s = 0; s < set.width; ++s) {
            Vector3 foot = set.point(s, i);
            foot[up] = set.base_level;
            visit(foot, set.point(s, i), k);
        }
    }
}

// "Special ", second part: the bottom grid of width x points_per_set nodes over
// the bounds of x and of the other ground coordinate g (z when y is up, y when z
// is) at base_level, lines along g then along x, positions advanced by repeated
// addition. With one set (or one point per set) there is no spacing along that
// axis (it would divide by zero); it is never needed, as no step is taken along
// it and nothing is added after the last line.
template <typename Visit>
void for_each_special_grid_segment(const DataSet& set, int k, Visit visit, int up = 1) {
    const int g = 3 - up;
    const double dx = set.width > 1 ? (set.max.x() - set.min.x()) / (set.width - 1) : 0;
    const double dg =
        set.points_per_set > 1 ? (set.max[g] - set.min[g]) / (set.points_per_set - 1) : 0;
    Vector3 xyzGrid1(set.min.x(), 0, 0), xyzGrid2(set.min.x(), 0, 0);
    xyzGrid1[up] = xyzGrid2[up] = set.base_level;
    xyzGrid1[g] = xyzGrid2[g] = set.min[g];

    for (int line = 0; line < set.width; ++line) {
        xyzGrid1[g] = set.min[g];
        xyzGrid2.x() = xyzGrid1.x();
        for (int step = 0; step < set.points_per_set - 1; ++step) {
            xyzGrid2[g] = xyzGrid1[g] + dg;
            visit(xyzGrid1, xyzGrid2, k);
            xyzGrid1 = xyzGrid2;
        }
        if (line + 1 < set.width) xyzGrid1.x() += dx;
    }

    xyzGrid1[g] = set.min[g];
    for (int line = 0; line < set.points_per_set; ++line) {
        xyzGrid1.x() = set.min.x();
        xyzGrid2[g] = xyzGrid1[g];
        for (int step = 0; step < set.width - 1; ++step) {
            xyzGrid2.x() = xyzGrid1.x() + dx;
            visit(xyzGrid1, xyzGrid2, k);
            xyzGrid1 = xyzGrid2;
        }
        if (line + 1 < set.points_per_set) xyzGrid1[g] += dg;
    }
}
