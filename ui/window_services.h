#pragma once
// What the panel asks of the picture window, from the layer above that owns it:
// that layer hands these in at start (install_window_services in app/viewer.h).
// Until then each does nothing.

struct WindowServices {
    // Opens a main window of the kind stereo_mode needs when the current one is
    // not of that kind (with a fresh pair of panel windows); true when it did.
    bool (*open_viewer_window)() = [] { return false; };
    // Light 0 is the panel's "Light 1" (GL_LIGHT0), light 1 its "Light 2".
    void (*set_light_enabled)(int light, bool on) = [](int, bool) {};
    // Sends base colour x intensity (alpha unscaled) as the light's diffuse colour.
    void (*send_light_diffuse)(int light, const float base[4],
                               float intensity) = [](int, const float*, float) {};
    // Asks for a redraw of the current window.
    void (*request_redisplay)() = [] {};
    // The GLUT id of the newest picture window (0 before the first).
    int (*main_window)() = [] { return 0; };
    // Saves the picture window's next frame, as shown, as a PNG file.
    void (*save_picture)() = [] {};
};
extern WindowServices window_services;
