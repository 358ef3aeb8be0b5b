#pragma once
// The viewer settings: one process-wide set of plain globals with fixed defaults.
// Panel controls are bound to them as live variables (they keep pointers to them,
// so they have static storage and never move); every frame and every load reads
// the current values. Nothing here touches GL.

#include <string>

#include "data/fixed_vector.h"

// --- Display, stereo and geometry -------------------------------------------------
extern int stereo_mode;       // 0 "MonoView ", 1 "Anaglyph", 2 "StereoView", 3 "Red/Blue glasses",
                              // 4 "Red/Cyan glasses", 5 "Side by side", 6 "Cross-eyed"; default 0
extern int swap_eyes;         // 1: each two-eye mode shows each eye's picture where the other's goes; default 0
extern float anaglyph_saturation;  // saturation of coloured data through glasses (modes 3, 4), 0..1; default 0.65
extern int axis_data;         // 0 "Individual", 1 "Uniform " axis scaling; default 0
extern int display_mode;      // 0 points, 1 joined, 2 needled, 3 grid, 4 filled, 5 special; default 1
extern int segments;          // sides of each tube, 3..60; default 8
extern float scale;           // uniform model scale, -1000..1000; default 1.0
extern float thickness;       // tube radius in data units, 0.001..10; default 0.02
extern float eye_separation;  // eye distance (scene units x 10), 0..45; default 2.0
extern float focal_length;    // distance to the zero-parallax plane, 0..500; default 20.0
extern float focal_ratio;     // focal_length / eye_separation as last set; default 20.0
extern int show_axes;               // draw the axes figure, 0 or 1; default 0
extern int show_file_name;          // draw the file-name overlay, 0 or 1; default 1
extern int show_movement_controls;  // "Movement Controls" window shown, 0 or 1; default 1
extern int fast_interaction;  // draw a reduced picture while the user interacts, when full frames are slow; default 1
extern double frame_budget;   // seconds a frame may take while the user interacts; default 0.05
extern double full_picture_delay;  // seconds after the last interaction until the full picture returns; default 0.3

// --- Colours and lights -----------------------------------------------------------
extern Color4 background_color;  // clear colour, 0..1 each; default (1, 1, 1, 1)
constexpr int kDataColorSlots = 50;
extern Color4 data_colors[kDataColorSlots];  // data colour table; (0,0,0,0) until the panel fills it
extern int color_name;        // chosen named colour 0..11 (0 "custom"); default 0
extern float color_red;       // "red:" spinner 0..1; 0 until the panel sets it to 1
extern float color_green;     // "green:" spinner 0..1; 0 until the panel sets it to 1
extern float color_blue;      // "blue:" spinner 0..1; 0 until the panel sets it to 1
extern float transparency;    // alpha written into data_colors, 0..1; default 1.0
extern int apply_color_to;    // 0 Background, 1 Left, 2 Right, 3 Light 1, 4 Light 2, 5 Data Color; default 0
extern int data_value;        // data colour slot edited, 0..9; default 0
extern int light1_enabled;    // GL light 0 on, 0 or 1; default 1
extern float light1_intensity;  // factor on light1_diffuse, 0..1; default 1.0
extern int light2_enabled;    // GL light 1 on, 0 or 1; default 1
extern float light2_intensity;  // factor on light2_diffuse, 0..1; default 0.4
extern float light1_diffuse[4];  // base diffuse colour of GL light 0; default (0.6, 0.6, 1.0, 1.0)
extern float light2_diffuse[4];  // base diffuse colour of GL light 1; default (0.9, 0.6, 0.0, 1.0)

// Named colours of "Color Name:": id 0 "custom" has no colour, id k >= 1 has
// named_colors[k - 1].
constexpr int kColorNameCount = 12;
extern const char* const color_names[kColorNameCount];
extern const float named_colors[kColorNameCount - 1][3];

// --- Movement ---------------------------------------------------------------------
extern float object_rotation[16];    // "Rotate" matrix, column-major; default identity
extern float object_translation[3];  // model translation x, y, z; default (0, -5, 0)
extern float light1_rotation[16];    // "Light 1" rotation of GL light 0; default identity

// --- Data selection ---------------------------------------------------------------
extern int data_format;       // 0 "Data ", 1 "Maple", 2 "Data with Color"; default 0
extern int chosen_listitem;   // "Files:" item: 0 "Choose Model", k >= 1 the k-th file; default 0
extern std::string filedir;   // data folder path; set from "Folder:" at each refresh
extern std::string file_filter;  // wildcard pattern; default "*.*"

// --- Diagnostics ------------------------------------------------------------------
extern int verbose;  // detailed prints of the readers and the frame; 0 at start, right button flips it

// --- Panel handles: null until the panel is built ---------------------------------
class PanelWindow;
class PanelRotation;
class PanelTextField;
class PanelListBox;
class PanelSpinner;
extern PanelWindow* control_glui;     // "Control Display"
extern PanelWindow* movement_glui;    // "Movement Controls"
extern PanelRotation* rotate_control; // "Rotate" ball
extern PanelTextField* folder_field;  // "Folder:"
extern PanelTextField* filter_field;  // "File filter:"
extern PanelListBox* files_list;      // "Files:"
extern PanelSpinner* red_spinner;
extern PanelSpinner* green_spinner;
extern PanelSpinner* blue_spinner;
extern PanelSpinner* light1_intensity_spinner;
extern PanelSpinner* light2_intensity_spinner;

// Writes the 4 x 4 identity into a column-major matrix.
void set_identity(float m[16]);
