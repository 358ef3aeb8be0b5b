#pragma once
// A part of a model's picture, so that a large one can be recorded and drawn a
// piece at a time: rows [first, end) of the grid for the points and the surfaces
// (row i holds the i-th points of all sets), the tubes [first, end) in drawing
// order for the tube modes. The whole picture by default.

#include <limits>

#include "core/fixed_vector.h"

struct PictureRange {
    long long first = 0;
    long long end = std::numeric_limits<long long>::max();
    bool holds(long long k) const { return k >= first && k < end; }
    // The same part of a walk that starts `skipped` items later.
    PictureRange after(long long skipped) const {
        return {first - skipped,
                end == std::numeric_limits<long long>::max() ? end : end - skipped};
    }
};

// `visit` called only for the tubes of a walk that `range` holds, counting every
// tube the walk visits.
template <typename Visit>
auto tubes_in(const PictureRange& range, Visit visit) {
    return [range, visit, n = 0LL](const Vector3& from, const Vector3& to, int k) mutable {
        if (range.holds(n)) visit(from, to, k);
        ++n;
    };
}
