#include "render/model_modes.h"
#include "render/tube.h"

void emit_joined(const DataSet& set, const PointTexels& texels, const DrawStyle& style) {
    // Each set is its own polyline; sets are not joined to each other.
    for (int s = 0; s < set.width; ++s) {
        for (int i = 0; i < set.points_per_set - 1; ++i) {
            if (!texels.joins_from(s, i)) continue;  // a gap in the line
            emit_segment(set.point(s, i), set.point(s, i + 1), texels.at(s, i), style);
        }
    }
}

void emit_needled(const DataSet& set, const PointTexels& texels, const DrawStyle& style) {
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
            // The baseline piece up to this foot (zero length for the first set),
            // then the needle.
            emit_segment(xyzBottom1, xyzBottom2, k, style);
            emit_segment(xyzBottom2, top, k, style);
            xyzBottom1 = xyzBottom2;
        }
    }
}
