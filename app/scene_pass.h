#pragma once
// One scene pass of a frame: the projection of one viewing window, the camera at
// one eye, the model in that eye's colour-map entry, and the axes figure.

#include "core/fixed_vector.h"

struct CameraFrame;

extern int left_eye_texel;   // colour-map entry of the centre view and the left eye: 0
extern int right_eye_texel;  // colour-map entry of the right eye: 2
extern int cyan_eye_texel;   // ... of the right eye through red/cyan glasses: 3

// Projection for viewing window `window` of `camera` (0 left eye, 1 centre, 2
// right eye); leaves the model-view matrix selected and at the identity.
void begin_eye_pass(const CameraFrame& camera, int window);
// One scene pass from vp + offset, the data drawn in colour-map entry `texel`.
void draw_scene(Vector3 offset, int texel);
// The x (red, with an "X" mark), y (green) and z (blue) axes, `length` long.
void draw_axes(float length);
