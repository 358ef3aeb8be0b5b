#include "core/settings.h"

// The settings are defined without initialisers: set_start_settings() gives them
// their start values from the table of core/options.cpp, before main runs and
// whenever a test asks. Their meanings are in the header.
int stereo_mode, swap_eyes, anaglyph_colours, comfortable_depth, axis_data, display_mode, segments,
    show_axes, show_file_name, show_movement_controls, fast_interaction, show_bounds, show_legend,
    color_by;
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
int up_axis, up_axis_chosen;
float height_exaggeration;
std::string title, axis_labels[3], value_label, columns;
int reload_on_change;
int verbose;

void set_identity(float m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

namespace {
// After every definition above, so that their own initialisation comes first.
[[maybe_unused]] const bool settings_started = (set_start_settings(), true);
}  // namespace
