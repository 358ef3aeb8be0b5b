#include "core/options.h"

#include <cstring>

#include "core/settings.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const float kOpaqueWhite[4] = {1, 1, 1, 1};
const float kLight1Diffuse[4] = {0.6f, 0.6f, 1.0f, 1.0f};
const float kLight2Diffuse[4] = {0.9f, 0.6f, 0.0f, 1.0f};
const float kStartTranslation[3] = {0, -5, 0};

using T = OptionType;

// clang-format off
std::vector<Option> make_options() {
    return {
        // The command line's options, in the order of --help.
        {.name = "data_format", .type = T::choice, .global = &data_format, .start = kDataFormat, .cli = "--format",
         .choices = kDataFormats, .help = "format of FILE (guessed from its content when not given)"},
        {.name = "stereo_mode", .type = T::choice, .global = &stereo_mode, .start = kMonoView, .cli = "--stereo",
         .choices = kStereoForms, .help = "mono or stereo picture"},
        {.name = "display_mode", .type = T::choice, .global = &display_mode, .start = kJoined, .cli = "--mode",
         .choices = kDisplayModes, .help = "how the data is drawn"},
        {.name = "color_by", .type = T::choice, .global = &color_by, .start = kColorByNone, .cli = "--color-by",
         .choices = kColorByChoices, .help = "what the colours of the data show"},
        {.name = "background_color", .type = T::colour, .global = &background_color[0], .count = 4,
         .starts = kOpaqueWhite, .cli = "--background", .help = "background colour (white at start)"},
        {.name = "show_bounds", .type = T::flag, .global = &show_bounds, .cli = "--bounds",
         .help = "show the labelled bounds box"},
        {.name = "view", .type = T::start_up, .cli = "--view", .choices = kViewPresets,
         .help = "a view preset, as the keys 1 to 4 give it"},
        {.name = "save", .type = T::start_up, .cli = "--save", .value_name = "OUT.png",
         .help = "draw FILE once without a window and save it as a PNG"},
        {.name = "size", .type = T::start_up, .cli = "--size", .value_name = "WxH",
         .help = "size of the picture (default 800x600)"},
        {.name = "up_axis", .type = T::choice, .global = &up_axis, .start = kUpY, .cli = "--up", .choices = kUpAxes,
         .marks = &up_axis_chosen, .help = "the axis up the screen (z for z(x, y) tables and Maple grids; chosen by the format when not given)"},
        {.name = "aspect", .type = T::start_up, .cli = "--aspect", .value_name = "individual|uniform|height:K",
         .help = "\"Axis Scaling\": each axis fills the box, true proportions, or the up axis stretched K times"},
        {.name = "thickness", .type = T::real, .global = &thickness, .start = 0.02, .low = 0.001, .high = 10, .resets = true,
         .reset = 0.02, .cli = "--thickness", .help = "tube radius; 100x it, point size and line width (\"Thickness:\")"},
        {.name = "title", .type = T::text, .global = &title, .cli = "--title", .value_name = "TEXT",
         .help = "a title at the top of the picture"},
        {.name = "x_label", .type = T::text, .global = &axis_labels[0], .cli = "--xlabel", .value_name = "TEXT",
         .help = "the name of the x axis, units included (\"east (m)\")"},
        {.name = "y_label", .type = T::text, .global = &axis_labels[1], .cli = "--ylabel", .value_name = "TEXT",
         .help = "the name of the y axis"},
        {.name = "z_label", .type = T::text, .global = &axis_labels[2], .cli = "--zlabel", .value_name = "TEXT",
         .help = "the name of the z axis"},
        {.name = "value_label", .type = T::text, .global = &value_label, .cli = "--value-label", .value_name = "TEXT",
         .help = "the name of the values, in the legend"},
        {.name = "show_file_name", .type = T::flag, .global = &show_file_name, .start = 1, .cli = "--no-file-name",
         .cli_value = 0, .help = "no file name in the picture"},
        {.name = "columns", .type = T::text, .global = &columns, .cli = "--columns", .value_name = "X:Y:Z[:V]",
         .help = "the columns of a table that are x, y, z (and the value): numbers from 1 or header names"},
        {.name = "reload_on_change", .type = T::flag, .global = &reload_on_change, .cli = "--watch",
         .help = "read the file again whenever it changes (\"Reload on change\")"},
        {.name = "quiet", .type = T::start_up, .cli = "--quiet",
         .help = "no console lines on standard output (refusals still go to standard error)"},

        // Display, stereo and geometry.
        {.name = "swap_eyes", .type = T::flag, .global = &swap_eyes, .cli = "--swap-eyes",
         .help = "each eye's picture where the other's goes (\"Swap eyes\")"},
        {.name = "anaglyph_colours", .type = T::choice, .global = &anaglyph_colours, .start = kFilterColours,
         .cli = "--anaglyph-colours", .choices = kAnaglyphColourChoices,
         .help = "glasses' colours by filters, or by least-squares matrices that keep the data's colours (\"Least-squares colours\")"},
        {.name = "comfortable_depth", .type = T::flag, .global = &comfortable_depth, .cli = "--comfort",
         .help = "focal length and eye separation set at each load, view key and Fit view for depth within 1/30 of the width (\"Comfortable depth\")"},
        {.name = "anaglyph_saturation", .type = T::real, .global = &anaglyph_saturation, .start = 0.65},
        {.name = "axis_data", .type = T::choice, .global = &axis_data, .start = kIndividualAxes, .choices = kAxisScalings},
        {.name = "height_exaggeration", .type = T::real, .global = &height_exaggeration, .start = 1, .low = 0.001,
         .high = 1000},
        {.name = "up_axis_chosen", .type = T::flag, .global = &up_axis_chosen},
        {.name = "segments", .type = T::integer, .global = &segments, .start = 8, .low = 3, .high = 60},
        {.name = "scale", .type = T::real, .global = &scale, .start = 1, .low = -1000, .high = 1000, .resets = true, .reset = 1},
        {.name = "eye_separation", .type = T::real, .global = &eye_separation, .start = 2, .low = 0, .high = 45,
         .cli = "--eye-separation", .help = "eye separation (\"Eye Separation:\"); kept through loads"},
        {.name = "focal_length", .type = T::real, .global = &focal_length, .start = 20, .low = 0, .high = 500, .resets = true,
         .reset = 20, .cli = "--focal-length", .help = "distance of zero parallax (\"FocalLength:\")"},
        {.name = "focal_ratio", .type = T::real, .global = &focal_ratio, .start = 20, .resets = true, .reset = 20},
        {.name = "show_axes", .type = T::flag, .global = &show_axes},
        {.name = "show_movement_controls", .type = T::flag, .global = &show_movement_controls, .start = 1},
        {.name = "fast_interaction", .type = T::flag, .global = &fast_interaction, .start = 1},
        {.name = "frame_budget", .type = T::real64, .global = &frame_budget, .start = 0.05},
        {.name = "full_picture_delay", .type = T::real64, .global = &full_picture_delay, .start = 0.3},
        {.name = "show_legend", .type = T::flag, .global = &show_legend, .start = 1},

        // Colours and lights.
        {.name = "data_colors", .type = T::floats, .global = &data_colors[0][0], .count = 4 * kDataColorSlots},
        {.name = "data_color_applied", .type = T::flags, .global = data_color_applied, .count = kDataColorSlots},
        {.name = "color_name", .type = T::integer, .global = &color_name, .low = 0, .high = kColorNameCount - 1},
        {.name = "color_red", .type = T::real, .global = &color_red, .low = 0, .high = 1},
        {.name = "color_green", .type = T::real, .global = &color_green, .low = 0, .high = 1},
        {.name = "color_blue", .type = T::real, .global = &color_blue, .low = 0, .high = 1},
        {.name = "transparency", .type = T::real, .global = &transparency, .start = 1, .low = 0, .high = 1},
        {.name = "apply_color_to", .type = T::choice, .global = &apply_color_to, .start = kApplyToBackground,
         .choices = kApplyColorTargets},
        {.name = "data_value", .type = T::integer, .global = &data_value, .low = 0, .high = 9},
        {.name = "light1_enabled", .type = T::flag, .global = &light1_enabled, .start = 1},
        {.name = "light1_intensity", .type = T::real, .global = &light1_intensity, .start = 1, .low = 0, .high = 1},
        {.name = "light2_enabled", .type = T::flag, .global = &light2_enabled, .start = 1},
        {.name = "light2_intensity", .type = T::real, .global = &light2_intensity, .start = 0.4, .low = 0, .high = 1},
        {.name = "light1_diffuse", .type = T::floats, .global = light1_diffuse, .count = 4, .starts = kLight1Diffuse},
        {.name = "light2_diffuse", .type = T::floats, .global = light2_diffuse, .count = 4, .starts = kLight2Diffuse},

        // Movement: "Reset View" brings the translation to (0, 0, 0).
        {.name = "object_rotation", .type = T::floats, .global = object_rotation, .count = 16, .starts = kIdentity},
        {.name = "object_translation", .type = T::floats, .global = object_translation, .count = 3,
         .starts = kStartTranslation, .resets = true},
        {.name = "light1_rotation", .type = T::floats, .global = light1_rotation, .count = 16, .starts = kIdentity},

        // Data selection and diagnostics.
        {.name = "chosen_listitem", .type = T::integer, .global = &chosen_listitem},
        {.name = "filedir", .type = T::text, .global = &filedir},
        {.name = "file_filter", .type = T::text, .global = &file_filter, .start_text = "*.*"},
        {.name = "verbose", .type = T::flag, .global = &verbose},
    };
}
// clang-format on

