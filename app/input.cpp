#include "app/input.h"

#include <GL/glut.h>

#include <chrono>
#include <thread>

#include "app/display.h"
#include "app/viewer.h"
#include "panel/panel.h"

float angle_x = 0, angle_y = 0, angle_z = 0;
float view_rotation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
int mouse_mode = -1;
int last_x = 0, last_y = 0;
float matCur[16] = {};

void on_key(unsigned char, int, int) { glutPostRedisplay(); }
void on_special_key(int, int, int) { glutPostRedisplay(); }
void on_mouse(int, int, int, int) { glutPostRedisplay(); }
void on_motion(int, int) { glutPostRedisplay(); }

void on_reshape(int, int) {
    int tx, ty, tw, th;
    panel_master.get_viewport_area(&tx, &ty, &tw, &th);
    glViewport(tx, ty, tw, th);
    view_width = tw;
    view_height = th;
    glutPostRedisplay();
}

void on_idle() {
    if (glutGetWindow() != main_window) glutSetWindow(main_window);
    panel_master.sync_live_all();
    // GLUT calls the idle function in a tight loop; a short sleep keeps an idle
    // viewer off the processor while input still answers at once.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void build_rotation(double, double, double, float[16]) {}
