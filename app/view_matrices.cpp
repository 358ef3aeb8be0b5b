#include "app/view_matrices.h"

#include <algorithm>

#include "core/settings.h"
#include "core/view_state.h"

namespace {

Matrix identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}
Matrix of_floats(const float f[16]) {
    Matrix m;
    std::copy(f, f + 16, m.begin());
    return m;
}
Matrix translation(double x, double y, double z) {
    Matrix m = identity();
    m[12] = x, m[13] = y, m[14] = z;
    return m;
}

}  // namespace

Matrix times(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) m[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return m;
}

Matrix projection(const CameraFrame& c, int window) {
    Matrix m{};
    if (c.parallel) {
        const double w = c.half_height * c.ratio, h = c.half_height;
        m[0] = 1 / w, m[5] = 1 / h, m[10] = -2 / (farp - nearp),
        m[14] = -(farp + nearp) / (farp - nearp);
        m[15] = 1;
        return m;
    }
    const double l = c.left[window], r = c.right[window], b = c.bottom, t = c.top;
    m[0] = 2 * nearp / (r - l), m[5] = 2 * nearp / (t - b);
    m[8] = (r + l) / (r - l), m[9] = (t + b) / (t - b);
    m[10] = -(farp + nearp) / (farp - nearp), m[11] = -1,
    m[14] = -2 * farp * nearp / (farp - nearp);
    return m;
}

Matrix model_view(const Vector3& offset, double s, double tx, double ty) {
    // gluLookAt along vd (0, 0, -1) with vu (0, 1, 0): a translation to the eye.
    const Vector3 eye = vp + offset;
    Matrix m = translation(-eye.x(), -eye.y(), -eye.z());
    m = times(m, translation(tx, ty, -object_translation[2]));
    m = times(m, of_floats(view_rotation));
    m = times(m, of_floats(object_rotation));
    Matrix scaling = identity();
    scaling[0] = scaling[5] = scaling[10] = s;
    m = times(m, scaling);
    if (up_coordinate(up_axis) == 2)
        m = times(m, Matrix{1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1});
    return m;
}
