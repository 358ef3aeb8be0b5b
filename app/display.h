#pragma once
// One frame of the main window: the off-axis stereo camera, the eye passes of the
// stereo mode, each a scene pass (app/stereo_passes.h), and the overlay with the
// file name and the status line; then the swap.

#include <string>

#include "app/stereo_passes.h"
#include "core/view_state.h"

extern unsigned long frames_drawn;  // frames display() has drawn so far

// The display callback: the reduced picture of an interaction at once, or the
// full picture a few pieces at a time (below); each shown by a buffer swap. A
// full frame's time is kept in full_frame_seconds (a reduced one's is not).
void display();
// Everything of a frame but the swap, at once: camera, clear, light 0, eye
// passes, overlay.
// `reduced`: the reduced picture of an interaction (render/reduced_picture.h);
// without it, the picture the interaction going on now wants.
void draw_frame(bool reduced);
void draw_frame();

// A frame a few pieces of the model at a time (render/draw_cache.h), so that a
// picture that takes seconds never keeps the window from answering: begin_frame
// sets the camera, clears and places light 0; continue_frame draws pieces until
// `budget` seconds have gone (all of them for a negative budget) and returns true
// once the frame is complete, overlay included; show_frame_pieces continues with
// frame_budget and swaps at the end. A new picture (recorded or drawn directly by
// the frame) that is slower than the budget first shows its reduced picture. Anything that begins
// another frame (a display for an interaction, say) drops the one in progress.
void begin_frame(bool reduced);
void begin_frame();
bool continue_frame(double budget);
bool show_frame_pieces();
bool frame_in_progress();

// After a full picture slower than the frame budget, records the reduced picture
// an interaction would draw, by drawing it once into the back buffer, never shown,
// so that the first input is answered as soon as the ones after it. Once for each
// full frame; true when it drew. The idle callback calls it when nothing else is
// to be done.
bool prepare_reduced_picture();

// The overlay: the file name when "Show file name" is ticked, and below it the
// status line (a refused load, a format hint, a folder problem) whenever it says
// something.
void draw_overlay();
// The overlay of one picture, when it has something to show, and the legend.
void draw_overlay_step();

// What the overlay's status line says: the status line of the data, why the
// picture is empty where a mode draws nothing of the data, and on a window
// without stereo buffers while "StereoView" is chosen, that only one eye shows;
// with nothing to say while no file is loaded, how to load one.
std::string overlay_status();
// The status line while no file is loaded.
constexpr const char* kStartHint =
    "Choose a file under \"Files:\" in \"Control Display\", or start zendral FILE";
constexpr const char* kNoStereoVisualStatus =
    "No stereo visual on this display: only the right eye is shown; try \"Red/Cyan "
    "glasses\" or \"Side by side\"";
