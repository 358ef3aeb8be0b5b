#include "app/light_control.h"

#include <GL/glut.h>

namespace {
GLenum gl_light(int light) { return light == 0 ? GL_LIGHT0 : GL_LIGHT1; }
}  // namespace

void set_light_enabled(int light, bool on) {
    if (on) {
        glEnable(gl_light(light));
    } else {
        glDisable(gl_light(light));
    }
}

void send_light_diffuse(int light, const float base[4], float intensity) {
    const float diffuse[4] = {base[0] * intensity, base[1] * intensity, base[2] * intensity,
                              base[3]};
    glLightfv(gl_light(light), GL_DIFFUSE, diffuse);
}

void request_redisplay() {
    if (glutGetWindow() != 0) glutPostRedisplay();
}
