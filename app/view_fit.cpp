#include "app/view_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "app/bounds_box.h"
#include "app/camera.h"
#include "app/comfortable_depth.h"
#include "app/legend.h"
#include "app/picture_bands.h"
#include "app/stereo_passes.h"
#include "app/view_matrices.h"
#include "core/options.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"

namespace {

constexpr double kMargin = 8;  // pixels between what is framed and the picture's edge

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
    int eye_width, eye_height;
    eye_picture_size(view_width, view_height, eye_width, eye_height);
    const Legend legend = layout_legend(data_set, eye_width, eye_height);
    const bool legend_shown = show_legend && !legend_empty(legend);
    if (!show_bounds && !legend_shown) return false;

    std::vector<EyePicture> eyes;
    for (const EyePass& pass : eye_passes(c)) {
        // A composed form's pictures are the whole window's size.
        const PixelBox b = pass.picture >= 0 ? PixelBox{0, 0, view_width, view_height}
                                             : place_box(pass.place, view_width, view_height);
        EyePicture e{pass.offset, pass.window, {b.x, b.y, b.width, b.height}, {}};
        const double right = legend_shown ? legend_left(legend) - kMargin : b.width - kMargin;
        e.target = {b.x + kMargin, b.y + bottom_band(b.height) + kMargin, b.x + right,
                    b.y + b.height - std::max(kMargin, top_band(b.height) + kMargin)};
        eyes.push_back(e);
    }
    if (eyes.empty() || eyes[0].target.x1 <= eyes[0].target.x0 ||
        eyes[0].target.y1 <= eyes[0].target.y0)
        return false;

    double s = scale, tx = object_translation[0], ty = object_translation[1];
    // Pixels to scene units across the view, at the depth of the model's centre.
    const double per_pixel =
        2 * (focal_length + object_translation[2]) * c.wd2 / nearp / eye_height;
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
    if (view_width < 1 || view_height < 1) return;
    if (comfort_requested && comfortable_depth) make_depth_comfortable();
    comfort_requested = 0;
    if (!fit_requested) return;
    fit_requested = 0;
    // The depth for the framed picture, the framing for the eyes' pictures at
    // that depth, and the depth again for the framed scale.
    if (comfortable_depth) make_depth_comfortable();
    fit_view();
    if (comfortable_depth) make_depth_comfortable();
}
