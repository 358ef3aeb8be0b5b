#pragma once
// The ids of the panel controls that call back, grouped by hundreds: 0 "Quit",
// 200s lights, 300s view, 400s data file, 500s colours, 600s stereo camera, 700s
// stereo mode, 800s display options, 900s files written. The panel is built with these and the
// control callback tells them apart by these; none means no callback.

namespace control_id {
enum : int {
    none = -1,
    quit = 0,
    light1_enabled = 200,
    light2_enabled = 201,
    light1_intensity = 250,
    light2_intensity = 251,
    show_movement = 300,
    reset_view = 301,
    fit_view = 302,
    data_format = 401,
    browse_folder = 402,
    files_list = 403,
    folder_or_filter = 404,  // "Folder:" and "File filter:"
    columns = 405,           // "Columns:"
    color = 502,             // "Color Name:" and the "red:", "green:", "blue:" spinners
    apply_color = 503,
    data_value = 504,
    transparency = 505,
    focal_length = 601,
    eye_separation = 602,
    comfortable_depth = 603,
    mono_stereo = 701,
    axis_scaling = 801,
    data_display = 802,
    up_axis = 803,
    height = 804,  // "Height x" spinner
    title = 805,   // "Title:"
    save_picture = 901,
};
}  // namespace control_id
