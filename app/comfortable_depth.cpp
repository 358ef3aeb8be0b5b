#include "app/comfortable_depth.h"

#include <algorithm>
#include <cmath>

#include "app/view_matrices.h"
#include "core/options.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/box_transform.h"

bool make_depth_comfortable() {
    if (data_set.point_count() == 0 || view_width < 1 || view_height < 1) return false;
    // The eyes sit at focal_length; the model's centre object_translation[2] behind.
    const double centre = focal_length + object_translation[2];
    const Option& focal = *option_of(&focal_length);
    if (!(centre > 10 * nearp) || centre > focal.high) return false;
    focal_length = static_cast<float>(centre);
    object_translation[2] = 0;
    vp.z() = focal_length;

    const CameraFrame c = frame_camera();
    const double width_at_focus = 2 * focal_length * c.wd2 / nearp * c.ratio;
    const Matrix m =
        model_view(Vector3(0, 0, 0), scale, object_translation[0], object_translation[1]);
    // A point at depth d is s (1 - F / d) apart in the two eyes' pictures at the
    // focal plane. Flat data seen face on would allow any separation: a tenth of
    // the distance at most.
    double separation = focal_length / 10;
    double extent[3];
    for (int a = 0; a < 3; ++a)
        extent[a] = (data_set.max[a] - data_set.min[a]) * box_factor(data_set, a) * 10;
    for (int corner = 0; corner < 8; ++corner) {
        double p[3];
        for (int a = 0; a < 3; ++a) p[a] = (corner >> a & 1 ? extent[a] : 0) - 5;
        const double depth = -(m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]);
        if (!(depth > nearp)) continue;
        const double shift = std::fabs(1 - focal_length / depth);
        if (shift > 0)
            separation = std::min(separation, kComfortableParallax * width_at_focus / shift);
    }
    const Option& eyes = *option_of(&eye_separation);
    eye_separation = static_cast<float>(std::clamp(10 * separation, eyes.low, eyes.high));
    if (eye_separation != 0) focal_ratio = focal_length / eye_separation;
    return true;
}
