#include "app/input.h"

#include <GL/glut.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "app/display.h"
#include "app/interaction.h"
#include "app/load_progress_bar.h"
#include "app/picture_save.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "panel/panel.h"
#include "ui/background_load.h"
#include "ui/control_panel.h"
#include "ui/data_folder.h"

namespace {
constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;
// Buttons held in the picture window, one bit each.
unsigned buttons_down = 0;
// main_window's frames when the idle callback last waited.
unsigned long frames_at_last_wait = 0;
int preset_after_load = 0;  // set_view_preset_after_load's, until the load is done
}  // namespace

void on_key(unsigned char key, int, int) {
    if (key == 'w') {
        // Saves the picture as it stands: no interaction, no change of view.
        request_picture_save();
        return;
    }
    if (key == 27 && running_load()) {
        // Esc stops a load that runs; the data before it stay.
        cancel_file_load();
        return;
    }
    switch (key) {
        case 27:
        case 'q':
            // Leaves full screen; the program goes on.
            glutReshapeWindow(window_width, window_height);
            glutPositionWindow(window_x, window_y);
            if (control_glui) control_glui->show();
            if (movement_glui) movement_glui->show();
            break;
        case 'F':
        case 'f':
            if (control_glui) control_glui->hide();
            if (movement_glui) movement_glui->hide();
            glutFullScreen();
            break;
        // Each step is added in double and stored back as float.
        case 'S':
            scale += 0.1;
            break;
        case 's':
            scale -= 0.1;
            break;
        case 'X':
            angle_x += 1.0;
            break;
        case 'x':
            angle_x -= 1.0;
            break;
        case 'Y':
            angle_y += 1.0;
            break;
        case 'y':
            angle_y -= 1.0;
            break;
        case 'Z':
            angle_z += 1.0;
            break;
        case 'z':
            angle_z -= 1.0;
            break;
        case '0':
            fit_requested = 1;  // the picture framed again
            break;
        case 'p':
            // One row of the column-major matrix per line.
            std::printf("matCur:\n");
            for (int row = 0; row < 4; ++row) {
                std::printf("%lf %lf %lf %lf\n", matCur[row], matCur[4 + row], matCur[8 + row],
                            matCur[12 + row]);
            }
            break;
        default:
            // The view presets' keys (kViewPresets).
            for (const ViewPreset& view : kViewPresets)
                if (key == view.name.word[0]) set_view_preset(view.name.value);
            break;
    }
    build_rotation(angle_x, angle_y, angle_z, view_rotation);
    note_interaction();
    glutPostRedisplay();
}

void on_special_key(int key, int, int) {
    switch (key) {
        case GLUT_KEY_LEFT:
            object_translation[0] -= 0.1;
            break;
        case GLUT_KEY_RIGHT:
            object_translation[0] += 0.1;
            break;
        case GLUT_KEY_UP:
            object_translation[1] += 0.1;
            break;
        case GLUT_KEY_DOWN:
            object_translation[1] -= 0.1;
            break;
        default:
            break;
    }
    note_interaction();
    glutPostRedisplay();
}

void on_mouse(int button, int state, int x, int y) {
    if (state == GLUT_DOWN) {
        switch (button) {
            case GLUT_LEFT_BUTTON:
                mouse_mode = kTurnDrag;
                break;
            case GLUT_MIDDLE_BUTTON:
                mouse_mode = kDepthDrag;
                break;
            case GLUT_RIGHT_BUTTON:
                mouse_mode = kSlideDrag;
                verbose = verbose ? 0 : 1;
                break;
            // The wheel, reported as buttons 3 (away from the user) and 4, zooms like S and s.
            case kWheelUp:
                scale += 0.1;
                break;
            case kWheelDown:
                scale -= 0.1;
                break;
            default:
                break;
        }
    }
    if (button >= GLUT_LEFT_BUTTON && button <= GLUT_RIGHT_BUTTON) {
        const unsigned bit = 1u << button;
        buttons_down = state == GLUT_DOWN ? buttons_down | bit : buttons_down & ~bit;
        set_pointer_held(buttons_down != 0);
    } else {
        note_interaction();  // the wheel
    }
    last_x = x;
    last_y = glutGet(GLUT_WINDOW_HEIGHT) - y;
    glutPostRedisplay();
}

