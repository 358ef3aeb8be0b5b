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
// Fills m with Rz(az) Ry(ay) Rx(ax), angles in degrees.
void build_rotation(double ax, double ay, double az, float m[16]);
