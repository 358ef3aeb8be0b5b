#include "app/stereo_passes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "app/bounds_box.h"
#include "app/camera.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "render/box_transform.h"
#include "render/color_map.h"
#include "render/draw_cache.h"

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
    draw_scene_part(offset, texel, 0, -1);
}

int draw_scene_part(Vector3 offset, int texel, int first, int end) {
    glLoadIdentity();
    glPushMatrix();
    const Vector3 pos = vp + offset;
    const Vector3 dir = vp + offset + vd;
    gluLookAt(pos.x(), pos.y(), pos.z(), dir.x(), dir.y(), dir.z(), vu.x(), vu.y(), vu.z());
    if (verbose && first == 0) {
        std::printf("vp: %lf %lf %lf\nvd: %lf %lf %lf\nvu: %lf %lf %lf\n", pos.x(), pos.y(),
                    pos.z(), dir.x(), dir.y(), dir.z(), vu.x(), vu.y(), vu.z());
    }
    set_model_pieces(first, end);
    data_set.draw(texel);
    set_model_pieces(0, -1);
    const int pieces = model_piece_count();
    const bool last_piece = end < 0 || end >= pieces;
    if (show_bounds && last_piece) {
        // Turning and moving with the model, each eye seeing it at its depth.
        glPushMatrix();
        apply_model_transform();
        draw_bounds_box(data_set, offset);
        glPopMatrix();
    }
    if (show_axes && last_piece) {
        // At the centre of the drawing box, turning and moving with the model.
        glPushMatrix();
        apply_model_transform();
        draw_axes(2.0f);
        glPopMatrix();
    }
    glPopMatrix();
    return pieces;
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

constexpr GLbitfield kClearAll = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;

EyePass eye(const CameraFrame& c, bool right_eye, int texel) {
    EyePass p;
    p.window = right_eye ? 2 : 0;
    p.offset = right_eye ? c.rightv : c.leftv;
    p.texel = texel;
    return p;
}

// Two eye passes one after the other, the first into `first` after a clear. The
// second goes into `second` after a clear of its own, or with GL_NONE straight
// over the first in the same buffer, against the depths the first left behind
// (the "Anaglyph" of old, without colour masks). On a window without stereo
// buffers GL refuses GL_BACK_RIGHT and the second eye replaces the first.
std::vector<EyePass> in_turn(const CameraFrame& c, bool first_right, GLenum first, GLenum second) {
    EyePass a = eye(c, first_right, left_eye_texel), b = eye(c, !first_right, right_eye_texel);
    a.buffer = first;
    a.clear = kClearAll;
    b.buffer = second;
    b.clear = second != GL_NONE ? kClearAll : 0;
    return {a, b};
}

// Each eye's whole picture in its own colour channels: red for the first, blue
// (or green and blue) for the second, with the depths cleared between them so
// that neither hides the other. Coloured data is desaturated toward its grey so
// that every colour reaches both eyes; plain data takes the entry of its filter.
std::vector<EyePass> masked(const CameraFrame& c, bool first_right, bool cyan) {
    EyePass a = eye(c, first_right, left_eye_texel);
    EyePass b = eye(c, !first_right, cyan ? cyan_eye_texel : right_eye_texel);
    a.buffer = GL_BACK;
    a.clear = kClearAll;
    b.clear = GL_DEPTH_BUFFER_BIT;
    a.mask[1] = a.mask[2] = GL_FALSE;
    b.mask[0] = GL_FALSE;
    b.mask[1] = cyan ? GL_TRUE : GL_FALSE;
    a.saturation = b.saturation = anaglyph_saturation;
    return {a, b};
}

// One eye in each half of the window, each with its own overlay. Both halves
// keep the one colour of the mono view: two differently coloured pictures side
// by side would not fuse. The scissor keeps wide points and lines in their half.
std::vector<EyePass> split(const CameraFrame& c, bool left_half_right_eye) {
    EyePass a = eye(c, left_half_right_eye, left_eye_texel);
    EyePass b = eye(c, !left_half_right_eye, left_eye_texel);
    a.buffer = GL_BACK;
    a.clear = kClearAll;
    a.half = 0;
    b.half = 1;
    return {a, b};
}

}  // namespace

std::vector<EyePass> eye_passes(const CameraFrame& c) {
    const bool swap = swap_eyes != 0;
    switch (stereo_mode) {
        case kMonoView: {
            EyePass centre;
            centre.buffer = GL_BACK;
            centre.clear = kClearAll;
            centre.window = 1;
            centre.texel = left_eye_texel;
            return {centre};
        }
        case kAnaglyph:
            return in_turn(c, swap, GL_BACK, GL_NONE);
        case kStereoView:
            return in_turn(c, swap, GL_BACK_LEFT, GL_BACK_RIGHT);
        case kRedBlueGlasses:
            return masked(c, swap, false);
        case kRedCyanGlasses:
            return masked(c, swap, true);
        case kSideBySide:
            return split(c, swap);
        case kCrossEyed:
            return split(c, !swap);
        default:
            return {};  // no pass: the frame shows the clear alone
    }
}

void begin_pass(const EyePass& pass, const CameraFrame& camera, bool clear) {
    if (pass.buffer != GL_NONE) glDrawBuffer(pass.buffer);
    if (clear && pass.clear) glClear(pass.clear);
    glColorMask(pass.mask[0], pass.mask[1], pass.mask[2], pass.mask[3]);
    if (pass.half >= 0) use_half(pass.half);
    color_saturation = pass.saturation;
    begin_eye_pass(camera, pass.window);
}

void end_passes() {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    color_saturation = 1.0f;
    if (split_viewport(stereo_mode)) use_whole_window();
}

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
    for (const EyePass& pass : eye_passes(c)) {
        begin_pass(pass, c, true);
        draw_scene(pass.offset, pass.texel);
    }
    end_passes();
}
