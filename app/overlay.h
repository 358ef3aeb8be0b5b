#pragma once
// The overlay of a picture: the file name and the status line, in the colour
// that contrasts with the background, over whatever the scene left there.

#include <string>

// The overlay: the file name when "Show file name" is ticked, and below it the
// status line (a refused load, a format hint, a folder problem) whenever it says
// something.
void draw_overlay();
// The overlay when it has something to show.
void draw_overlay_step();

// What the overlay's status line says: the status line of the data, and on a
// window without stereo buffers while "StereoView" is chosen, that only one eye
// shows.
std::string overlay_status();
constexpr const char* kNoStereoVisualStatus =
    "No stereo visual on this display: only the right eye is shown; try \"Red/Cyan "
    "glasses\" or \"Side by side\"";
