#include "app/stereo_passes.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "app/bounds_box.h"
#include "app/camera.h"
#include "app/eye_pictures.h"
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
    if (camera.parallel) {
        const double h = camera.half_height;
        glOrtho(-h * camera.ratio, h * camera.ratio, -h, h, nearp, farp);
    } else {
        glFrustum(camera.left[window], camera.right[window], camera.bottom, camera.top, nearp,
                  farp);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void look_from_eye(const Vector3& offset) {
    const Vector3 pos = vp + offset;
    const Vector3 dir = vp + offset + vd;
    gluLookAt(pos.x(), pos.y(), pos.z(), dir.x(), dir.y(), dir.z(), vu.x(), vu.y(), vu.z());
}

void draw_scene(Vector3 offset, int texel) {
    draw_scene_part(offset, texel, ModelPart{});
}

int draw_scene_part(Vector3 offset, int texel, const ModelPart& part) {
    glLoadIdentity();
    glPushMatrix();
    look_from_eye(offset);
    if (verbose && part.first == 0) {
        const Vector3 pos = vp + offset;
        const Vector3 dir = vp + offset + vd;
        std::printf("vp: %lf %lf %lf\nvd: %lf %lf %lf\nvu: %lf %lf %lf\n", pos.x(), pos.y(),
                    pos.z(), dir.x(), dir.y(), dir.z(), vu.x(), vu.y(), vu.z());
    }
    const int pieces = data_set.draw(texel, part);
    const bool last_piece = part.end < 0 || part.end >= pieces;
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

GLenum gl_buffer(PassBuffer buffer) {
    switch (buffer) {
        case PassBuffer::back:
            return GL_BACK;
        case PassBuffer::back_left:
            return GL_BACK_LEFT;
        case PassBuffer::back_right:
            return GL_BACK_RIGHT;
        case PassBuffer::keep:
        case PassBuffer::first_picture:
        case PassBuffer::second_picture:
            break;
    }
    return GL_NONE;
}

int eye_texel(PassTexel texel) {
    switch (texel) {
        case PassTexel::left:
            return left_eye_texel;
        case PassTexel::right:
            return right_eye_texel;
        case PassTexel::cyan:
            return cyan_eye_texel;
        case PassTexel::green:
            return 1;
        case PassTexel::magenta:
            return 4;
        case PassTexel::yellow:
            return 5;
    }
    return left_eye_texel;
}

}  // namespace

std::vector<EyePass> eye_passes(const CameraFrame& c) {
    const StereoForm form = drawn_form();
    std::vector<EyePass> passes;
    for (int i = 0; i < form.pass_count; ++i) {
        const EyePassEntry& entry = form.passes[i];
        EyePass p;
        // "Swap eyes" exchanges which eye's picture goes where.
        const bool right = entry.eye == (swap_eyes ? Eye::left : Eye::right);
        p.window = entry.eye == Eye::centre ? 1 : right ? 2 : 0;
        if (entry.eye != Eye::centre) p.offset = right ? c.rightv : c.leftv;
        p.buffer = gl_buffer(entry.buffer);
        p.picture = entry.buffer == PassBuffer::first_picture    ? 0
                    : entry.buffer == PassBuffer::second_picture ? 1
                                                                 : -1;
        p.clear = (entry.clear & kClearColour ? GL_COLOR_BUFFER_BIT : 0) |
                  (entry.clear & kClearDepth ? GL_DEPTH_BUFFER_BIT : 0);
        for (int ch = 0; ch < 4; ++ch)
            p.mask[ch] = entry.channels & (1u << ch) ? GL_TRUE : GL_FALSE;
        p.place = entry.place;
        p.texel = eye_texel(entry.texel);
        if (entry.softened) p.saturation = anaglyph_saturation;
        passes.push_back(p);
    }
    return passes;
}

void begin_pass(const EyePass& pass, const CameraFrame& camera, bool clear) {
    // Without offscreen pictures a composed form shows its first eye alone.
    if (pass.picture < 0 || !bind_eye_picture(pass.picture, view_width, view_height))
        bind_picture_framebuffer();
    if (pass.buffer != GL_NONE) select_draw_buffer(pass.buffer);
    if (clear && pass.clear) glClear(pass.clear);
    glColorMask(pass.mask[0], pass.mask[1], pass.mask[2], pass.mask[3]);
    if (pass.place != PassPlace::whole) use_place(pass.place);
    color_saturation = pass.saturation;
    begin_eye_pass(camera, pass.window);
}

void end_passes() {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    color_saturation = 1.0f;
    bind_picture_framebuffer();
    if (split_viewport(stereo_mode)) use_whole_window();
}

void finish_passes(void (*draw)()) {
    const StereoForm form = drawn_form();
    if (form.composed != Composition::none && eye_pictures_made(view_width, view_height)) {
        // The overlay at zero parallax: the same in both pictures.
        for (int picture = 0; picture < 2; ++picture) {
            bind_eye_picture(picture, view_width, view_height);
            draw();
        }
        bind_picture_framebuffer();
        compose_eye_pictures(form.composed, form.least_squares, view_width, view_height);
        return;
    }
    if (!split_viewport(stereo_mode)) {
        draw();
        return;
    }
    for (int i = 0; i < form.pass_count; ++i) {
        use_place(form.passes[i].place);
        draw();
    }
    use_whole_window();
}

void use_place(PassPlace place) {
    PixelBox b = place_box(place, view_width, view_height);
    if (rows_top_first()) b.y = view_height - b.y - b.height;  // the top half is first
    glViewport(b.x, b.y, b.width, b.height);
    glScissor(b.x, b.y, b.width, b.height);
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
