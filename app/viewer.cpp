#include "app/viewer.h"

#include <GL/glut.h>

#include <cstdio>

#include "app/display.h"
#include "app/input.h"
#include "app/picture_save.h"
#include "core/settings.h"
#include "panel/panel.h"
#include "render/frame_memory.h"
#include "ui/control_panel.h"
#include "ui/window_services.h"

int window_kind = kNoWindow;
int main_window = 0;
int possible = 0;
int window_x = 50, window_y = 50;
int window_width = 800, window_height = 600;

float light1_ambient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float light1_position[4] = {0.5f, 0.5f, 1.0f, 0.0f};
float light2_ambient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float light2_position[4] = {-1.0f, -1.0f, 1.0f, 0.0f};

namespace {
// Quad-buffered stereo with a depth buffer; the query tests exactly this mode.
constexpr unsigned kStereoMode = GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STEREO;
constexpr unsigned kDoubleMode = GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH;
bool main_loop_running = false;
}  // namespace

int open_main_window(const char* title) {
    return glutCreateWindow(title);
}

void init_lights() {
    glEnable(GL_LIGHTING);
    // The back of a surface, a tube's inside, a needle's far side are lit as
    // their fronts are (render/model_draw.cpp sets which faces are fronts).
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light1_ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light1_diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, light1_position);
    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT1, GL_AMBIENT, light2_ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light2_diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, light2_position);
}

void init_gl_state() {
    init_lights();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LINE_SMOOTH);
}

namespace {
// The requests the control panel makes of the picture window. They act on the
// current window, which the panel layer makes the picture window while a panel
// callback runs. Light 0 is the panel's "Light 1" (GL_LIGHT0), light 1 its "Light 2".
GLenum gl_light(int light) {
    return light == 0 ? GL_LIGHT0 : GL_LIGHT1;
}

void set_light_enabled(int light, bool on) {
    if (on) {
        glEnable(gl_light(light));
    } else {
        glDisable(gl_light(light));
    }
}

// Base colour x intensity (alpha unscaled); the base colour itself stays.
void send_light_diffuse(int light, const float base[4], float intensity) {
    const float diffuse[4] = {base[0] * intensity, base[1] * intensity, base[2] * intensity,
                              base[3]};
    glLightfv(gl_light(light), GL_DIFFUSE, diffuse);
}

void request_redisplay() {
    if (glutGetWindow() != 0) glutPostRedisplay();
}
}  // namespace

void install_window_services() {
    window_services.open_viewer_window = open_viewer_window;
    window_services.set_light_enabled = set_light_enabled;
    window_services.send_light_diffuse = send_light_diffuse;
    window_services.request_redisplay = request_redisplay;
    window_services.main_window = [] { return main_window; };
    window_services.save_picture = request_picture_save;
}

bool open_viewer_window() {
    keep_frame_memory();
    install_window_services();
    // Only a change between a double-buffered mode (every mode but "StereoView")
    // and "StereoView" needs a new window; among the others only the display changes.
    const bool wants_stereo = stereo_form(stereo_mode) && stereo_form(stereo_mode)->stereo_window;
    if (window_kind != kNoWindow && (window_kind == kStereoWindow) == wants_stereo) return false;

    glutInitDisplayMode(kStereoMode);
    glutInitWindowPosition(window_x, window_y);
    glutInitWindowSize(window_width, window_height);
    possible = glutGet(GLUT_DISPLAY_MODE_POSSIBLE);
    std::printf("\npossible= %d\n", possible);

    if (possible && wants_stereo) {
        std::printf("Stereo OK -- set to quad buffer\n");
        main_window = open_main_window("Zendral<stereo>");
        window_kind = kStereoWindow;
    } else {
        if (!wants_stereo) {
            std::printf("Stereo buffer off -- set to double buffer\n");
        } else {
            std::printf("No stereo -- set to double buffer\n");
            // The double-buffered window already open is the best there is:
            // opening an identical one on every request would only pile them up.
            if (window_kind == kDoubleBufferedWindow) return false;
        }
        glutInitDisplayMode(kDoubleMode);
        main_window = open_main_window("Zendral<no stereo>");
        window_kind = kDoubleBufferedWindow;
    }

    glutDisplayFunc(display);
    panel_master.set_glutReshapeFunc(on_reshape);
    panel_master.set_glutKeyboardFunc(on_key);
    panel_master.set_glutSpecialFunc(on_special_key);
    panel_master.set_glutMouseFunc(on_mouse);
    glutMotionFunc(on_motion);

    init_gl_state();
    build_control_panel();
    panel_master.set_glutIdleFunc(on_idle);
    return true;
}

void start_viewer() {
    open_viewer_window();
    if (!main_loop_running) {
        main_loop_running = true;
        glutMainLoop();
    }
}