void on_motion(int x, int y) {
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    // A full-width or full-height drag is worth 40 degrees or 40 units; a window
    // reported as 0 pixels is taken as 1 so that no step becomes infinite.
    const float sx = (width < 1 ? 1 : width) / 40.0f;
    const float sy = (height < 1 ? 1 : height) / 40.0f;
    const int up_y = height - y;
    const float dx = static_cast<float>(x - last_x);
    const float dy = static_cast<float>(up_y - last_y);
    switch (static_cast<MouseMode>(mouse_mode)) {
        case kTurnDrag:
            angle_x -= dy / sy;
            angle_y += dx / sx;
            build_rotation(angle_x, angle_y, angle_z, view_rotation);
            break;
        case kDepthDrag:
            object_translation[2] += dy / sy;
            break;
        case kSlideDrag:
            object_translation[0] += dx / sx;
            object_translation[1] += dy / sy;
            break;
        case kNoDrag:
            break;
    }
    last_x = x;
    last_y = up_y;
    note_interaction();
    glutPostRedisplay();
}

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
    // A load on the worker that is done replaces the data; one that runs shows
    // its progress.
    if (finish_done_load() && preset_after_load > 0) {
        set_view_preset(preset_after_load);
        preset_after_load = 0;
    }
    static double last_progress = 0;
    if (running_load() && seconds_now() - last_progress >= kLoadProgressSeconds) {
        last_progress = seconds_now();
        glutPostWindowRedisplay(main_window);
    }
    // A file that changed is read again ("Reload on change").
    watch_shown_file(seconds_now());
    // A full picture drawn in pieces goes on, a piece at a time between input.
    if (frame_in_progress()) {
        show_frame_pieces();
        return;
    }
    // The end of an interaction brings the full picture back, at once.
    const bool full_picture_due = update_interaction(seconds_now(), panel_master.user_busy());
    if (full_picture_due) glutPostWindowRedisplay(main_window);
    // GLUT calls the idle function in a tight loop; a short sleep keeps an idle
    // viewer off the processor while input still answers at once. There is no
    // wait while the user interacts, a redraw was just asked for, or frames
    // follow each other, so that no redraw of a drag is held back.
    if (interacting || full_picture_due || frames_drawn != frames_at_last_wait) {
        frames_at_last_wait = frames_drawn;
        return;
    }
    // A slow full picture just shown: the reduced one is made ready for the next input.
    if (prepare_reduced_picture()) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void set_view_preset(int preset) {
    const ViewPreset* view = find_choice(kViewPresets, preset);
    if (!view) return;
    map_view = preset == 2;
    fit_requested = 1;
    angle_x = view->angles[0];
    angle_y = view->angles[1];
    angle_z = view->angles[2];
    build_rotation(angle_x, angle_y, angle_z, view_rotation);
}

void set_view_preset_after_load(int preset) {
    if (running_load())
        preset_after_load = preset;
    else
        set_view_preset(preset);
}

void build_rotation(double ax, double ay, double az, float m[16]) {
    const double a = ax * degree_factor;
    const double b = ay * degree_factor;
    const double c = az * degree_factor;
    const double sa = std::sin(a), ca = std::cos(a);
    const double sb = std::sin(b), cb = std::cos(b);
    const double sc = std::sin(c), cc = std::cos(c);
    set_identity(m);
    // Rz(c) Ry(b) Rx(a), column-major: m[column * 4 + row].
    m[0] = static_cast<float>(cb * cc);
    m[1] = static_cast<float>(cb * sc);
    m[2] = static_cast<float>(-sb);
    m[4] = static_cast<float>(sa * sb * cc - ca * sc);
    m[5] = static_cast<float>(sa * sb * sc + ca * cc);
    m[6] = static_cast<float>(sa * cb);
    m[8] = static_cast<float>(ca * sb * cc + sa * sc);
    m[9] = static_cast<float>(ca * sb * sc - sa * cc);
    m[10] = static_cast<float>(ca * cb);
}
