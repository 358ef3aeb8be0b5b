// The command line: options into settings, the format guessed from the file,
// and one line for every mistake, before any window.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/settings.h"
#include "core/view_state.h"

namespace {

ParsedCommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "zendral");
    return parse_command_line(static_cast<int>(args.size()), args.data());
}

const std::string kSamples = ZENDRAL_SOURCE_DIR "/Data/";

TEST(CommandLine, OptionsBecomeSettingsAndTheFormatIsGuessed) {
    set_start_values();
    const ParsedCommandLine none = parse({});
    apply_command_line(none.options);
    EXPECT_TRUE(none.outcome == ParsedCommandLine::kRun && stereo_mode == kMonoView);

    const std::string csv = kSamples + "hill_scans.csv";
    const ParsedCommandLine all =
        parse({"--stereo", "mono", "--mode", "filled", "--color-by", "value", "--bounds", "--view",
               "4", "--size", "640x480", "--save", "out.png", "--background", "black", "--stereo",
               "red-cyan", csv.c_str()});
    ASSERT_EQ(all.outcome, ParsedCommandLine::kRun) << all.message;
    apply_command_line(all.options);
    EXPECT_EQ(stereo_mode, kRedCyanGlasses);  // the last one given
    EXPECT_EQ(background_color.r() + background_color.g() + background_color.b(), 0.0f);
    EXPECT_EQ(display_mode, kSurfaceFilled);
    EXPECT_EQ(color_by, kColorByValue);
    EXPECT_EQ(show_bounds, 1);
    EXPECT_EQ(data_format, kColumnsFormat);
    EXPECT_EQ(all.options.view, 4);
    EXPECT_EQ(all.options.width, 640);
    EXPECT_EQ(all.options.height, 480);
    EXPECT_EQ(all.options.save, "out.png");

    // A format given wins over the guess.
    apply_command_line(parse({"--format", "maple", csv.c_str()}).options);
    EXPECT_EQ(data_format, kMapleFormat);
    set_start_values();
}

TEST(CommandLine, MistakesGiveOneLineAndHelpAndVersionExit) {
    const std::string elevation = kSamples + "elevation.dat";
    const std::pair<std::vector<const char*>, std::string> mistakes[] = {
        {{"--stereo", "3d"},
         "zendral: --stereo: expected " + NamedList(kStereoForms).words("|") + ", found \"3d\"\n"},
        {{"--view", "5"}, "zendral: --view: expected 1|2|3|4, found \"5\"\n"},
        {{"--size", "800"}, "zendral: --size: 800 is not a size WxH from 1x1 to 16384x16384\n"},
        {{"--mode"},
         "zendral: --mode: 1 required " + NamedList(kDisplayModes).words("|") + " missing\n"},
        {{"--fast"}, "zendral: The following argument was not expected: --fast\n"},
        {{"/no/such/file.dat"}, "zendral: /no/such/file.dat: no such file or folder\n"},
        {{"--save", "out.png"}, "zendral: --save: needs a FILE to draw\n"},
        {{"--size", "4294967297x10"},
         "zendral: --size: 4294967297x10 is not a size WxH from 1x1 to 16384x16384\n"},
        {{"--save", elevation.c_str(), elevation.c_str()},
         "zendral: --save: " + kSamples + "elevation.dat is the file to draw\n"},
    };
    for (const auto& [args, message] : mistakes) {
        const ParsedCommandLine parsed = parse(args);
        EXPECT_EQ(parsed.outcome, ParsedCommandLine::kError) << message;
        EXPECT_EQ(parsed.message, message);
    }
    const ParsedCommandLine help = parse({"--help"}), version = parse({"--version"});
    EXPECT_TRUE(help.outcome == ParsedCommandLine::kExit &&
                version.outcome == ParsedCommandLine::kExit);
    EXPECT_NE(help.message.find("--save OUT.png"), std::string::npos) << help.message;
    EXPECT_EQ(version.message.rfind("zendral ", 0), 0u) << version.message;
}

}  // namespace
