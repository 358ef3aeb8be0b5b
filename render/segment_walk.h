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

// Needled: for every row a baseline at the lowest y through the feet of its
// points (the piece up to the first foot has zero length), and a needle from
// each foot up to its point.
template <typename Visit>
void for_each_needled_segment(const DataSet& set, const PointTexels& texels, Visit visit) {
    if (set.width == 0) return;  // no first set to start a baseline from
    const double base = set.min.y();
    for (int i = 0; i < set.points_per_set; ++i) {
        Vector3 xyzBottom1 = set.point(0, i);
        xyzBottom1.y() = base;
        for (int s = 0; s < set.width; ++s) {
            const Vector3& top = set.point(s, i);
            Vector3 xyzBottom2 = top;
            xyzBottom2.y() = base;
            const int k = texels.at(s, i);
            visit(xyzBottom1, xyzBottom2, k);
            visit(xyzBottom2, top, k);
            xyzBottom1 = xyzBottom2;
        }
    }
}

// "Special ", first part: needles from base_level up to every point.
template <typename Visit>
void for_each_special_needle(const DataSet& set, int k, Visit visit) {
    for (int i = 0; i < set.points_per_set; ++i) {
        for (int s = 0; s < set.width; ++s) {
            Vector3 foot = set.point(s, i);
            foot.y() = set.base_level;
            visit(foot, set.point(s, i), k);
        }
    }
}

// "Special ", second part: the bottom grid of width x points_per_set nodes over
// the x and z bounds at base_level, lines along z then along x, positions
// advanced by repeated addition. With one set (or one point per set) there is no
// spacing along that axis (it would divide by zero); it is never needed, as no
// step is taken along it and nothing is added after the last line.
template <typename Visit>
void for_each_special_grid_segment(const DataSet& set, int k, Visit visit) {
    const double base = set.base_level;
    const double dx = set.width > 1 ? (set.max.x() - set.min.x()) / (set.width - 1) : 0;
    const double dz =
        set.points_per_set > 1 ? (set.max.z() - set.min.z()) / (set.points_per_set - 1) : 0;
    Vector3 xyzGrid1(set.min.x(), base, set.min.z());
    Vector3 xyzGrid2(set.min.x(), base, set.min.z());

    for (int line = 0; line < set.width; ++line) {
        xyzGrid1.z() = set.min.z();
        xyzGrid2.x() = xyzGrid1.x();
        for (int step = 0; step < set.points_per_set - 1; ++step) {
            xyzGrid2.z() = xyzGrid1.z() + dz;
            visit(xyzGrid1, xyzGrid2, k);
            xyzGrid1 = xyzGrid2;
        }
        if (line + 1 < set.width) xyzGrid1.x() += dx;
    }

    xyzGrid1.z() = set.min.z();
    for (int line = 0; line < set.points_per_set; ++line) {
        xyzGrid1.x() = set.min.x();
        xyzGrid2.z() = xyzGrid1.z();
        for (int step = 0; step < set.width - 1; ++step) {
            xyzGrid2.x() = xyzGrid1.x() + dx;
            visit(xyzGrid1, xyzGrid2, k);
            xyzGrid1 = xyzGrid2;
        }
        if (line + 1 < set.points_per_set) xyzGrid1.z() += dz;
    }
}
