#pragma once
// Input callbacks of the main window and the view state they change.

#include "core/view_state.h"

// The view state they change (angles, mouse, view size) is in core/view_state.h.

void on_key(unsigned char key, int x, int y);
void on_special_key(int key, int x, int y);
void on_mouse(int button, int state, int x, int y);
void on_motion(int x, int y);
void on_reshape(int width, int height);
void on_idle();
// The view presets of keys 1 to 4: 1 along the z axis (the view after a reset),
// 2 along the y axis from +y (a map from above), 3 along the x axis from +x, 4 a
// three-quarter view from above (30 degrees about x, then 45 about y). Each sets
// the three angles and the rotation; translation and scale stay. Other numbers
// change nothing.
void set_view_preset(int preset);
// The same once the load that runs has taken its data over (which resets the
// view), or now when none runs: the view named at start.
void set_view_preset_after_load(int preset);

// Fills m with Rz(az) Ry(ay) Rx(ax), angles in degrees.
void build_rotation(double ax, double ay, double az, float m[16]);
