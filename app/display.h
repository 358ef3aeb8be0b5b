#pragma once
// One frame of the main window: the off-axis stereo camera, the eye passes of the
// stereo mode (app/stereo_passes.h), each a scene pass (app/scene_pass.h), and
// the overlay (app/overlay.h); then the swap.

#include "app/overlay.h"
#include "app/scene_pass.h"
#include "core/view_state.h"

extern unsigned long frames_drawn;  // frames display() has drawn so far

// The display callback: draw_frame(), then the buffer swap. A full frame's time
// is kept in full_frame_seconds (a reduced one's is not).
void display();
// Everything of a frame but the swap: camera, clear, light 0, eye passes, overlay.
void draw_frame();
