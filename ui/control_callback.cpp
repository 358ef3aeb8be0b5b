#include "ui/control_callback.h"

#include <cstdio>
#include <cstdlib>

#include "core/options.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "core/view_state.h"
#include "data/column_choice.h"
#include "panel/panel.h"
#include "ui/control_ids.h"
#include "ui/control_panel.h"
#include "ui/data_folder.h"
#include "ui/window_services.h"

WindowServices window_services;

namespace {

void switch_light(int light, int enabled, PanelSpinner* intensity_spinner) {
    window_services.set_light_enabled(light, enabled != 0);
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
    switch (static_cast<ApplyColorTo>(apply_color_to)) {
        case kApplyToBackground:
            target = &background_color[0];
            break;
        case kApplyToLight1:
            target = light1_diffuse;
            break;
        case kApplyToLight2:
            target = light2_diffuse;
            break;
        case kApplyToDataColor:
            if (data_value >= 0 && data_value < kDataColorSlots) {
                target = &data_colors[data_value][0];
                data_color_applied[data_value] = true;
            }
            break;
        case kApplyToLeft:
        case kApplyToRight:
            break;  // store nothing
    }
    if (target) {
        // Alpha stays as it was. A light only sees the new colour at the next
        // change of its intensity.
        target[0] = color_red;
        target[1] = color_green;
        target[2] = color_blue;
    }
}

// "Columns:" on Enter: the columns of the file shown read anew, or why not.
void choose_columns() {
    const std::string text = columns_field ? columns_field->get_text() : columns;
    ColumnChoice choice;
    std::string why;
    if (!parse_column_choice(text, choice, why)) {
        set_status_line("Columns: " + why);
        return;
    }
    columns = text;
    reload_shown_file();
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
    if (id == control_id::focal_length) {
        // The eye separation follows the focal length at the last chosen ratio.
        if (focal_ratio != 0) eye_separation = focal_length / focal_ratio;
    } else if (id == control_id::eye_separation) {
        // A zero separation, or a zero focal length, would make the ratio infinite
        // or zero and lock the separation; the previous ratio stays instead.
        if (eye_separation != 0 && focal_length != 0) focal_ratio = focal_length / eye_separation;
    } else if (id == control_id::comfortable_depth) {
        comfort_requested = comfortable_depth;  // set at the next frame, for the data as seen
    } else if (id == control_id::mono_stereo) {
        // The callback runs inside the main loop, so only the window part of the
        // start-up is needed: a new main window when the kind has to change.
        window_services.open_viewer_window();
    } else if (id == control_id::light1_enabled) {
        switch_light(0, light1_enabled, light1_intensity_spinner);
    } else if (id == control_id::light2_enabled) {
        switch_light(1, light2_enabled, light2_intensity_spinner);
    } else if (id == control_id::light1_intensity) {
        window_services.send_light_diffuse(0, light1_diffuse, light1_intensity);
    } else if (id == control_id::light2_intensity) {
        window_services.send_light_diffuse(1, light2_diffuse, light2_intensity);
    } else if (id == control_id::show_movement) {
        if (movement_glui) {
            if (show_movement_controls == 1) {
                movement_glui->show();
            } else {
                movement_glui->hide();
            }
        }
    } else if (id == control_id::reset_view) {
        reset_view();
    } else if (id == control_id::fit_view || id == control_id::height) {
        fit_requested = 1;
    } else if (id == control_id::up_axis) {
        up_axis_chosen = 1;  // kept through the loads that follow
        fit_requested = 1;
    } else if (id == control_id::title) {
        if (title_field) title = title_field->get_text();
        fit_requested = 1;
    } else if (id == control_id::browse_folder) {
        browse();
    } else if (id == control_id::folder_or_filter) {
        refresh_file_list();
    } else if (id == control_id::columns) {
        choose_columns();
    } else if (id == control_id::files_list || id == control_id::data_format) {
        // Choosing a file loads it; another format reloads the chosen file in it;
        // "Choose Model" loads nothing.
        last_listitem = chosen_listitem;
        if (chosen_listitem > 0) load_chosen_file(chosen_listitem);
    } else if (id == control_id::axis_scaling ||
               (id == control_id::data_display && display_mode == kSpecial)) {
        // The file the picture shows, by its path, whatever the folder listed now.
        reload_shown_file();
    } else if (id == control_id::apply_color) {
        apply_color();
    } else if (id == control_id::save_picture) {
        window_services.save_picture();
    } else if (id == control_id::transparency) {
        for (int i = 0; i < kColorNameCount; ++i) data_colors[i].a() = transparency;
    }
    window_services.request_redisplay();
}

void quit_callback(int id) {
    std::exit(id);
}

void reset_view() {
    // Translation, scale, thickness, focal length and ratio (core/options.cpp).
    reset_settings();
    angle_x = angle_y = angle_z = 0.0f;
    map_view = 0;
    eye_separation = focal_length / focal_ratio;
    fit_requested = 1;  // framed anew, when the box or the legend is shown
    last_x = last_y = 0;
    if (rotate_control) rotate_control->reset();
    set_identity(view_rotation);
    window_services.request_redisplay();
}
