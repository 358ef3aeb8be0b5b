#include "panel/trackball.h"

#include <cmath>

namespace trackball {

void set_identity(float m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void ball_point(float x, float y, float radius, float out[3]) {
    double px = x / radius, py = y / radius;
    const double d2 = px * px + py * py;
    double pz = 0.0;
    if (d2 > 1.0) {
        const double d = std::sqrt(d2);
        px /= d;
        py /= d;
    } else {
        pz = std::sqrt(1.0 - d2);
    }
    out[0] = static_cast<float>(px);
    out[1] = static_cast<float>(py);
    out[2] = static_cast<float>(pz);
}

float turn_between(const float from[3], const float to[3], float axis[3]) {
    const double cx = double(from[1]) * to[2] - double(from[2]) * to[1];
    const double cy = double(from[2]) * to[0] - double(from[0]) * to[2];
    const double cz = double(from[0]) * to[1] - double(from[1]) * to[0];
    const double dot = double(from[0]) * to[0] + double(from[1]) * to[1] + double(from[2]) * to[2];
    const double len = std::sqrt(cx * cx + cy * cy + cz * cz);
    if (len < 1e-12) return 0.0f;
    axis[0] = static_cast<float>(cx / len);
    axis[1] = static_cast<float>(cy / len);
    axis[2] = static_cast<float>(cz / len);
    // atan2 stays accurate for the tiny turns of a slow drag, where acos does not.
    return static_cast<float>(std::atan2(len, dot));
}

void rotate_by(float m[16], const float axis[3], float angle) {
    double x = axis[0], y = axis[1], z = axis[2];
    const double n = std::sqrt(x * x + y * y + z * z);
    if (n < 1e-12 || angle == 0.0f) return;
    x /= n;
    y /= n;
    z /= n;
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    // r[row][column]
    const double r[3][3] = {{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
                            {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
                            {t * x * z - s * y, t * y * z + s * x, t * z * z + c}};
    for (int col = 0; col < 4; ++col) {
        double v[3];
        for (int row = 0; row < 3; ++row)
            v[row] = r[row][0] * m[col * 4 + 0] + r[row][1] * m[col * 4 + 1] +
                     r[row][2] * m[col * 4 + 2];
        for (int row = 0; row < 3; ++row) m[col * 4 + row] = static_cast<float>(v[row]);
    }
    orthonormalize(m);
}

void orthonormalize(float m[16]) {
    double c[3][3];
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row) c[col][row] = m[col * 4 + row];
    auto dot = [](const double* a, const double* b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    auto normalize = [&](double* a) {
        const double n = std::sqrt(dot(a, a));
        if (!(n > 1e-9)) return false;  // also catches NaN
        for (int i = 0; i < 3; ++i) a[i] /= n;
        return true;
    };
    bool ok = normalize(c[0]);
    if (ok) {
        const double d = dot(c[1], c[0]);
        for (int i = 0; i < 3; ++i) c[1][i] -= d * c[0][i];
        ok = normalize(c[1]);
    }
    if (!ok) {
        set_identity(m);
        return;
    }
    // The third column follows from the first two, which keeps the determinant +1.
    c[2][0] = c[0][1] * c[1][2] - c[0][2] * c[1][1];
    c[2][1] = c[0][2] * c[1][0] - c[0][0] * c[1][2];
    c[2][2] = c[0][0] * c[1][1] - c[0][1] * c[1][0];
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row) m[col * 4 + row] = static_cast<float>(c[col][row]);
    m[3] = m[7] = m[11] = 0.0f;
    m[12] = m[13] = m[14] = 0.0f;
    m[15] = 1.0f;
}

}  // namespace trackball
