#pragma once
// The viewer settings: one process-wide set of plain globals. Panel controls are
// bound to them as live variables (they keep pointers to them, so they have
// static storage and never move); every frame and every load reads the current
// values. Each holds its start value from program start: set_start_values()
// (core/view_state.h) writes them, from the table of core/options.h, which also
// holds their limits and the values "Reset View" brings back. The named values of
// every choice are in core/choices.h. Nothing here touches GL.

#include <string>

#include "core/choices.h"
#include "core/fixed_vector.h"

// --- Display, stereo and geometry -------------------------------------------------
extern int stereo_mode;  // a StereoMode (kStereoForms); start kMonoView
extern int
    swap_eyes;  // 1: each two-eye mode shows each eye's picture where the other's goes; start 0
extern float anaglyph_saturation;  // saturation of coloured data through glasses, 0..1; start 0.65
extern int anaglyph_colours;  // an AnaglyphColours: "Least-squares colours" 1; start kFilterColours
// "Comfortable depth" 1: each load, view key and "Fit view" set focal_length and
// eye_separation for the data's depth (app/comfortable_depth.h); start 0
extern int comfortable_depth;

extern int axis_data;              // an AxisScaling (kAxisScalings); start kIndividualAxes
extern float height_exaggeration;  // "Height \u00d7": the up axis's stretch over "Uniform "
extern int up_axis;                // an UpAxis (kUpAxes); each load sets it unless...
extern int up_axis_chosen;         // ... the user chose it (panel, command line): 1; start 0
extern int display_mode;           // a DisplayMode (kDisplayModes); start kJoined

// Start values, limits and reset values of all of these: core/options.cpp.
extern int segments;                // sides of each tube
extern float scale;                 // uniform model scale
extern float thickness;             // tube radius in data units; point size and line width are 100x
extern float eye_separation;        // eye distance (scene units x 10)
extern float focal_length;          // distance to the zero-parallax plane
extern float focal_ratio;           // focal_length / eye_separation as last set
extern int show_axes;               // draw the axes figure, 0 or 1; start 0
extern int show_file_name;          // draw the file-name overlay, 0 or 1; start 1
extern int show_movement_controls;  // "Movement Controls" window shown, 0 or 1; start 1
extern int fast_interaction;  // draw a reduced picture while the user interacts, when full frames
                              // are slow; start 1
extern double frame_budget;   // seconds a frame may take while the user interacts; start 0.05
extern double full_picture_delay;  // seconds after the last interaction until the full picture
                                   // returns; start 0.3

// Reading values off the picture.
extern int show_bounds;  // the labelled box the data fill, ticks and numbers, 0 or 1; start 0
extern int show_legend;  // the key to the colours (colour bar or swatches), 0 or 1; start 1
extern int color_by;  // a ColorBy (kColorByChoices): what the colours of the data show; start none
// Text in the picture: a title centred at its top, and the names of the bounds
// box's axes and of the values (in the legend); an empty name: the file's own.
extern std::string title;
extern std::string axis_labels[3];
extern std::string value_label;

// --- Colours and lights -----------------------------------------------------------
extern Color4 background_color;  // clear colour, 0..1 each; start (1, 1, 1, 1)
constexpr int kDataColorSlots = 50;
extern Color4
    data_colors[kDataColorSlots];  // data colour table; (0,0,0,0) until the panel fills it
// Slots "Apply Color Settings" has given a colour: colour-map entries 0..9 take
// the colour of such a slot in place of their own. Start all false.
extern bool data_color_applied[kDataColorSlots];
extern int color_name;      // chosen named colour 0..11 (0 "custom"); start 0
extern float color_red;     // "red:" spinner 0..1; 0 until the panel sets it to 1
extern float color_green;   // "green:" spinner 0..1; 0 until the panel sets it to 1
extern float color_blue;    // "blue:" spinner 0..1; 0 until the panel sets it to 1
extern float transparency;  // the data's opacity, also data_colors' alpha, 0..1; start 1.0

// "Apply Color To:" (kApplyColorTargets): "Left" and "Right" store nothing.
extern int apply_color_to;       // an ApplyColorTo; start kApplyToBackground
extern int data_value;           // data colour slot edited, 0..9; start 0
extern int light1_enabled;       // GL light 0 on, 0 or 1; start 1
extern float light1_intensity;   // factor on light1_diffuse, 0..1; start 1.0
extern int light2_enabled;       // GL light 1 on, 0 or 1; start 1
extern float light2_intensity;   // factor on light2_diffuse, 0..1; start 0.4
extern float light1_diffuse[4];  // base diffuse colour of GL light 0; start (0.6, 0.6, 1.0, 1.0)
extern float light2_diffuse[4];  // base diffuse colour of GL light 1; start (0.9, 0.6, 0.0, 1.0)

// Named colours of "Color Name:": id 0 "custom" has no colour, id k >= 1 has
// named_colors[k - 1]. The first nine are also the colour map's entries 0..8.
constexpr int kColorNameCount = 12;
extern const char* const color_names[kColorNameCount];
extern const float named_colors[kColorNameCount - 1][3];

// --- Movement ---------------------------------------------------------------------
extern float object_rotation[16];    // "Rotate" matrix, column-major; start identity
extern float object_translation[3];  // model translation x, y, z; start (0, -5, 0)
extern float light1_rotation[16];    // "Light 1" rotation of GL light 0; start identity

// --- Data selection ---------------------------------------------------------------
extern int data_format;      // a DataFormat (kDataFormats); start kDataFormat
extern int chosen_listitem;  // "Files:" item: 0 "Choose Model", k >= 1 the k-th file; start 0
extern std::string filedir;  // data folder path; set from "Folder:" at each refresh; start empty
extern std::string file_filter;  // wildcard pattern; start "*.*"
// Which columns of a table are x, y, z and the value: "X:Y:Z[:V]", each a number
// from 1 or a header name (data/column_choice.h); empty (the start): the first ones.
extern std::string columns;
extern int reload_on_change;  // read the shown file again when it changes, 0 or 1; start 0

// --- Diagnostics ------------------------------------------------------------------
extern int
    verbose;  // detailed prints of the readers and the frame; 0 at start, right button flips it

// Writes the 4 x 4 identity into a column-major matrix.
void set_identity(float m[16]);

// Every setting above back at its start value (core/options.h).
void set_start_settings();
