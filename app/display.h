#pragma once
// One frame of the main window: the off-axis stereo camera, the eye passes, the
// axes figure and the file-name overlay.

#include <string>

#include "data/fixed_vector.h"

struct CameraFrame;

extern Vector3 vp;  // camera position; z is set to focal_length every frame; (0, 0, 18) at start
extern Vector3 vd;  // view direction (0, 0, -1)
extern Vector3 vu;  // up vector (0, 1, 0)
extern int view_width;   // viewport width, kept by on_reshape; 0 until the first reshape
extern int view_height;  // viewport height, kept by on_reshape; 0 until the first reshape
extern int left_eye_texel;   // colour-map entry of the centre view and the left eye: 0
extern int right_eye_texel;  // colour-map entry of the right eye: 2
extern int cyan_eye_texel;   // ... of the right eye through red/cyan glasses: 3

constexpr double nearp = 0.1;       // near clipping distance
constexpr double farp = 100000.0;   // far clipping distance
constexpr double aperture = 45.0;   // vertical field of view, degrees
constexpr double degree_factor = 0.0174532925;  // degrees to radians, as the program has always used

extern unsigned long frames_drawn;  // frames display() has drawn so far

// The display callback: draw_frame(), then the buffer swap. A full frame's time
// is kept in full_frame_seconds (a reduced one's is not).
void display();
// Everything of a frame but the swap: camera, clear, light 0, eye passes, overlay.
void draw_frame();
// The overlay of one picture: the file name, when "Show file name" is ticked.
void draw_overlay_step();
// Projection for viewing window `window` of `camera` (0 left eye, 1 centre, 2
// right eye); leaves the model-view matrix selected and at the identity.
void begin_eye_pass(const CameraFrame& camera, int window);
// One scene pass from vp + offset, the data drawn in colour-map entry `texel`.
void draw_scene(Vector3 offset, int texel);
// The x (red, with an "X" mark), y (green) and z (blue) axes, `length` long.
void draw_axes(float length);
// The overlay: the file name when "Show file name" is ticked, and below it the
// status line (a refused load, a format hint, a folder problem) whenever it says
// something.
void draw_overlay();

// What the overlay's status line says: the status line of the data, and on a
// window without stereo buffers while "StereoView" is chosen, that only one eye
// shows.
std::string overlay_status();
constexpr const char* kNoStereoVisualStatus =
    "No stereo visual on this display: only the right eye is shown; try \"Red/Cyan "
    "glasses\" or \"Side by side\"";
