#pragma once
// One picture without a window or a display (zendral --save OUT.png FILE): Mesa's
// EGL surfaceless platform gives a desktop OpenGL compatibility context, the
// frame is drawn into a framebuffer object of the asked size exactly as the
// picture window draws it (text from a font file, app/overlay_text.h), and
// written as a PNG.

struct CommandLine;

// Loads options.path with data_format, draws one frame of options.width x
// options.height with the settings as they stand and writes options.save.
// Returns the exit status: 0 when written; 1 when the file was not loaded (the
// reader's reason goes to standard error too) or the picture could not be made.
int save_without_window(const CommandLine& options);
