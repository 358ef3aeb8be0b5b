#include "ui/control_panel.h"

#include <cstdio>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "core/options.h"
#include "core/settings.h"
#include "panel/panel.h"
#include "ui/control_callback.h"
#include "ui/control_ids.h"
#include "ui/data_folder.h"
#include "ui/window_services.h"

// Null until built (static storage starts at zero).
PanelWindow *control_glui, *movement_glui;
PanelRotation* rotate_control;
PanelTextField *folder_field, *filter_field, *title_field, *columns_field;
PanelListBox* files_list;
PanelSpinner *red_spinner, *green_spinner, *blue_spinner, *light1_intensity_spinner,
    *light2_intensity_spinner;

namespace {

// An int or float spinner with the limits of its setting (core/options.h,
// clamped), its speed and right alignment.
template <typename T>
PanelSpinner* add_spinner(PanelWindow* w, PanelControl* parent, const char* label, T* live, int id,
                          float speed) {
    constexpr bool kInt = std::is_same_v<T, int>;
    PanelSpinner* s =
        w->add_spinner_to_panel(parent, label, kInt ? PANEL_SPINNER_INT : PANEL_SPINNER_FLOAT, live,
                                id, id < 0 ? nullptr : control_callback);
    const Option* setting = option_of(live);
    if constexpr (kInt)
        s->set_int_limits(static_cast<int>(setting->low), static_cast<int>(setting->high),
                          PANEL_LIMIT_CLAMP);
    else
        s->set_float_limits(static_cast<float>(setting->low), static_cast<float>(setting->high),
                            PANEL_LIMIT_CLAMP);
    s->set_speed(speed);
    s->set_alignment(PANEL_ALIGN_RIGHT);
    return s;
}

// A radio group of the labels of a choice (core/choices.h): button k sets value k.
PanelRadioGroup* add_radio_group(PanelWindow* w, PanelControl* parent, int* live, int id,
                                 const NamedList& choices) {
    PanelRadioGroup* group =
        w->add_radiogroup_to_panel(parent, live, id, id < 0 ? nullptr : control_callback);
    for (std::size_t k = 0; k < choices.size(); ++k)
        w->add_radiobutton_to_group(group, choices.find(static_cast<int>(k))->label);
    return group;
}

void build_object_properties(PanelWindow* w) {
    PanelRollout* props = w->add_rollout("Object Properties", false);
    add_spinner(w, props, "Segments:", &segments, control_id::none, 1.0f);
    add_spinner(w, props, "Scale:", &scale, control_id::none, 0.05f);
    add_spinner(w, props, "Thickness:", &thickness, control_id::none, 0.05f);
}

void build_display_options(PanelWindow* w) {
    PanelRollout* display = w->add_rollout("Display Options", false);
    PanelRollout* stereo = w->add_rollout_to_panel(display, "Mono/Stereo", false);
    add_radio_group(w, stereo, &stereo_mode, control_id::mono_stereo, kStereoForms);
    w->add_checkbox_to_panel(stereo, "Swap eyes", &swap_eyes, control_id::none, nullptr);
    w->add_checkbox_to_panel(stereo, "Least-squares colours", &anaglyph_colours, control_id::none,
                             nullptr);
    w->add_checkbox_to_panel(stereo, "Comfortable depth", &comfortable_depth,
                             control_id::comfortable_depth, control_callback);
    PanelRollout* axis = w->add_rollout_to_panel(display, "Axis Scaling", false);
    add_radio_group(w, axis, &axis_data, control_id::axis_scaling, kAxisScalings);
    add_spinner(w, axis, "Height factor:", &height_exaggeration, control_id::height, 0.05f);
    PanelRollout* modes = w->add_rollout_to_panel(display, "Data Display", false);
    add_radio_group(w, modes, &display_mode, control_id::data_display, kDisplayModes);
    add_spinner(w, display, "Eye Separation:", &eye_separation, control_id::eye_separation, 0.05f);
    add_spinner(w, display, "FocalLength:", &focal_length, control_id::focal_length, 0.05f);
    w->add_checkbox_to_panel(display, "Show axes", &show_axes, control_id::none, nullptr);
    w->add_checkbox_to_panel(display, "Show file name", &show_file_name, control_id::none, nullptr);
    w->add_checkbox_to_panel(display, "Show movement controls", &show_movement_controls,
                             control_id::show_movement, control_callback);
    w->add_checkbox_to_panel(display, "Fast interaction", &fast_interaction, control_id::none,
                             nullptr);
    w->add_checkbox_to_panel(display, "Show bounds", &show_bounds, control_id::none, nullptr);
    w->add_checkbox_to_panel(display, "Show legend", &show_legend, control_id::none, nullptr);
    PanelRollout* up = w->add_rollout_to_panel(display, "Up axis", false);
    add_radio_group(w, up, &up_axis, control_id::up_axis, kUpAxes);
    title_field = w->add_edittext_to_panel(display, "Title:", PANEL_EDITTEXT_TEXT, nullptr,
                                           control_id::title, control_callback);
    title_field->set_text(title.c_str());
}

void build_colors(PanelWindow* w) {
    PanelRollout* colors = w->add_rollout("Colors", false);
    PanelListBox* names = w->add_listbox_to_panel(colors, "Color Name:", &color_name,
                                                  control_id::color, control_callback);
    // The same loop that offers the names fills the data colour table from them
    // (alpha untouched); the remaining slots are cleared.
    for (int i = 0; i < kColorNameCount; ++i) {
        names->add_item(i, color_names[i]);
        if (i < kColorNameCount - 1) {
            for (int c = 0; c < 3; ++c) data_colors[i][c] = named_colors[i][c];
        }
    }
    for (int i = kColorNameCount - 1; i < kDataColorSlots; ++i) data_colors[i] = Color4(0.0f);

    PanelRollout* rgb = w->add_rollout_to_panel(colors, "rgb", false);
    red_spinner = add_spinner(w, rgb, "red:", &color_red, control_id::color, 0.001f);
    red_spinner->set_float_val(1.0f);
    green_spinner = add_spinner(w, rgb, "green:", &color_green, control_id::color, 0.001f);
    green_spinner->set_float_val(1.0f);
    blue_spinner = add_spinner(w, rgb, "blue:", &color_blue, control_id::color, 0.001f);
    blue_spinner->set_float_val(1.0f);
    add_spinner(w, colors, "Transparency:", &transparency, control_id::transparency, 0.05f)
        ->set_float_val(1.0f);

    PanelRollout* apply = w->add_rollout_to_panel(colors, "Apply Color To:", true);
    add_radio_group(w, apply, &apply_color_to, control_id::none, kApplyColorTargets);
    PanelListBox* values = w->add_listbox_to_panel(apply, " Data Value:", &data_value,
                                                   control_id::data_value, control_callback);
    for (int k = 0; k < 10; ++k) values->add_item(k, std::to_string(k).c_str());
    w->add_button_to_panel(colors, "Apply Color Settings", control_id::apply_color,
                           control_callback);
    PanelListBox* color_by_list =
        w->add_listbox_to_panel(colors, "Color by", &color_by, control_id::none, nullptr);
    for (const ColorByChoice& c : kColorByChoices)
        color_by_list->add_item(c.name.value, c.name.label);
}

void build_lights(PanelWindow* w) {
    PanelRollout* lights = w->add_rollout("Lights", false);
    PanelFrame* light1 = w->add_panel_to_panel(lights, "Light 1", PANEL_PANEL_EMBOSSED);
    PanelFrame* light2 = w->add_panel_to_panel(lights, "Light 2", PANEL_PANEL_EMBOSSED);
    w->add_checkbox_to_panel(light1, "Enabled", &light1_enabled, control_id::light1_enabled,
                             control_callback);
    // Intensity spinners keep the panel's default speed and alignment.
    light1_intensity_spinner =
        w->add_spinner_to_panel(light1, "Intensity:", PANEL_SPINNER_FLOAT, &light1_intensity,
                                control_id::light1_intensity, control_callback);
    light1_intensity_spinner->set_float_limits(0.0f, 1.0f, PANEL_LIMIT_CLAMP);  // as its setting
    w->add_checkbox_to_panel(light2, "Enabled", &light2_enabled, control_id::light2_enabled,
                             control_callback);
    light2_intensity_spinner =
        w->add_spinner_to_panel(light2, "Intensity:", PANEL_SPINNER_FLOAT, &light2_intensity,
                                control_id::light2_intensity, control_callback);
    light2_intensity_spinner->set_float_limits(0.0f, 1.0f, PANEL_LIMIT_CLAMP);
}

void build_data_file(PanelWindow* w) {
    PanelRollout* file = w->add_rollout("Specify Data File", true);
    // Created before the rollout's contents, so it stands below the rollout.
    w->add_statictext("");
    w->add_button_to_panel(file, "Browse for folder", control_id::browse_folder, control_callback);
    folder_field = w->add_edittext_to_panel(file, "Folder:", PANEL_EDITTEXT_TEXT, nullptr,
                                            control_id::folder_or_filter, control_callback);
    folder_field->set_w(20);
    // The start folder: the one named at start, or Data in the current directory
    // ("/" itself ends in a slash; an unreadable current directory leaves the
    // relative name).
    std::string start = current_directory();
    if (!start.empty() && start.back() != '/') start += '/';
    folder_field->set_text(start_folder.empty() ? (start + "Data").c_str() : start_folder.c_str());
    start_folder.clear();
    filter_field = w->add_edittext_to_panel(file, "File filter:", PANEL_EDITTEXT_TEXT, nullptr,
                                            control_id::folder_or_filter, control_callback);
    filter_field->set_text(file_filter.c_str());
    PanelRollout* format = w->add_rollout_to_panel(file, "Data Format", true);
    add_radio_group(w, format, &data_format, control_id::data_format, kDataFormats);
    columns_field = w->add_edittext_to_panel(format, "Columns:", PANEL_EDITTEXT_TEXT, nullptr,
                                             control_id::columns, control_callback);
    columns_field->set_text(columns.c_str());
    files_list = w->add_listbox_to_panel(file, "Files:", &chosen_listitem, control_id::files_list,
                                         control_callback);
    files_list->add_item(0, "Choose Model");
    files_list->set_w(50);
    w->add_checkbox_to_panel(file, "Reload on change", &reload_on_change, control_id::none,
                             nullptr);
    refresh_file_list();
}

void build_movement_controls() {
    movement_glui = panel_master.create_window("Movement Controls", 0, 50, 650);
    movement_glui->set_main_gfx_window(window_services.main_window());
    PanelWindow* w = movement_glui;
    rotate_control = w->add_rotation("Rotate", object_rotation, control_id::none, nullptr);
    rotate_control->set_spin(1.0f);
    w->add_column(false);
    w->add_translation("Objects XY", PANEL_TRANSLATION_XY, &object_translation[0], control_id::none,
                       nullptr)
        ->set_speed(0.005f);
    w->add_column(false);
    w->add_translation("Objects X", PANEL_TRANSLATION_X, &object_translation[0], control_id::none,
                       nullptr)
        ->set_speed(0.005f);
    w->add_column(false);
    w->add_translation("Objects Y", PANEL_TRANSLATION_Y, &object_translation[1], control_id::none,
                       nullptr)
        ->set_speed(0.005f);
    w->add_column(false);
    w->add_translation("Objects Z", PANEL_TRANSLATION_Z, &object_translation[2], control_id::none,
                       nullptr)
        ->set_speed(0.005f);
    w->add_column(false);
    w->add_rotation("Light 1", light1_rotation, control_id::none, nullptr)->set_spin(0.82f);
}

}  // namespace

void build_control_panel() {
    std::printf("GLUI version: %3.2f\n", panel_master.get_version());

    control_glui = panel_master.create_window("Control Display", 0, 860, 50);
    build_object_properties(control_glui);
    build_display_options(control_glui);
    build_colors(control_glui);
    build_lights(control_glui);
    build_data_file(control_glui);
    control_glui->add_statictext("");
    control_glui->add_button("Reset View", control_id::reset_view, control_callback);
    control_glui->add_button("Quit", control_id::quit, quit_callback);
    control_glui->add_button("Save picture", control_id::save_picture, control_callback);
    control_glui->add_button("Fit view", control_id::fit_view, control_callback);
    control_glui->set_main_gfx_window(window_services.main_window());

    build_movement_controls();
}
