#include "app/display.h"

#include <GL/glut.h>

#include "ui/settings.h"

Vector3 vp(0, 0, 18);
Vector3 vd(0, 0, -1);
Vector3 vu(0, 1, 0);
int view_width = 0;
int view_height = 0;
int left_eye_texel = 0;
int right_eye_texel = 2;

void display() {
    glClearColor(background_color.r(), background_color.g(), background_color.b(),
                 background_color.a());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void draw_scene(Vector3, int) {}
void draw_axes(float) {}
void draw_overlay() {}
