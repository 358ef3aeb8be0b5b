#include "app/scene_pass.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "app/camera.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/box_transform.h"

int left_eye_texel = 0;
int right_eye_texel = 2;
int cyan_eye_texel = 3;

void begin_eye_pass(const CameraFrame& camera, int window) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(camera.left[window], camera.right[window], camera.bottom, camera.top, nearp, farp);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void draw_scene(Vector3 offset, int texel) {
    glLoadIdentity();
    glPushMatrix();
    const Vector3 pos = vp + offset;
    const Vector3 dir = vp + offset + vd;
    gluLookAt(pos.x(), pos.y(), pos.z(), dir.x(), dir.y(), dir.z(), vu.x(), vu.y(), vu.z());
    if (verbose) {
        std::printf("vp: %lf %lf %lf\nvd: %lf %lf %lf\nvu: %lf %lf %lf\n", pos.x(), pos.y(),
                    pos.z(), dir.x(), dir.y(), dir.z(), vu.x(), vu.y(), vu.z());
    }
    data_set.draw(texel);
    if (show_axes) {
        // At the centre of the drawing box, turning and moving with the model.
        glPushMatrix();
        apply_model_transform();
        draw_axes(2.0f);
        glPopMatrix();
    }
    glPopMatrix();
}

void draw_axes(float length) {
    // Plain coloured lines: neither lighting nor the colour-map texture applies.
    const GLboolean textured = glIsEnabled(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glScalef(length, length, length);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(0.8f, 0.05f, 0);
    glVertex3f(1, 0.25f, 0);
    glVertex3f(0.8f, 0.25f, 0);
    glVertex3f(1, 0.05f, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(1, 0, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 1, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 1);
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
    if (textured) glEnable(GL_TEXTURE_2D);
}
