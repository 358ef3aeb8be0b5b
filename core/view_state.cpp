#include "core/view_state.h"

#include "core/settings.h"

float angle_x, angle_y, angle_z;
float view_rotation[16];
int mouse_mode;
int last_x, last_y;
Vector3 vp;
Vector3 vd;
Vector3 vu;
int view_width;
int view_height;
float matCur[16];
int interacting;
double full_frame_seconds;

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
    full_frame_seconds = 0;
}
// After every definition above, so that their own initialisation comes first.
[[maybe_unused]] const bool view_started = (set_start_view(), true);
}  // namespace

void set_start_values() {
    set_start_settings();
    set_start_view();
}
