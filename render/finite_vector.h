#pragma once
// Nothing non-finite is handed to GL: emitters test points with this first.

#include <cmath>

#include "data/fixed_vector.h"

inline bool is_finite(const Vector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}
