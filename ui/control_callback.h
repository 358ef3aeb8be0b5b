#pragma once
// The one callback of every panel control that has an id, and the view reset.

// Turns the change the panel just wrote into its setting into its effect, then
// asks for a redraw (for any id, known or not).
void control_callback(int id);

// Callback of "Quit": ends the process with the control's id (0) as exit status.
void quit_callback(int id);

// Translation, view angles and matrix, scale, thickness, focal length, eye
// separation and the remembered mouse position back to their reset values, the
// "Rotate" ball to rest; then a redraw. Runs before every load too.
void reset_view();
