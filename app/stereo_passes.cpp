#include "app/stereo_passes.h"

#include <GL/gl.h>

#include "app/camera.h"
#include "app/overlay.h"
#include "app/scene_pass.h"
#include "render/color_map.h"
#include "core/settings.h"
#include "core/view_state.h"

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
    const int half = eye_view_width(kSideBySide, view_width);
    glEnable(GL_SCISSOR_TEST);
    for (int side = 0; side < 2; ++side) {
        const int x = side == 0 ? 0 : view_width - half;
        glViewport(x, 0, half, view_height);
        glScissor(x, 0, half, view_height);
        draw_eye(c, (side == 0) == left_half_right_eye, left_eye_texel);
        draw_overlay_step();
        glEnable(GL_LIGHTING);  // the overlay switches it off
    }
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, view_width, view_height);
}

}  // namespace

int eye_view_width(int mode, int window_width) {
    return split_viewport(mode) ? window_width / 2 : window_width;
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
