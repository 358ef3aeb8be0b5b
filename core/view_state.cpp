#include "core/view_state.h"

#include "core/settings.h"

// Defined without initialisers: set_start_view() gives the start values.
float angle_x, angle_y, angle_z, view_rotation[16], matCur[16];
int mouse_mode, last_x, last_y, view_width, view_height, interacting, map_view, fit_requested,
    comfort_requested;
Vector3 vp, vd, vu;
double full_frame_seconds, recorded_frame_seconds;

namespace {
void set_start_view() {
    angle_x = angle_y = angle_z = 0.0f;
    set_identity(view_rotation);
    mouse_mode = kNoDrag;
    last_x = last_y = 0;
    vp = Vector3(0, 0, 18);
    vd = Vector3(0, 0, -1);
    vu = Vector3(0, 1, 0);
    view_width = view_height = 0;
    for (float& m : matCur) m = 0.0f;
    interacting = 0;
    map_view = fit_requested = comfort_requested = 0;
    full_frame_seconds = recorded_frame_seconds = 0;
}
// After every definition above, so that their own initialisation comes first.
[[maybe_unused]] const bool view_started = (set_start_view(), true);
}  // namespace

void set_start_values() {
    set_start_settings();
    set_start_view();
}
