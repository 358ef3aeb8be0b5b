#include "render/segment_frame.h"

#include <cmath>

void segment_frame(const Vector3& diff, double len, double mat[16]) {
    const Vector3 up(0, 1, 0);
    Vector3 col1 = up.cross(diff);
    col1.normalize();
    Vector3 col2 = diff.cross(col1);
    col2.normalize();
    const Vector3 col3 = diff / len;

    if (!is_finite(col1) || !is_finite(col2)) {
        // Horizontal differences so small that their squares vanish: the same
        // frame from the horizontal part scaled up to unit size.
        const double m = std::fmax(std::fabs(diff.x()), std::fabs(diff.z()));
        const Vector3 horizontal(diff.x() / m, 0, diff.z() / m);
        col1 = up.cross(horizontal);
        col1.normalize();
        col2 = col3.cross(col1);
        col2.normalize();
    }

    const Vector3* cols[3] = {&col1, &col2, &col3};
    for (int c = 0; c < 3; ++c) {
        mat[4 * c + 0] = cols[c]->x();
        mat[4 * c + 1] = cols[c]->y();
        mat[4 * c + 2] = cols[c]->z();
        mat[4 * c + 3] = 0;
    }
    mat[12] = mat[13] = mat[14] = 0;
    mat[15] = 1;
}
