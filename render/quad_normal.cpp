#include "render/quad_normal.h"

#include "render/finite_vector.h"

Vector3 quad_normal(const Vector3& p00, const Vector3& p01, const Vector3& p11) {
    Vector3 nv = (p01 - p00).cross(p11 - p00);
    const double len = nv.length();
    if (!(len > 0)) return kFallbackQuadNormal;
    nv.normalize();
    return is_finite(nv) ? nv : kFallbackQuadNormal;
}
