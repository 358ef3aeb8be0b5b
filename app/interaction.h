#pragma once
// Whether the user is interacting with the picture, kept in `interacting`: while
// a mouse button is held in the picture window or a panel control is worked (a
// movement ball or pad dragged, a ball spinning, a spinner dragged), and for
// full_picture_delay after the last sign of it (a key press, a drag step, a
// release), so that the short pauses of a drag do not bring the full picture
// back, and a key held down repeats within the reduced one.

// Seconds on a steady clock.
double seconds_now();

// A key press, a wheel step, a drag step: the user interacts now.
void note_interaction();

// A mouse button of the picture window pressed (true) or released (false).
void set_pointer_held(bool held);

// Brings `interacting` up to date at time `now`; panel_busy tells whether a
// panel control is being worked. Returns true when the interaction has just
// ended: the full picture is due.
bool update_interaction(double now, bool panel_busy);
