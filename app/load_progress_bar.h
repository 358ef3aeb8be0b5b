#pragma once
// While a load runs on the worker (ui/background_load.h), the picture shows how
// far it has come: the file's name, the part read, and that Esc cancels, over a
// bar near the top, drawn over whatever the frame drew.

#include <string>

// "Loading <name>: 42 %", for a load of `name` that has read `fraction` (0..1).
std::string load_progress_text(const std::string& name, double fraction);

// Draws the bar into the current viewport when a load has run for
// kLoadShownSeconds; else nothing.
void draw_load_progress();

// How often the window redraws the bar while a load runs, in seconds.
constexpr double kLoadProgressSeconds = 0.25;
