#pragma once
// Start-up and the main window: display-mode choice (quad-buffered stereo or
// double-buffered), window creation, callbacks, lights and the fixed GL state.

// Window state.
enum WindowKind : int { kNoWindow = 10, kDoubleBufferedWindow = 1, kStereoWindow = 2 };
extern int window_kind;         // a WindowKind: of the last main window; kNoWindow before the first
extern int main_window;         // GLUT id of the newest main window; 0 before the first
extern int possible;            // result of the last stereo-visual query
extern int window_x, window_y;  // 50, 50: position of every main window
extern int window_width, window_height;  // 800, 600: size of every main window

// Light values sent by init_lights (the diffuse colours are viewer settings).
extern float light1_ambient[4];   // GL_LIGHT0 ambient (1, 1, 1, 1)
extern float light1_position[4];  // GL_LIGHT0 position (0.5, 0.5, 1, 0), directional
extern float light2_ambient[4];   // GL_LIGHT1 ambient (1, 1, 1, 1)
extern float light2_position[4];  // GL_LIGHT1 position (-1, -1, 1, 0), directional

// Hands the panel layer what it asks of the picture window (ui/window_services.h):
// the new main window of a stereo change, the lights, redraws, the window's id.
// open_viewer_window does it itself; code that builds the panel alone calls it.
void install_window_services();

// Opens a main window that fits `stereo_mode` when the current one does not (or
// none exists), with callbacks, lights, fixed GL state and a fresh pair of panel
// windows. Returns true when a window was opened.
bool open_viewer_window();

// open_viewer_window(), then the GLUT main loop unless it already runs (a re-run
// from the panel returns to the loop that called it).
void start_viewer();

// Creates a top-level window with the position, size and display mode set just
// before; it becomes current. Returns its GLUT id.
int open_main_window(const char* title);

// Sends both lights to GL and enables lighting; needs a current context.
void init_lights();
// The lights and the fixed GL state of a new picture window (or of a picture
// drawn without one).
void init_gl_state();