// Writes `value` (or element i of `values` when given) into the setting.
void write(const Option& o, double value, const float* values, const char* text) {
    switch (o.type) {
        case T::flag:
        case T::integer:
        case T::choice:
            *static_cast<int*>(o.global) = static_cast<int>(value);
            break;
        case T::real:
            *static_cast<float*>(o.global) = static_cast<float>(value);
            break;
        case T::real64:
            *static_cast<double*>(o.global) = value;
            break;
        case T::colour:
        case T::floats:
            for (int i = 0; i < o.count; ++i)
                static_cast<float*>(o.global)[i] = values ? values[i] : static_cast<float>(value);
            break;
        case T::flags:
            for (int i = 0; i < o.count; ++i) static_cast<bool*>(o.global)[i] = value != 0;
            break;
        case T::text:
            *static_cast<std::string*>(o.global) = text;
            break;
        case T::start_up:
            break;
    }
}

}  // namespace

const std::vector<Option>& options() {
    // Made at the first call: the settings take their start values before main.
    static const std::vector<Option> table = make_options();
    return table;
}

const Option* option_of(const void* global) {
    for (const Option& o : options())
        if (o.global == global) return &o;
    return nullptr;
}

const Option* option_named(const std::string& cli) {
    for (const Option& o : options())
        if (o.cli && cli == o.cli) return &o;
    return nullptr;
}

void set_start_settings() {
    for (const Option& o : options()) write(o, o.start, o.starts, o.start_text);
}

namespace {
std::vector<std::pair<const Option*, double>>& reset_values() {
    static std::vector<std::pair<const Option*, double>> given;
    return given;
}
}  // namespace

void set_reset_value(const Option& o, double value) {
    reset_values().emplace_back(&o, value);
}

void reset_settings() {
    for (const Option& o : options()) {
        if (!o.resets) continue;
        double value = o.reset;
        for (const auto& [option, given] : reset_values())
            if (option == &o) value = given;
        write(o, value, o.resets_to, o.start_text);
    }
}
