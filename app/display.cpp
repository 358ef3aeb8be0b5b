#include "app/display.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/camera.h"
#include "app/interaction.h"
#include "app/overlay.h"
#include "app/scene_pass.h"
#include "app/stereo_passes.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "render/reduced_picture.h"

unsigned long frames_drawn = 0;

namespace {
void print_frustum(const char* which, const CameraFrame& c, int i) {
    std::printf("%s Frustum: left = %lf right = %lf top = %lf bottom = %lf nearp = %lf farp = %lf\n",
                which, c.left[i], c.right[i], c.top, c.bottom, nearp, farp);
}

void clear_picture() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
}  // namespace

void draw_frame() {
    vp.z() = focal_length;
    const CameraFrame c = compute_camera(eye_separation, focal_length,
                                         eye_view_width(stereo_mode, view_width), view_height, vd, vu);
    if (verbose) {
        std::printf("ratio = %lf radians = %lf wd2 = %lf ndfl = %lf\n", c.ratio, c.radians, c.wd2,
                    c.ndfl);
    }

    glClearColor(background_color.r(), background_color.g(), background_color.b(),
                 background_color.a());
    clear_picture();

    if (verbose) {
        print_frustum("Left", c, 0);
        print_frustum("Center", c, 1);
        print_frustum("Right", c, 2);
    }

    // Light 0 turns with the "Light 1" control in eye coordinates, the same for both eyes.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixf(light1_rotation);
    glLightfv(GL_LIGHT0, GL_POSITION, light1_position);

    if (verbose) {
        std::printf("r = %lf %lf %lf\nl = %lf %lf %lf\n", c.rightv.x(), c.rightv.y(),
                    c.rightv.z(), c.leftv.x(), c.leftv.y(), c.leftv.z());
    }

    draw_eye_passes(c);
    // A split frame has drawn the overlay of each half already.
    if (!split_viewport(stereo_mode)) draw_overlay_step();
    glEnable(GL_LIGHTING);
}

void display() {
    // The swap waits for the picture to be finished, so the time until it returns
    // is what the frame cost.
    const bool reduced = reduced_picture_wanted();
    const double start = seconds_now();
    draw_frame();
    glutSwapBuffers();
    if (!reduced) full_frame_seconds = seconds_now() - start;
    ++frames_drawn;
}
