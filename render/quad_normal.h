#pragma once
// Flat normal of a surface quad P00, P01, P11, P10.

#include "core/fixed_vector.h"

// Normal used when a quad has none: its edges are parallel or zero (a repeated
// point), or its cross product is too small to normalise. Surfaces are heights
// over x and z, so straight up is what such a quad most likely faces.
inline const Vector3 kFallbackQuadNormal(0, 1, 0);

// normalize(cross(P01 - P00, P11 - P00)), or kFallbackQuadNormal when that is not
// finite.
inline Vector3 quad_normal(const Vector3& p00, const Vector3& p01, const Vector3& p11) {
    Vector3 nv = (p01 - p00).cross(p11 - p00);
    const double len = nv.length();
    if (!(len > 0)) return kFallbackQuadNormal;
    nv.normalize();
    return is_finite(nv) ? nv : kFallbackQuadNormal;
}
