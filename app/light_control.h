#pragma once
// The few GL and GLUT requests the control panel makes of the picture window:
// switching and dimming the two lights, and asking for a redraw. They act on the
// current window, which the panel layer makes the picture window while a panel
// callback runs.

// light 0 is the panel's "Light 1" (GL_LIGHT0), light 1 its "Light 2" (GL_LIGHT1).
void set_light_enabled(int light, bool on);

// Sends base colour x intensity (alpha unscaled) as the light's diffuse colour;
// the base colour itself is not changed.
void send_light_diffuse(int light, const float base[4], float intensity);

// glutPostRedisplay on the current window; nothing when no window exists yet.
void request_redisplay();
