#pragma once
// The eye passes of one frame, by `stereo_mode`: one centre pass ("MonoView "),
// or a left and a right eye pass placed by the mode: over each other in one
// buffer ("Anaglyph"), in the two back buffers of a quad-buffered window
// ("StereoView"), in colour channels of their own (the glasses modes), or in the
// two halves of the window ("Side by side", "Cross-eyed"). "Swap eyes" exchanges
// which eye's picture goes where in every two-eye mode.

#include "core/settings.h"

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

// Whether `mode` draws each eye into one half of the window.
inline bool split_viewport(int mode) { return mode == kSideBySide || mode == kCrossEyed; }

// Width of the viewport of one eye's picture: half the window when split.
int eye_view_width(int mode, int window_width);

// The passes of the current stereo_mode with `camera`, which was computed for
// eye_view_width. Leaves the viewport at the whole window and every colour
// channel writable.
void draw_eye_passes(const CameraFrame& camera);

// The viewport and scissor of one half of a split window (side 0 the left), and
// back to the whole window.
void use_half(int side);
void use_whole_window();

// One eye's scene alone: its viewing window and offset from `camera`, the data in
// colour-map entry `texel`, into whatever buffer and channels are selected.
void draw_eye(const CameraFrame& camera, bool right_eye, int texel);
