#include "core/options.h"

#include <cstring>

#include "core/settings.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const float kOpaqueWhite[4] = {1, 1, 1, 1};
const float kLight1Diffuse[4] = {0.6f, 0.6f, 1.0f, 1.0f};
const float kLight2Diffuse[4] = {0.9f, 0.6f, 0.0f, 1.0f};
const float kStartTranslation[3] = {0, -5, 0};  // "Reset View" brings (0, 0, 0)

using T = OptionType;

// A setting of type `type` at `global`, with its start value.
Option setting(const char* name, OptionType type, void* global, double start) {
    Option o{name, type};
    o.global = global;
    o.start = start;
    return o;
}
Option of_choices(Option o, NamedList choices) {
    o.choices = choices;
    return o;
}
Option limited(Option o, double low, double high) {
    o.low = low;
    o.high = high;
    return o;
}
Option resetting(Option o, double reset) {
    o.resets = true;
    o.reset = reset;
    return o;
}
Option on_command_line(Option o, const char* cli, const char* help, NamedList choices = {},
                       const char* value_name = nullptr) {
    o.cli = cli;
    o.help = help;
    o.choices = choices;
    o.value_name = value_name;
    return o;
}
Option array(const char* name, OptionType type, void* global, int count,
             const float* starts = nullptr) {
    Option o = setting(name, type, global, 0);
    o.count = count;
    o.starts = starts;
    return o;
}

std::vector<Option> make_options() {
    Option background = array("background_color", T::colour, &background_color[0], 4, kOpaqueWhite);
    Option translation =
        array("object_translation", T::floats, object_translation, 3, kStartTranslation);
    translation.resets = true;  // to (0, 0, 0)
    Option filter = setting("file_filter", T::text, &file_filter, 0);
    filter.start_text = "*.*";
    return {
        // The command line's options, in the order of --help.
        on_command_line(setting("data_format", T::choice, &data_format, kDataFormat), "--format",
                        "format of FILE (guessed from its content when not given)", kDataFormats),
        on_command_line(setting("stereo_mode", T::choice, &stereo_mode, kMonoView), "--stereo",
                        "mono or stereo picture", kStereoForms),
        on_command_line(setting("display_mode", T::choice, &display_mode, kJoined), "--mode",
                        "how the data is drawn", kDisplayModes),
        on_command_line(setting("color_by", T::choice, &color_by, kColorByNone), "--color-by",
                        "what the colours of the data show", kColorByChoices),
        on_command_line(background, "--background", "background colour (white at start)"),
        on_command_line(setting("show_bounds", T::flag, &show_bounds, 0), "--bounds",
                        "show the labelled bounds box"),
        on_command_line(Option{"view", T::start_up}, "--view",
                        "a view preset, as the keys 1 to 4 give it", kViewPresets),
        on_command_line(Option{"save", T::start_up}, "--save",
                        "draw FILE once without a window and save it as a PNG", {}, "OUT.png"),
        on_command_line(Option{"size", T::start_up}, "--size",
                        "size of the picture (default 800x600)", {}, "WxH"),

        // Display, stereo and geometry.
        setting("swap_eyes", T::flag, &swap_eyes, 0),
        setting("anaglyph_saturation", T::real, &anaglyph_saturation, 0.65),
        of_choices(setting("axis_data", T::choice, &axis_data, kIndividualAxes), kAxisScalings),
        limited(setting("segments", T::integer, &segments, 8), 3, 60),
        resetting(limited(setting("scale", T::real, &scale, 1.0), -1000, 1000), 1.0),
        resetting(limited(setting("thickness", T::real, &thickness, 0.02), 0.001, 10), 0.02),
        limited(setting("eye_separation", T::real, &eye_separation, 2.0), 0, 45),
        resetting(limited(setting("focal_length", T::real, &focal_length, 20.0), 0, 500), 20.0),
        resetting(setting("focal_ratio", T::real, &focal_ratio, 20.0), 20.0),
        setting("show_axes", T::flag, &show_axes, 0),
        setting("show_file_name", T::flag, &show_file_name, 1),
        setting("show_movement_controls", T::flag, &show_movement_controls, 1),
        setting("fast_interaction", T::flag, &fast_interaction, 1),
        setting("frame_budget", T::real64, &frame_budget, 0.05),
        setting("full_picture_delay", T::real64, &full_picture_delay, 0.3),
        setting("show_legend", T::flag, &show_legend, 1),

        // Colours and lights.
        array("data_colors", T::floats, &data_colors[0][0], 4 * kDataColorSlots),
        array("data_color_applied", T::flags, data_color_applied, kDataColorSlots),
        limited(setting("color_name", T::integer, &color_name, 0), 0, kColorNameCount - 1),
        limited(setting("color_red", T::real, &color_red, 0), 0, 1),
        limited(setting("color_green", T::real, &color_green, 0), 0, 1),
        limited(setting("color_blue", T::real, &color_blue, 0), 0, 1),
        limited(setting("transparency", T::real, &transparency, 1), 0, 1),
        of_choices(setting("apply_color_to", T::choice, &apply_color_to, kApplyToBackground),
                   kApplyColorTargets),
        limited(setting("data_value", T::integer, &data_value, 0), 0, 9),
        setting("light1_enabled", T::flag, &light1_enabled, 1),
        limited(setting("light1_intensity", T::real, &light1_intensity, 1.0), 0, 1),
        setting("light2_enabled", T::flag, &light2_enabled, 1),
        limited(setting("light2_intensity", T::real, &light2_intensity, 0.4), 0, 1),
        array("light1_diffuse", T::floats, light1_diffuse, 4, kLight1Diffuse),
        array("light2_diffuse", T::floats, light2_diffuse, 4, kLight2Diffuse),

        // Movement.
        array("object_rotation", T::floats, object_rotation, 16, kIdentity),
        translation,
        array("light1_rotation", T::floats, light1_rotation, 16, kIdentity),

        // Data selection and diagnostics.
        setting("chosen_listitem", T::integer, &chosen_listitem, 0),
        setting("filedir", T::text, &filedir, 0),
        filter,
        setting("verbose", T::flag, &verbose, 0),
    };
}

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

void reset_settings() {
    for (const Option& o : options())
        if (o.resets) write(o, o.reset, o.resets_to, o.start_text);
}
