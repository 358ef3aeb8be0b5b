#include "ui/settings.h"

int stereo_mode = 0;
int swap_eyes = 0;
float anaglyph_saturation = 0.65f;
int axis_data = 0;
int display_mode = 1;
int segments = 8;
float scale = 1.0f;
float thickness = 0.02f;
float eye_separation = 2.0f;
float focal_length = 20.0f;
float focal_ratio = 20.0f;
int show_axes = 0;
int show_file_name = 1;
int show_movement_controls = 1;
int fast_interaction = 1;
double frame_budget = 0.05;
double full_picture_delay = 0.3;

Color4 background_color(1.0f, 1.0f, 1.0f, 1.0f);
Color4 data_colors[kDataColorSlots] = {};
int color_name = 0;
float color_red = 0.0f;
float color_green = 0.0f;
float color_blue = 0.0f;
float transparency = 1.0f;
int apply_color_to = 0;
int data_value = 0;
int light1_enabled = 1;
float light1_intensity = 1.0f;
int light2_enabled = 1;
float light2_intensity = 0.4f;
float light1_diffuse[4] = {0.6f, 0.6f, 1.0f, 1.0f};
float light2_diffuse[4] = {0.9f, 0.6f, 0.0f, 1.0f};

const char* const color_names[kColorNameCount] = {
    "custom", "red",    "green",  "blue",   "cyan",  "magenta",
    "yellow", "purple", "lilac",  "orange", "white", "black"};
const float named_colors[kColorNameCount - 1][3] = {
    {1.0f, 0.0f, 0.0f},  {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 1.0f},
    {1.0f, 0.0f, 1.0f},  {1.0f, 1.0f, 0.0f}, {0.25f, 0.0f, 0.5f}, {0.6f, 0.6f, 1.0f},
    {0.9f, 0.4f, 0.1f},  {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}};

float object_rotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
float object_translation[3] = {0.0f, -5.0f, 0.0f};
float light1_rotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

int data_format = 0;
int chosen_listitem = 0;
std::string filedir;
std::string file_filter = "*.*";

int verbose = 0;

PanelWindow* control_glui = nullptr;
PanelWindow* movement_glui = nullptr;
PanelRotation* rotate_control = nullptr;
PanelTextField* folder_field = nullptr;
PanelTextField* filter_field = nullptr;
PanelListBox* files_list = nullptr;
PanelSpinner* red_spinner = nullptr;
PanelSpinner* green_spinner = nullptr;
PanelSpinner* blue_spinner = nullptr;
PanelSpinner* light1_intensity_spinner = nullptr;
PanelSpinner* light2_intensity_spinner = nullptr;

void set_identity(float m[16]) {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}
