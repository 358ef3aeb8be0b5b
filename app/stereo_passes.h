#pragma once
// The eye passes of one frame, by `stereo_mode`: one centre pass ("MonoView "),
// or a left and a right eye pass placed by the mode: over each other in one
// buffer ("Anaglyph"), in the two back buffers of a quad-buffered window
// ("StereoView"), in colour channels of their own (the glasses modes), or in the
// two halves of the window ("Side by side", "Cross-eyed"). "Swap eyes" exchanges
// which eye's picture goes where in every two-eye mode.

struct CameraFrame;

#include "core/settings.h"

// Whether `mode` draws each eye into one half of the window.
inline bool split_viewport(int mode) { return mode == kSideBySide || mode == kCrossEyed; }

// Width of the viewport of one eye's picture: half the window when split.
int eye_view_width(int mode, int window_width);

// The passes of the current stereo_mode with `camera`, which was computed for
// eye_view_width. A split frame also draws the overlay of each half; the others
// leave the overlay to the caller. Leaves the viewport at the whole window and
// every colour channel writable.
void draw_eye_passes(const CameraFrame& camera);

// One eye's scene alone: its viewing window and offset from `camera`, the data in
// colour-map entry `texel`, into whatever buffer and channels are selected.
void draw_eye(const CameraFrame& camera, bool right_eye, int texel);
