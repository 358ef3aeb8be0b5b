#pragma once
// Pictures without a window or a display (zendral --save OUT.png FILE): Mesa's
// EGL surfaceless platform gives a desktop OpenGL compatibility context, the
// frame is drawn into a framebuffer object of the asked size exactly as the
// picture window draws it (text from a font file, app/overlay_text.h), and
// written as a PNG.

#include <string>

#include "app/png_file.h"

struct CommandLine;

// Makes a context without a display current (once a process) with a framebuffer
// object of width x height, the viewport and the picture window's GL state, and
// the overlay's text from the font file. False with the reason in `why`.
bool begin_headless_picture(int width, int height, std::string& why);

// One frame with the settings as they stand, drawn as the window draws it and
// read back (bottom row first, as GL reads a window).
Image draw_headless_picture(bool reduced = false);  // (no interaction: the full one)

// Loads options.path with data_format, draws one frame of options.width x
// options.height with the settings as they stand and writes options.save.
// Returns the exit status: 0 when written; 1 when the file was not loaded (the
// reader's reason goes to standard error too) or the picture could not be made
// or written (the reason on standard error).
int save_without_window(const CommandLine& options);
