#include "app/camera.h"

#include <cmath>

#include "app/stereo_layout.h"
#include "core/settings.h"
#include "core/view_state.h"

CameraFrame compute_camera(double eye_separation, double focal_length, int view_width,
                           int view_height, const Vector3& direction, const Vector3& up) {
    CameraFrame c;
    c.sep = std::isfinite(eye_separation) ? eye_separation / 10 : 0.0;
    // A minimised window reports 0; a zero-sized viewport would divide by zero.
    const int w = view_width < 1 ? 1 : view_width;
    const int h = view_height < 1 ? 1 : view_height;
    c.ratio = static_cast<double>(w) / static_cast<double>(h);
    c.radians = degree_factor * aperture / 2;
    c.wd2 = nearp * std::tan(c.radians);
    // With no usable focal length the eyes keep parallel, unshifted windows.
    c.ndfl = nearp / focal_length;
    if (!std::isfinite(c.ndfl)) c.ndfl = 0;
    c.top = c.wd2;
    c.bottom = -c.wd2;

    const double half_width = c.ratio * c.wd2;
    const double shift = 0.5 * c.sep * c.ndfl;
    c.left[0] = -half_width + shift;
    c.right[0] = half_width + shift;
    c.left[1] = -half_width;
    c.right[1] = half_width;
    c.left[2] = -half_width - shift;
    c.right[2] = half_width - shift;

    // n points to the viewer's right; the left eye sits on its negative side so
    // that both centre lines meet at the focal distance (zero parallax there).
    Vector3 n = direction.cross(up);
    n.normalize();
    c.leftv = n;
    c.leftv *= -(c.sep / 2);
    c.rightv = Vector3(0, 0, 0) - c.leftv;
    // No "-0.000000" in the diagnostics: a zero component is a plain zero.
    for (int i = 0; i < 3; ++i) {
        if (c.leftv[i] == 0) c.leftv[i] = 0;
        if (c.rightv[i] == 0) c.rightv[i] = 0;
    }
    return c;
}

bool map_view_shown() {
    const ViewPreset* map = find_choice(kViewPresets, 2);
    bool turned =
        angle_x != map->angles[0] || angle_y != map->angles[1] || angle_z != map->angles[2];
    for (int i = 0; i < 16; ++i)
        turned = turned || object_rotation[i] != ((i % 5 == 0) ? 1.0f : 0.0f);
    return map_view && stereo_mode == kMonoView && !turned;
}

CameraFrame frame_camera() {
    int width, height;
    eye_picture_size(view_width, view_height, width, height);
    CameraFrame c = compute_camera(eye_separation, focal_length, width, height);
    c.parallel = map_view_shown();
    // As high as the perspective sees at the model's centre.
    c.half_height = (focal_length + object_translation[2]) * c.wd2 / nearp;
    return c;
}
