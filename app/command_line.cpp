#include "app/command_line.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "data/format_hints.h"

#ifndef ZENDRAL_VERSION
#define ZENDRAL_VERSION "unknown"
#endif

namespace {

constexpr int kLargestSide = 16384;

// The words of an option and the setting values they stand for, in the order shown.
using Names = std::vector<std::pair<std::string, int>>;

// An option whose word stands for a named setting value.
void add_choice(CLI::App& app, const char* name, int& value, const Names& names, const char* help) {
    std::string words;
    for (const auto& [word, number] : names) words += (words.empty() ? "" : "|") + word;
    const auto number_of = [names](const std::string& word) {
        for (const auto& [w, number] : names)
            if (w == word) return number;
        return -1;
    };
    app.add_option_function<std::string>(
           name, [&value, number_of](const std::string& word) { value = number_of(word); }, help)
        ->check(CLI::Validator(
            [number_of, words](std::string& word) {
                return number_of(word) < 0 ? "expected " + words + ", found \"" + word + "\""
                                           : std::string();
            },
            ""))
        ->type_name(words);
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
    add_choice(app, "--format", o.format,
               {{"data", kDataFormat},
                {"color", kColorDataFormat},
                {"maple", kMapleFormat},
                {"columns", kColumnsFormat}},
               "format of FILE (guessed from its content when not given)");
    add_choice(app, "--stereo", o.stereo,
               {{"mono", kMonoView},
                {"anaglyph", kAnaglyph},
                {"quad", kStereoView},
                {"red-blue", kRedBlueGlasses},
                {"red-cyan", kRedCyanGlasses},
                {"side-by-side", kSideBySide},
                {"cross-eyed", kCrossEyed}},
               "mono or stereo picture");
    add_choice(app, "--mode", o.mode,
               {{"points", kPoints},
                {"joined", kJoined},
                {"needled", kNeedled},
                {"grid", kSurfaceGrid},
                {"filled", kSurfaceFilled},
                {"special", kSpecial}},
               "how the data is drawn");
    add_choice(app, "--color-by", o.color_by,
               {{"none", kColorByNone},
                {"x", kColorByX},
                {"y", kColorByY},
                {"z", kColorByZ},
                {"value", kColorByValue}},
               "what the colours of the data show");
    Names colours;
    for (int k = 1; k < kColorNameCount; ++k) colours.emplace_back(color_names[k], k);
    add_choice(app, "--background", o.background, colours, "background colour (white at start)");
    app.add_flag("--bounds", o.bounds, "show the labelled bounds box");
    add_choice(app, "--view", o.view, {{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}},
               "a view preset, as the keys 1 to 4 give it");
    app.add_option("--save", o.save, "draw FILE once without a window and save it as a PNG")
        ->type_name("OUT.png");
    std::string size;
    app.add_option("--size", size, "size of the picture (default 800x600)")->type_name("WxH");
    try {
        app.parse(argc, argv);
        if (!size.empty() && !parse_size(size, o.width, o.height))
            throw CLI::ValidationError("--size",
                                       size + " is not a size WxH from 1x1 to 16384x16384");
        struct stat about;
        if (!o.path.empty() && stat(o.path.c_str(), &about) != 0) {
            throw CLI::ValidationError(o.path, errno == ENOENT || errno == ENOTDIR
                                                   ? "no such file or folder"
                                                   : reason(errno));
        }
        if (!o.save.empty() && (o.path.empty() || S_ISDIR(about.st_mode)))
            throw CLI::ValidationError("--save", "needs a FILE to draw");
        struct stat target;
        if (!o.save.empty() && stat(o.save.c_str(), &target) == 0 &&
            target.st_dev == about.st_dev && target.st_ino == about.st_ino)
            throw CLI::ValidationError("--save", o.save + " is the file to draw");
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
    if (o.stereo >= 0) stereo_mode = o.stereo;
    if (o.mode >= 0) display_mode = o.mode;
    if (o.color_by >= 0) color_by = o.color_by;
    if (o.bounds) show_bounds = 1;
    if (o.background > 0) {
        const float* rgb = named_colors[o.background - 1];
        background_color = Color4(rgb[0], rgb[1], rgb[2], background_color.a());
    }
    struct stat about;
    const bool file =
        !o.path.empty() && stat(o.path.c_str(), &about) == 0 && !S_ISDIR(about.st_mode);
    if (o.format >= 0)
        data_format = o.format;
    else if (file)
        data_format = guess_data_format(o.path.c_str());
}
