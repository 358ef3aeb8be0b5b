#include "app/command_line.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/picture_file.h"
#include "core/options.h"
#include "core/settings.h"
#include "data/column_choice.h"
#include "data/format_guess.h"

#ifndef ZENDRAL_VERSION
#define ZENDRAL_VERSION "unknown"
#endif

namespace {

constexpr int kLargestSide = 16384;

// The words a colour option takes: the named colours of "Color Name:".
std::string colour_words(const char* between) {
    std::string words;
    for (int k = 1; k < kColorNameCount; ++k)
        words += (k > 1 ? between : "") + std::string(color_names[k]);
    return words;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// `word` as a number within the option's limits.
bool parse_number(const Option& o, const std::string& word, double& value) {
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && std::isfinite(value) &&
           (o.low >= o.high || (value >= o.low && value <= o.high));
}

// "height:K": the scaling's word, and K as the height's stretch.
bool parse_aspect(const std::string& word, const Named*& scaling, double& height) {
    const std::size_t colon = word.find(':');
    scaling = NamedList(kAxisScalings).find_word(word.substr(0, colon));
    height = 1;
    if (!scaling || (colon != std::string::npos) != (scaling->value == kHeightAxes)) return false;
    return colon == std::string::npos ||
           parse_number(*option_of(&height_exaggeration), word.substr(colon + 1), height);
}

// Why `word` is no value of option `o`; "" when it is one.
std::string refusal(const Option& o, const std::string& word) {
    double value = 0;
    const Named* scaling = nullptr;
    ColumnChoice chosen;
    std::string why;
    if (o.global == &columns && !parse_column_choice(word, chosen, why)) return why;
    if (o.type == OptionType::integer || o.type == OptionType::real ||
        o.type == OptionType::real64) {
        if (parse_number(o, word, value)) return "";
        return "expected a number" +
               (o.low < o.high ? " from " + number(o.low) + " to " + number(o.high) : "") +
               ", found \"" + word + "\"";
    }
    if (std::string(o.name) == "aspect" && !parse_aspect(word, scaling, value)) {
        const Option& h = *option_of(&height_exaggeration);
        return "expected individual, uniform or height:K (K from " + number(h.low) + " to " +
               number(h.high) + "), found \"" + word + "\"";
    }
    if (o.type == OptionType::colour) {
        for (int k = 1; k < kColorNameCount; ++k)
            if (word == color_names[k]) return "";
        return "expected " + colour_words("|") + ", found \"" + word + "\"";
    }
    if (o.choices.size() > 0 && !o.choices.find_word(word))
        return "expected " + o.choices.words("|") + ", found \"" + word + "\"";
    return "";
}

// The command line's option of `o`, recording the word given in `given`.
void add_option(CLI::App& app, const Option& o, CommandLine& given) {
    const auto record = [&given, &o](const std::string& word) {
        given.settings.emplace_back(&o, word);
    };
    if (o.type == OptionType::flag ||
        (o.type == OptionType::start_up && !o.value_name && o.choices.size() == 0)) {
        app.add_flag_callback(
            o.cli, [record] { record(""); }, o.help);
        return;
    }
    CLI::Option* option = app.add_option_function<std::string>(o.cli, record, o.help);
    option->check(CLI::Validator([&o](std::string& word) { return refusal(o, word); }, ""));
    if (o.type == OptionType::colour)
        option->type_name(colour_words("|"));
    else if (o.choices.size() > 0)
        option->type_name(o.choices.words("|"));
    if (o.value_name) option->type_name(o.value_name);
}

// A whole number of at most five digits from 1 to 16384, from `at` to the end or to
// `stop`; no sign, no blank, so that nothing wraps round.
bool parse_side(const std::string& text, std::size_t& at, char stop, int& side) {
    side = 0;
    const std::size_t first = at;
    for (; at < text.size() && text[at] != stop; ++at) {
        if (text[at] < '0' || text[at] > '9' || at - first >= 5) return false;
        side = side * 10 + (text[at] - '0');
    }
    return at > first && side >= 1 && side <= kLargestSide;
}

bool parse_size(const std::string& text, int& width, int& height) {
    std::size_t at = 0;
    if (!parse_side(text, at, 'x', width) || at == text.size()) return false;
    ++at;
    return parse_side(text, at, '\0', height) && at == text.size();
}

// The system's reason, as the messages write it: "permission denied".
std::string reason(int error) {
    std::string text = std::strerror(error);
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

// The start-up options into `o`, out of the settings given.
void take_start_up(CommandLine& o) {
    std::vector<std::pair<const Option*, std::string>> settings;
    for (const auto& [option, word] : o.settings) {
        const std::string name = option->name;
        if (option->type != OptionType::start_up)
            settings.emplace_back(option, word);
        else if (name == "view")
            o.view = option->choices.find_word(word)->value;
        else if (name == "save")
            o.save = word;
        else if (name == "quiet")
            o.quiet = true;
        else if (name == "size" && !parse_size(word, o.width, o.height))
            throw CLI::ValidationError("--size",
                                       word + " is not a size WxH from 1x1 to 16384x16384");
    }
    o.settings = settings;
}

// Writes the word given for option `o` into its setting.
void apply(const Option& o, const std::string& word) {
    if (o.marks) *o.marks = 1;
    double value = 0;
    if (parse_number(o, word, value) && o.resets) set_reset_value(o, value);
    switch (o.type) {
        case OptionType::flag:
            *static_cast<int*>(o.global) = o.cli_value;
            break;
        case OptionType::choice:
            *static_cast<int*>(o.global) = o.choices.find_word(word)->value;
            break;
        case OptionType::colour:
            for (int k = 1; k < kColorNameCount; ++k) {
                if (word != color_names[k]) continue;
                float* rgb = static_cast<float*>(o.global);  // alpha stays
                for (int c = 0; c < 3; ++c) rgb[c] = named_colors[k - 1][c];
            }
            break;
        case OptionType::integer:
            *static_cast<int*>(o.global) = std::stoi(word);
            break;
        case OptionType::real:
            *static_cast<float*>(o.global) = std::stof(word);
            break;
        case OptionType::real64:
            *static_cast<double*>(o.global) = std::stod(word);
            break;
        case OptionType::text:
            *static_cast<std::string*>(o.global) = word;
            break;
        case OptionType::floats:
        case OptionType::flags:
        case OptionType::start_up:
            break;  // none of these is given a word
    }
}

}  // namespace

ParsedCommandLine parse_command_line(int argc, const char* const* argv) {
    ParsedCommandLine parsed;
    CommandLine& o = parsed.options;
    CLI::App app("Zendral: a viewer for three-dimensional numeric data.", "zendral");
    app.set_version_flag("--version", "zendral " ZENDRAL_VERSION);
    // An option given again takes its last value, so that a script's defaults
    // can be overridden by the options passed on.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("path", o.path, "a data file to load, or a folder to list")
        ->type_name("FILE | FOLDER");
    for (const Option& option : options())
        if (option.cli) add_option(app, option, o);
    try {
        app.parse(argc, argv);
        take_start_up(o);
        struct stat about = {};
        if (!o.path.empty() && o.path != "-" && stat(o.path.c_str(), &about) != 0) {
            throw CLI::ValidationError(o.path, errno == ENOENT || errno == ENOTDIR
                                                   ? "no such file or folder"
                                                   : reason(errno));
        }
        if (!o.save.empty() && (o.path.empty() || S_ISDIR(about.st_mode)))
            throw CLI::ValidationError("--save", "needs a FILE to draw");
        struct stat target;
        if (!o.save.empty() && o.path != "-" && stat(o.save.c_str(), &target) == 0 &&
            target.st_dev == about.st_dev && target.st_ino == about.st_ino)
            throw CLI::ValidationError("--save", o.save + " is the file to draw");
        if (!o.save.empty() && !picture_file_kind(o.save))
            throw CLI::ValidationError("--save", o.save + " is no .png, .jpg, .jpeg or .ppm");
    } catch (const CLI::CallForHelp&) {
        parsed.outcome = ParsedCommandLine::kExit;
        parsed.message = app.help();
    } catch (const CLI::CallForVersion& e) {
        parsed.outcome = ParsedCommandLine::kExit;
        parsed.message = std::string(e.what()) + "\n";
    } catch (const CLI::ParseError& e) {
        parsed.outcome = ParsedCommandLine::kError;
        parsed.message = std::string("zendral: ") + e.what();
        for (char& c : parsed.message)
            if (c == '\n') c = ' ';
        parsed.message += "\n";
    }
    return parsed;
}

void apply_command_line(const CommandLine& o) {
    bool format_given = false, separation_given = false;
    for (const auto& [option, word] : o.settings) {
        apply(*option, word);
        format_given |= option->global == &data_format;
        separation_given |= option->global == &eye_separation;
    }
    // Loads bring back the separation as the focal length over the ratio: a
    // separation given is kept by the ratio it makes (as its spinner sets it),
    // an infinite one for eyes together.
    if (separation_given && focal_length != 0) {
        focal_ratio = eye_separation != 0 ? focal_length / eye_separation : HUGE_VALF;
        set_reset_value(*option_of(&focal_ratio), focal_ratio);
    }
    struct stat about;
    const bool file =
        !o.path.empty() && stat(o.path.c_str(), &about) == 0 && !S_ISDIR(about.st_mode);
    if (!format_given && file) data_format = guess_data_format(o.path.c_str());
}

std::string option_table_markdown() {
    std::string table = "| Option | Values | Sets |\n|---|---|---|\n";
    for (const Option& o : options()) {
        if (!o.cli) continue;
        std::string values;
        if (o.type == OptionType::colour)
            values = "`" + colour_words("`, `") + "`";
        else if (o.value_name)
            values = std::string("`") + o.value_name + "`";
        else if (o.choices.size() > 0)
            values = "`" + o.choices.words("`, `") + "`";
        else if (o.low < o.high)
            values = "from " + number(o.low) + " to " + number(o.high);
        table += std::string("| `") + o.cli + "` | " + values + " | " + o.help + " |\n";
    }
    return table + "| `--help`, `--version` | | print the usage or the version and exit |\n";
}
