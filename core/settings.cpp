#include "core/settings.h"

// The settings are defined without initialisers: set_start_settings() gives them
// their start values, before main runs and whenever a test asks. Their meanings
// are in the header.
int stereo_mode, swap_eyes, axis_data, display_mode, segments, show_axes, show_file_name,
    show_movement_controls, fast_interaction, show_bounds, show_legend, color_by;
float anaglyph_saturation, scale, thickness, eye_separation, focal_length, focal_ratio;
double frame_budget, full_picture_delay;

Color4 background_color;
Color4 data_colors[kDataColorSlots];
bool data_color_applied[kDataColorSlots];
int color_name, apply_color_to, data_value, light1_enabled, light2_enabled;
float color_red, color_green, color_blue, transparency, light1_intensity, light2_intensity;
float light1_diffuse[4], light2_diffuse[4];

const char* const color_names[kColorNameCount] = {"custom", "red",     "green",  "blue",
                                                  "cyan",   "magenta", "yellow", "purple",
                                                  "lilac",  "orange",  "white",  "black"};
const float named_colors[kColorNameCount - 1][3] = {
    {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},  {0.0f, 1.0f, 1.0f},
    {1.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 0.0f}, {0.25f, 0.0f, 0.5f}, {0.6f, 0.6f, 1.0f},
    {0.9f, 0.4f, 0.1f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}};

float object_rotation[16], object_translation[3], light1_rotation[16];
int data_format, chosen_listitem;
std::string filedir, file_filter;
int verbose;

void set_identity(float m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

namespace {
void set_four(float out[4], float a, float b, float c, float d) {
    const float in[4] = {a, b, c, d};
    for (int i = 0; i < 4; ++i) out[i] = in[i];
}
}  // namespace

void set_start_settings() {
    stereo_mode = kMonoView;
    swap_eyes = 0;
    anaglyph_saturation = 0.65f;
    axis_data = kIndividualAxes;
    display_mode = kJoined;
    segments = 8;
    scale = kStartScale;
    thickness = kStartThickness;
    eye_separation = 2.0f;
    focal_length = kStartFocalLength;
    focal_ratio = kStartFocalRatio;
    show_axes = 0;
    show_file_name = 1;
    show_movement_controls = 1;
    fast_interaction = 1;
    frame_budget = 0.05;
    full_picture_delay = 0.3;
    show_bounds = 0;
    show_legend = 1;
    color_by = kColorByNone;

    background_color = Color4(1.0f, 1.0f, 1.0f, 1.0f);
    for (Color4& slot : data_colors) slot = Color4(0.0f);
    for (bool& applied : data_color_applied) applied = false;
    color_name = 0;
    color_red = color_green = color_blue = 0.0f;
    transparency = 1.0f;
    apply_color_to = kApplyToBackground;
    data_value = 0;
    light1_enabled = light2_enabled = 1;
    light1_intensity = 1.0f;
    light2_intensity = 0.4f;
    set_four(light1_diffuse, 0.6f, 0.6f, 1.0f, 1.0f);
    set_four(light2_diffuse, 0.9f, 0.6f, 0.0f, 1.0f);

    set_identity(object_rotation);
    object_translation[0] = 0.0f;
    object_translation[1] = -5.0f;
    object_translation[2] = 0.0f;
    set_identity(light1_rotation);

    data_format = kDataFormat;
    chosen_listitem = 0;
    filedir.clear();
    file_filter = "*.*";

    verbose = 0;
}

namespace {
// After every definition above, so that their own initialisation comes first.
[[maybe_unused]] const bool settings_started = (set_start_settings(), true);
}  // namespace
