#pragma once
// Input callbacks of the main window and the view state they change.

#include "ui/view_state.h"

extern float angle_x, angle_y, angle_z;  // view rotation angles, degrees, not wrapped; 0
extern int mouse_mode;           // drag: 0 rotate, 1 move in z, 2 move in x/y; -1 before any press
extern int last_x, last_y;       // last mouse position; last_y measured up from the bottom

void on_key(unsigned char key, int x, int y);
void on_special_key(int key, int x, int y);
void on_mouse(int button, int state, int x, int y);
void on_motion(int x, int y);
void on_reshape(int width, int height);
void on_idle();
// Fills m with Rz(az) Ry(ay) Rx(ax), angles in degrees.
void build_rotation(double ax, double ay, double az, float m[16]);
