#include "tests/support/headless_load.h"

#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "app/headless.h"
#include "app/input.h"
#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"
#include "tests/support/stdout_capture.h"
#include "ui/data_folder.h"

Image picture_of(const std::filesystem::path& file, std::vector<const char*> args, int width,
                 int height) {
    args.insert(args.begin(), "zendral");
    args.push_back(file.c_str());
    const ParsedCommandLine parsed = parse_command_line(static_cast<int>(args.size()), args.data());
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::kRun) << parsed.message;
    set_start_values();
    apply_command_line(parsed.options);
    std::string why;
    EXPECT_TRUE(begin_headless_picture(width, height, why)) << why;
    StdoutCapture quiet;
    filedir = file.parent_path().string();
    refresh_file_list();
    choose_file(file.filename().string());
    quiet.finish();
    EXPECT_GT(data_set.point_count(), 0u) << file;
    if (parsed.options.view > 0) set_view_preset(parsed.options.view);
    return draw_headless_picture();
}
