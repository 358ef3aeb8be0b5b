#include "app/stereo_passes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "app/bounds_box.h"
#include "app/camera.h"
#include "render/color_map.h"
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
    if (show_bounds) {
        // Turning and moving with the model, each eye seeing it at its depth.
        glPushMatrix();
        apply_model_transform();
        draw_bounds_box(data_set, offset);
        glPopMatrix();
    }
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

namespace {

void clear_picture() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

// Two eye passes one after the other, the first into `first` after a clear. The
// second goes into `second` after a clear of its own, or with GL_NONE straight
// over the first in the same buffer, against the depths the first left behind
// (the "Anaglyph" of old, without colour masks). On a window without stereo
// buffers GL refuses GL_BACK_RIGHT and the second eye replaces the first.
void draw_in_turn(const CameraFrame& c, bool first_right, GLenum first, GLenum second) {
    begin_eye_pass(c, first_right ? 2 : 0);
    glDrawBuffer(first);
    clear_picture();
    draw_scene(first_right ? c.rightv : c.leftv, left_eye_texel);
    begin_eye_pass(c, first_right ? 0 : 2);
    if (second != GL_NONE) {
        glDrawBuffer(second);
        clear_picture();
    }
    draw_scene(first_right ? c.leftv : c.rightv, right_eye_texel);
}

// Each eye's whole picture in its own colour channels: red for the first, blue
// (or green and blue) for the second, with the depths cleared between them so
// that neither hides the other. Coloured data is desaturated toward its grey so
// that every colour reaches both eyes; plain data takes the entry of its filter.
void draw_masked(const CameraFrame& c, bool first_right, bool cyan) {
    glDrawBuffer(GL_BACK);
    clear_picture();
    color_saturation = anaglyph_saturation;
    glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
    draw_eye(c, first_right, left_eye_texel);
    glClear(GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, cyan ? GL_TRUE : GL_FALSE, GL_TRUE, GL_TRUE);
    draw_eye(c, !first_right, cyan ? cyan_eye_texel : right_eye_texel);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    color_saturation = 1.0f;
}

// One eye in each half of the window, each with its own overlay. Both halves
// keep the one colour of the mono view: two differently coloured pictures side
// by side would not fuse. The scissor keeps wide points and lines in their half.
void draw_split(const CameraFrame& c, bool left_half_right_eye) {
    glDrawBuffer(GL_BACK);
    clear_picture();
    for (int side = 0; side < 2; ++side) {
        use_half(side);
        draw_eye(c, (side == 0) == left_half_right_eye, left_eye_texel);
    }
    use_whole_window();
}

}  // namespace

int eye_view_width(int mode, int window_width) {
    return split_viewport(mode) ? window_width / 2 : window_width;
}

void use_half(int side) {
    const int half = eye_view_width(kSideBySide, view_width);
    const int x = side == 0 ? 0 : view_width - half;
    glViewport(x, 0, half, view_height);
    glScissor(x, 0, half, view_height);
    glEnable(GL_SCISSOR_TEST);
}

void use_whole_window() {
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, view_width, view_height);
}

void draw_eye(const CameraFrame& camera, bool right_eye, int texel) {
    begin_eye_pass(camera, right_eye ? 2 : 0);
    draw_scene(right_eye ? camera.rightv : camera.leftv, texel);
}

void draw_eye_passes(const CameraFrame& c) {
    const bool swap = swap_eyes != 0;
    switch (stereo_mode) {
        case kMonoView:
            begin_eye_pass(c, 1);
            glDrawBuffer(GL_BACK);
            clear_picture();
            draw_scene(Vector3(0, 0, 0), left_eye_texel);
            break;
        case kAnaglyph: draw_in_turn(c, swap, GL_BACK, GL_NONE); break;
        case kStereoView: draw_in_turn(c, swap, GL_BACK_LEFT, GL_BACK_RIGHT); break;
        case kRedBlueGlasses: draw_masked(c, swap, false); break;
        case kRedCyanGlasses: draw_masked(c, swap, true); break;
        case kSideBySide: draw_split(c, swap); break;
        case kCrossEyed: draw_split(c, !swap); break;
        default: break;  // no pass: the frame shows the clear alone
    }
}
