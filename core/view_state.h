#pragma once
// The view state that every layer reads besides the settings: the view angles
// and the rotation the keys and the mouse build from them, the mouse drag, the
// camera vectors and constants, the viewport size, the matrix of the last model
// draw, and whether the user is interacting now (with the cost of the last full
// frame, which decides whether an interaction is drawn with the reduced
// picture). The input code and the frame write these; the renderer reads them
// (and writes matCur). Nothing here touches GL.

#include "core/fixed_vector.h"

// --- Turning, by the keys and the mouse -------------------------------------------
extern float angle_x, angle_y, angle_z;  // view rotation angles, degrees, not wrapped; start 0
extern float view_rotation[16];  // column-major, built from the angles by the input code; identity
// What a drag does, by the button that started it.
enum MouseMode : int { kNoDrag = -1, kTurnDrag = 0, kDepthDrag = 1, kSlideDrag = 2 };
// Key 2 chose the map view: a parallel projection straight down the up axis, in
// "MonoView ", for as long as the model is not turned (app/camera.h); 0 at start.
extern int map_view;
// The picture is to be framed again at the next frame (a load, "Reset View", a
// view key, "Fit view"): app/view_fit.h; 0 at start.
extern int fit_requested;
// "Comfortable depth" was just ticked: the depth is set at the next frame; 0 at start.
extern int comfort_requested;
extern int mouse_mode;  // a MouseMode: left turns, middle moves in z, right in x/y; kNoDrag first
extern int last_x, last_y;  // last mouse position; last_y measured up from the bottom; 0, 0

// --- Camera and viewport ----------------------------------------------------------
extern Vector3 vp;       // camera position; z is set to focal_length every frame; start (0, 0, 18)
extern Vector3 vd;       // view direction (0, 0, -1)
extern Vector3 vu;       // up vector (0, 1, 0)
extern int view_width;   // viewport width, kept by the reshape callback; 0 until the first
extern int view_height;  // viewport height, likewise

constexpr double nearp = 0.1;                   // near clipping distance
constexpr double farp = 100000.0;               // far clipping distance
constexpr double aperture = 45.0;               // vertical field of view, degrees
constexpr double degree_factor = 0.0174532925;  // degrees to radians, as the viewer has always used

// --- The last frame and the interaction -------------------------------------------
extern float matCur[16];  // model-view matrix of the last model draw, printed by key p; all 0
extern int interacting;   // 1 while the user turns or moves the model, and for a moment after; 0
extern double full_frame_seconds;  // how long the last full frame took, swap included; 0 before any
// How long the last full frame took that was drawn from recorded pictures alone
// (nothing recorded or drawn directly during it); 0 before any. The reduced
// picture takes its density from this cost.
extern double recorded_frame_seconds;

// Every setting (core/settings.h) and every value above back at its start value:
// the state of a program that has just started. Runs before main, and in tests.
void set_start_values();
