#include "ui/control_callback.h"

#include <cstdio>
#include <cstdlib>

#include "app/input.h"
#include "app/light_control.h"
#include "app/viewer.h"
#include "panel/panel.h"
#include "ui/data_folder.h"
#include "ui/settings.h"

namespace {

// Control ids, grouped by hundreds as on the panel.
enum {
    kLight1Enabled = 200,
    kLight2Enabled = 201,
    kLight1Intensity = 250,
    kLight2Intensity = 251,
    kShowMovement = 300,
    kResetView = 301,
    kDataFormat = 401,
    kBrowseFolder = 402,
    kFilesList = 403,
    kFolderOrFilter = 404,
    kApplyColor = 503,
    kTransparency = 505,
    kFocalLength = 601,
    kEyeSeparation = 602,
    kMonoStereo = 701,
    kAxisScaling = 801,
    kDataDisplay = 802,
};

constexpr int kSpecialDisplay = 5;

void switch_light(int light, int enabled, PanelSpinner* intensity_spinner) {
    set_light_enabled(light, enabled != 0);
    if (!intensity_spinner) return;
    if (enabled) {
        intensity_spinner->enable();
    } else {
        intensity_spinner->disable();
    }
}

void apply_color() {
    // A named colour goes through the spinners, which also writes color_red..blue;
    // "custom" keeps what the user typed.
    if (color_name > 0 && color_name < kColorNameCount) {
        const float* rgb = named_colors[color_name - 1];
        if (red_spinner) red_spinner->set_float_val(rgb[0]);
        if (green_spinner) green_spinner->set_float_val(rgb[1]);
        if (blue_spinner) blue_spinner->set_float_val(rgb[2]);
    }
    float* target = nullptr;
    switch (apply_color_to) {
    case 0: target = &background_color[0]; break;
    case 3: target = light1_diffuse; break;
    case 4: target = light2_diffuse; break;
    case 5:
        if (data_value >= 0 && data_value < kDataColorSlots) target = &data_colors[data_value][0];
        break;
    default: break;  // "Left" and "Right" store nothing
    }
    if (target) {
        // Alpha stays as it was. A light only sees the new colour at the next
        // change of its intensity.
        target[0] = color_red;
        target[1] = color_green;
        target[2] = color_blue;
    }
}

void browse() {
    const char* chosen = browse_for_folder("Select Directory");
    std::printf("\nfiledir= %s\n", chosen ? chosen : "(null)");
    if (!chosen) return;  // cancelled: field, list and selection stay
    const int chosen_before = chosen_listitem;
    filedir = chosen;
    if (folder_field) folder_field->set_text(chosen);
    // The listing chooses the picture's file in "Files:" if the folder holds it,
    // otherwise "Choose Model".
    refresh_file_list();
    std::printf("chosen_listitem=%d\n", chosen_before);
}

}  // namespace

void control_callback(int id) {
    if (id == kFocalLength) {
        // The eye separation follows the focal length at the last chosen ratio.
        if (focal_ratio != 0) eye_separation = focal_length / focal_ratio;
    } else if (id == kEyeSeparation) {
        // A zero separation, or a zero focal length, would make the ratio infinite
        // or zero and lock the separation; the previous ratio stays instead.
        if (eye_separation != 0 && focal_length != 0) focal_ratio = focal_length / eye_separation;
    } else if (id == kMonoStereo) {
        // The callback runs inside the main loop, so only the window part of the
        // start-up is needed: a new main window when the kind has to change.
        open_viewer_window();
    } else if (id == kLight1Enabled) {
        switch_light(0, light1_enabled, light1_intensity_spinner);
    } else if (id == kLight2Enabled) {
        switch_light(1, light2_enabled, light2_intensity_spinner);
    } else if (id == kLight1Intensity) {
        send_light_diffuse(0, light1_diffuse, light1_intensity);
    } else if (id == kLight2Intensity) {
        send_light_diffuse(1, light2_diffuse, light2_intensity);
    } else if (id == kShowMovement) {
        if (movement_glui) {
            if (show_movement_controls == 1) {
                movement_glui->show();
            } else {
                movement_glui->hide();
            }
        }
    } else if (id == kResetView) {
        reset_view();
    } else if (id == kBrowseFolder) {
        browse();
    } else if (id == kFolderOrFilter) {
        refresh_file_list();
    } else if (id == kFilesList || id == kDataFormat) {
        // Choosing a file loads it; another format reloads the chosen file in it;
        // "Choose Model" loads nothing.
        last_listitem = chosen_listitem;
        if (chosen_listitem > 0) load_chosen_file(chosen_listitem);
    } else if (id == kAxisScaling || (id == kDataDisplay && display_mode == kSpecialDisplay)) {
        // The file the picture shows, by its path, whatever the folder listed now.
        reload_shown_file();
    } else if (id == kApplyColor) {
        apply_color();
    } else if (id == kTransparency) {
        for (int i = 0; i < kColorNameCount; ++i) data_colors[i].a() = transparency;
    }
    request_redisplay();
}

void quit_callback(int id) { std::exit(id); }

void reset_view() {
    object_translation[0] = object_translation[1] = object_translation[2] = 0.0f;
    angle_x = angle_y = angle_z = 0.0f;
    scale = 1.0f;
    thickness = 0.02f;
    focal_length = 20.0f;
    focal_ratio = 20.0f;
    eye_separation = focal_length / focal_ratio;
    last_x = last_y = 0;
    if (rotate_control) rotate_control->reset();
    set_identity(view_rotation);
    request_redisplay();
}
