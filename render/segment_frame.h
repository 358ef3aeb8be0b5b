#pragma once
// Orientation of a tube that is not vertical: the column-major matrix whose local
// z runs along the segment, local x lies horizontally across it and local y
// completes the frame.

#include "core/fixed_vector.h"

// `diff` is the segment (to - from), `len` its finite, non-zero length, and diff.x
// or diff.z is non-zero. Columns: col1 = normalize(cross((0,1,0), diff)),
// col2 = normalize(cross(diff, col1)), col3 = diff / len, then (0, 0, 0, 1).
void segment_frame(const Vector3& diff, double len, double mat[16]);
