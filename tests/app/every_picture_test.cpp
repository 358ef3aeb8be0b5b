// Every sample file and every awkward shape of grid, in every display mode and
// stereo form, drawn and saved as `zendral --save` does it: each ends with status
// 0 and a picture of the asked size.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/headless.h"
#include "app/overlay_text.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "tests/support/stdout_capture.h"

namespace {

namespace fs = std::filesystem;

// "Data" files of the grids the readers can produce: one point, one set, one point
// a set, the smallest surface, a longer one, equal points, a flat axis, extents
// near the ends of single precision.
const std::vector<std::pair<std::string, std::string>> kShapes = {
    {"one_point.dat", "1 1\n0 0 0\n"},
    {"one_set.dat", "1 5\n0 0 0\n1 1 1\n2 0 2\n3 1 3\n4 0 4\n"},
    {"one_point_a_set.dat", "5 1\n0 0 0\n1 1 1\n2 0 2\n3 1 3\n4 0 4\n"},
    {"two_by_two.dat", "2 2\n0 0 0\n1 0 1\n0 1 0\n1 1 1\n"},
    {"three_by_seven.dat",
     "3 7\n0 0 0\n1 1 0\n2 0 0\n3 1 0\n4 0 0\n5 1 0\n6 0 0\n0 0 1\n1 2 1\n2 0 1\n3 2 1\n4 0 1\n5 "
     "2 1\n6 0 1\n0 0 2\n1 3 2\n2 0 2\n3 3 2\n4 0 2\n5 3 2\n6 0 2\n"},
    {"equal_points.dat", "2 2\n3 3 3\n3 3 3\n3 3 3\n3 3 3\n"},
    {"flat.dat", "2 2\n0 5 0\n1 5 0\n0 5 1\n1 5 1\n"},
    {"huge.dat", "2 2\n-3e38 -3e38 -3e38\n3e38 0 3e38\n-3e38 3e38 0\n3e38 3e38 3e38\n"},
    {"tiny.dat", "2 2\n0 0 0\n1e-38 0 1e-40\n0 1e-38 0\n1e-38 1e-38 1e-40\n"},
};

TEST(EveryPicture, EverySampleAndShapeInEveryModeAndStereoFormIsSaved) {
    const fs::path folder =
        fs::temp_directory_path() / ("zendral-every-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::vector<fs::path> files;
    for (const auto& [name, text] : kShapes) {
        std::ofstream(folder / name) << text;
        files.push_back(folder / name);
    }
    for (const auto& entry : fs::directory_iterator(fs::path(ZENDRAL_SOURCE_DIR) / "Data"))
        files.push_back(entry.path());

    int saved = 0;
    for (const fs::path& file : files) {
        for (int mode = 0; mode < static_cast<int>(std::size(kDisplayModes)); ++mode) {
            for (int stereo = 0; stereo < static_cast<int>(std::size(kStereoForms)); ++stereo) {
                const std::string out = (folder / "picture.png").string();
                std::vector<const char*> argv = {"zendral",
                                                 "--save",
                                                 out.c_str(),
                                                 "--size",
                                                 "160x120",
                                                 "--mode",
                                                 kDisplayModes[mode].name.word,
                                                 "--stereo",
                                                 kStereoForms[stereo].name.word,
                                                 file.c_str()};
                if ((mode + stereo) % 2 == 1) argv.push_back("--bounds");
                ParsedCommandLine parsed =
                    parse_command_line(static_cast<int>(argv.size()), argv.data());
                ASSERT_EQ(parsed.outcome, ParsedCommandLine::kRun) << parsed.message;
                set_start_values();
                apply_command_line(parsed.options);
                StdoutCapture quiet;
                fs::remove(out);
                const int status = save_without_window(parsed.options);
                quiet.finish();
                Image picture;
                EXPECT_EQ(status, 0) << file << " mode " << mode << " stereo " << stereo;
                EXPECT_TRUE(read_png(out, picture) && picture.width == 160 && picture.height == 120)
                    << file << " mode " << mode << " stereo " << stereo;
                saved += status == 0;
            }
        }
    }
    EXPECT_EQ(saved,
              static_cast<int>(files.size() * std::size(kDisplayModes) * std::size(kStereoForms)));
    fs::remove_all(folder);
}

TEST(OverlayText, Utf8IsReadAsUtf8AndAGlyphTheFontLacksIsAQuestionMark) {
    use_font_file(true);
    // UTF-8 é is one character, as wide as Latin-1 é (a byte that is not UTF-8).
    EXPECT_EQ(text_width(OverlayFont::kName, "\xc3\xa9"), text_width(OverlayFont::kName, "\xe9"));
    EXPECT_EQ(text_width(OverlayFont::kName, "\xe6\x97\xa5"), text_width(OverlayFont::kName, "?"));
    use_font_file(false);
}

}  // namespace
