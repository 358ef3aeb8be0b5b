#include "app/view_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "app/bounds_box.h"
#include "app/camera.h"
#include "app/legend.h"
#include "app/picture_bands.h"
#include "app/stereo_passes.h"
#include "core/options.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"

namespace {

constexpr double kMargin = 8;  // pixels between what is framed and the picture's edge

using Matrix = std::array<double, 16>;  // column-major, as GL's

Matrix times(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) m[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return m;
}
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

// The projection of eye window `window`, as begin_eye_pass gives it.
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

// The model-view of an eye at `offset` with the model transform of
// apply_model_transform, the scale and translation given.
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

struct EyePicture {
    Vector3 offset;
    int window;
    int viewport[4];
    PixelRect target;  // where the framed part must lie
};

// What is framed under `pr`: the box with its labels, or without a box its
// corners (the data fill the box); false when none of it is before the camera.
bool framed_pixels(const ScreenProjection& pr, const Vector3& offset, PixelRect& r) {
    const BoundsBox box = layout_bounds_box(data_set, offset, pr, {});
    r = {1e300, 1e300, -1e300, -1e300};
    const auto take = [&](const PixelRect& p) {
        r = {std::min(r.x0, p.x0), std::min(r.y0, p.y0), std::max(r.x1, p.x1),
             std::max(r.y1, p.y1)};
    };
    for (const auto& [a, b] : box.lines) {
        for (const Vector3* p : {&a, &b}) {
            double x, y;
            if (!pr.window(*p, x, y)) return false;
            take({x, y, x, y});
        }
    }
    if (show_bounds) {
        for (const BoxLabel& label : box.labels) {
            PixelRect l;
            if (label_pixels(label, pr, l)) take(l);
        }
    }
    return r.x0 <= r.x1 && std::isfinite(r.x0) && std::isfinite(r.y1);
}

}  // namespace

bool fit_view() {
    if (data_set.point_count() == 0 || view_width < 1 || view_height < 1) return false;
    vp.z() = focal_length;
    const CameraFrame c = frame_camera();
    const int eye_width = split_viewport(stereo_mode) ? view_width / 2 : view_width;
    const Legend legend = layout_legend(data_set, eye_width, view_height);
    const bool legend_shown = show_legend && !legend_empty(legend);
    if (!show_bounds && !legend_shown) return false;

    std::vector<EyePicture> eyes;
    for (const EyePass& pass : eye_passes(c)) {
        EyePicture e{pass.offset, pass.window, {0, 0, eye_width, view_height}, {}};
        if (pass.half == 1) e.viewport[0] = view_width - eye_width;
        const double right = legend_shown ? legend_left(legend) - kMargin : eye_width - kMargin;
        e.target = {e.viewport[0] + kMargin, bottom_band(view_height) + kMargin,
                    e.viewport[0] + right,
                    view_height - std::max(kMargin, top_band(view_height) + kMargin)};
        eyes.push_back(e);
    }
    if (eyes.empty() || eyes[0].target.x1 <= eyes[0].target.x0 ||
        eyes[0].target.y1 <= eyes[0].target.y0)
        return false;

    double s = scale, tx = object_translation[0], ty = object_translation[1];
    // Pixels to scene units across the view, at the depth of the model's centre.
    const double per_pixel =
        2 * (focal_length + object_translation[2]) * c.wd2 / nearp / view_height;
    for (int round = 0; round < 60; ++round) {
        double k = 1e300, dx = 0, dy = 0;
        for (const EyePicture& e : eyes) {
            ScreenProjection pr;
            const Matrix model = model_view(e.offset, s, tx, ty), proj = projection(c, e.window);
            std::copy(model.begin(), model.end(), pr.model);
            std::copy(proj.begin(), proj.end(), pr.proj);
            std::copy(e.viewport, e.viewport + 4, pr.viewport);
            PixelRect r;
            if (!framed_pixels(pr, e.offset, r)) return false;
            const PixelRect& t = e.target;
            k = std::min({k, (t.x1 - t.x0) / std::max(1.0, r.x1 - r.x0),
                          (t.y1 - t.y0) / std::max(1.0, r.y1 - r.y0)});
            dx += ((t.x0 + t.x1) - (r.x0 + r.x1)) / 2 / eyes.size();
            dy += ((t.y0 + t.y1) - (r.y0 + r.y1)) / 2 / eyes.size();
        }
        if (std::fabs(k - 1) < 1e-3 && std::hypot(dx, dy) < 0.25) break;
        s *= std::clamp(k, 0.2, 5.0);
        tx += dx * per_pixel;
        ty += dy * per_pixel;
    }
    if (!std::isfinite(s) || !std::isfinite(tx) || !std::isfinite(ty)) return false;
    const Option& limits = *option_of(&scale);
    scale = static_cast<float>(std::clamp(s, limits.low, limits.high));
    object_translation[0] = static_cast<float>(tx);
    object_translation[1] = static_cast<float>(ty);
    return true;
}

void fit_view_if_asked() {
    if (!fit_requested || view_width < 1 || view_height < 1) return;
    fit_requested = 0;
    fit_view();
}
