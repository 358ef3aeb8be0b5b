// The data folder through the panel: listing with the filter, the "Files:" items,
// the folder chooser, and loading with the chosen format.

#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "core/status_line.h"
#include "data/data_set.h"
#include "tests/ui/ui_fixture.h"
#include "ui/background_load.h"

namespace {

using FolderTest = UiTest;

std::vector<std::string> item_texts() {
    std::vector<std::string> out;
    for (const auto& item : files_list->items()) out.push_back(item.text);
    return out;
}

std::vector<int> item_ids() {
    std::vector<int> out;
    for (const auto& item : files_list->items()) out.push_back(item.id);
    return out;
}

// Types a folder into "Folder:" as the user would; returns what was printed.
std::string enter_folder(const std::string& folder) {
    StdoutCapture capture;
    folder_field->user_set_text(folder.c_str());
    return capture.finish();
}

std::string enter_filter(const char* filter) {
    StdoutCapture capture;
    filter_field->user_set_text(filter);
    return capture.finish();
}

TEST_F(FolderTest, StartFolderIsListedWithoutDotNames) {
    EXPECT_EQ(start_folder(), filedir);
    EXPECT_EQ(3, file_count);
    const std::vector<std::string> expected = {"Choose Model", "a_curve.dat", "b_colors.cdat",
                                               "c_grid.mpl"};
    EXPECT_EQ(expected, item_texts());
    EXPECT_EQ(start_folder(), current_directory());
}

TEST_F(FolderTest, TwoFilesAndADotFile) {
    const std::string folder = make_temp_folder();
    // Written out of order: the list is sorted by byte order.
    write_file(folder + "/b.txt", "x");
    write_file(folder + "/a.txt", "x");
    write_file(folder + "/.hidden", "x");
    EXPECT_EQ("", enter_folder(folder));
    const std::vector<std::string> expected = {"Choose Model", "a.txt", "b.txt"};
    EXPECT_EQ(expected, item_texts());
    EXPECT_EQ((std::vector<int>{0, 1, 2}), item_ids());
    EXPECT_EQ(folder, current_directory());
}

TEST_F(FolderTest, StarDotStarMatchesNamesWithoutADot) {
    const std::string folder = make_temp_folder();
    write_file(folder + "/README", "x");
    write_file(folder + "/z.dat", "x");
    mkdir((folder + "/sub").c_str(), 0755);  // folders are listed like files
    enter_folder(folder);
    const std::vector<std::string> expected = {"Choose Model", "README", "sub", "z.dat"};
    EXPECT_EQ(expected, item_texts());
}

TEST_F(FolderTest, FilterMatchingOneFile) {
    EXPECT_EQ("", enter_filter("*.mpl"));
    const std::vector<std::string> expected = {"Choose Model", "c_grid.mpl"};
    EXPECT_EQ(expected, item_texts());
    EXPECT_EQ(1, file_count);
    EXPECT_EQ("*.mpl", file_filter);
}

TEST_F(FolderTest, NoMatchPrintsTheMessageAndLeavesChooseModel) {
    EXPECT_EQ("Invalid File Handle. Get Last Error reports 2\n", enter_filter("*.xyz"));
    EXPECT_EQ(std::vector<std::string>{"Choose Model"}, item_texts());
    EXPECT_EQ(0, file_count);
    EXPECT_EQ("Invalid File Handle. Get Last Error reports 2\n", enter_folder(make_temp_folder()));
}

TEST_F(FolderTest, AFolderThatCannotBeOpenedListsNothing) {
    const std::string missing = start_folder() + "/no such folder";
    const std::string message = "Cannot open folder " + missing + ": No such file or directory";
    EXPECT_EQ(message + "\n", enter_folder(missing));
    EXPECT_EQ(std::vector<std::string>{"Choose Model"}, item_texts());
    EXPECT_EQ(message, status_line());
    enter_folder(start_folder());
    EXPECT_EQ("", status_line()) << "a folder that lists clears it";
}

TEST_F(FolderTest, RefreshWithFewerNamesLeavesNoStaleItem) {
    control("Maple")->user_click();
    files_list->user_set_int(1);  // a_curve.dat, refused as Maple
    ASSERT_EQ(1, chosen_listitem);
    const std::string folder = make_temp_folder();
    write_file(folder + "/one.dat", kCurveData);
    enter_folder(folder);
    EXPECT_EQ((std::vector<std::string>{"Choose Model", "one.dat"}), item_texts());
    // Item 3 is gone: the choice falls back to "Choose Model", so a change of
    // format cannot load a name from the earlier folder.
    EXPECT_EQ(0, chosen_listitem);
    EXPECT_EQ(0, files_list->get_int_val());
    StdoutCapture capture;
    control("Maple")->user_click();
    control("Uniform ")->user_click();
    EXPECT_EQ("", capture.finish());
    control("Individual")->user_click();
}

TEST_F(FolderTest, FormatChangeReloadsTheSameName) {
    control("Data with Color")->user_click();  // nothing chosen yet: no load
    StdoutCapture capture;
    files_list->user_set_int(2);
    const std::string colored = capture.finish();
    EXPECT_EQ("list=2\n\nfilename = b_colors.cdat\nwidth = 1 points per set = 2\n", colored);
    EXPECT_EQ(DataSet::kColorData, data_set.kind);
    EXPECT_FLOAT_EQ(7.9f, data_set.color_value(0, 1));

    StdoutCapture again;
    control("Maple")->user_click();
    const std::string maple = again.finish();
    // The Maple reader runs on the same name (and refuses it).
    EXPECT_EQ(0u, maple.find("list=2\n\nfilename = b_colors.cdat\n")) << maple;
    EXPECT_NE(std::string::npos, maple.find("Problem with maple file")) << maple;
    EXPECT_EQ(DataSet::kColorData, data_set.kind);

    files_list->user_set_int(3);
    EXPECT_EQ(DataSet::kMaple, data_set.kind);
    EXPECT_EQ(3, data_set.width);
    EXPECT_DOUBLE_EQ(4.0, data_set.point(1, 1).z());
}

TEST_F(FolderTest, LongNamesAndManyFilesAreAllListed) {
    const std::string folder = make_temp_folder();
    const std::string long_part(120, 'n');
    for (int i = 0; i < 120; ++i) {
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%03d", i);
        write_file(folder + "/" + prefix + long_part + ".dat", "x");
    }
    enter_folder(folder);
    ASSERT_EQ(120, file_count);
    ASSERT_EQ(121u, files_list->items().size());
    EXPECT_EQ("119" + long_part + ".dat", files_list->items()[120].text);
    EXPECT_EQ(120, files_list->items()[120].id);
}

TEST_F(FolderTest, ReloadsReadTheShownFileAndAListingShowsIt) {
    const std::string a = make_temp_folder(), b = make_temp_folder();
    write_file(a + "/a1.dat", kCurveData);
    write_file(a + "/a2.dat", "1 2\n0 0 0\n1 1 1\n");
    write_file(b + "/b1.dat", kCurveData);
    write_file(b + "/b2.dat", "2 2\n0 0 0\n1 1 1\n2 2 2\n3 3 3\n");
    enter_folder(a);
    files_list->user_set_int(2);
    ASSERT_EQ("a2.dat", data_set.filename);
    enter_folder(b);
    EXPECT_EQ(0, chosen_listitem);
    EXPECT_STREQ("Choose Model", files_list->current_text());
    StdoutCapture capture;
    control("Uniform ")->user_click();
    EXPECT_EQ("list=0\n\nfilename = " + a + "/a2.dat\nwidth = 1 points per set = 2\n",
              capture.finish());
    EXPECT_EQ(1, data_set.width);
    control("Maple")->user_click();  // nothing chosen here: nothing to read again
    EXPECT_EQ(a + "/a2.dat", data_set.filename);
    control("Data ")->user_click();
    enter_folder(a);
    EXPECT_STREQ("a2.dat", files_list->current_text());
    files_list->user_set_int(1);
    EXPECT_EQ("a1.dat", data_set.filename);
    enter_folder(b);
    files_list->user_set_int(2);
    EXPECT_EQ("b2.dat", data_set.filename);
    EXPECT_EQ(2, data_set.width);
}

TEST_F(FolderTest, AChosenFolderIsListedAndARelativeOneStaysPut) {
    const std::string top = make_temp_folder();
    mkdir((top + "/sub").c_str(), 0755);
    write_file(top + "/sub/inner.dat", kCurveData);
    write_file(top + "/top.dat", kCurveData);
    enter_folder(top);
    StdoutCapture capture;
    files_list->user_set_int(1);  // "sub"
    EXPECT_EQ("", capture.finish());
    EXPECT_EQ(top + "/sub", folder_field->get_text());
    EXPECT_EQ((std::vector<std::string>{"Choose Model", "inner.dat"}), item_texts());
    for (int i = 0; i < 3; ++i) {
        enter_folder(i == 0 ? ".." : folder_field->get_text());
        enter_filter("*.*");
        EXPECT_EQ(top, folder_field->get_text());
        EXPECT_EQ(top, current_directory());
    }
}

// A stand-in for zenity, first on PATH, that prints `output` and exits with
// `status`.
class FakeChooser {
  public:
    FakeChooser(const std::string& output, int status) : saved_(std::getenv("PATH")) {
        bin_ = make_temp_folder();
        // It keeps its arguments, one after another with a bar after each.
        write_file(bin_ + "/zenity", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + bin_ + "/args'\n" +
                                         "printf '%s' '" + output + "'\nexit " +
                                         std::to_string(status) + "\n");
        chmod((bin_ + "/zenity").c_str(), 0755);
        setenv("PATH", (bin_ + ":" + saved_).c_str(), 1);
    }
    ~FakeChooser() { setenv("PATH", saved_.c_str(), 1); }
    std::string arguments() const {
        std::ifstream in(bin_ + "/args");
        std::string args;
        std::getline(in, args);
        return args;
    }

  private:
    std::string saved_;
    std::string bin_;
};

TEST_F(FolderTest, BrowseForFolderListsTheChosenFolder) {
    const std::string folder = make_temp_folder();
    write_file(folder + "/p.dat", kCurveData);
    files_list->user_set_int(1);
    FakeChooser chooser(folder + "\n", 0);
    StdoutCapture capture;
    control("Browse for folder")->user_click();
    EXPECT_EQ("\nfiledir= " + folder + "\nchosen_listitem=1\n", capture.finish());
    EXPECT_EQ("--file-selection|--directory|--title=Select Directory|", chooser.arguments());
    EXPECT_EQ(folder, folder_field->get_text());
    EXPECT_EQ((std::vector<std::string>{"Choose Model", "p.dat"}), item_texts());
    EXPECT_EQ(0, chosen_listitem);
    EXPECT_EQ(0, files_list->get_int_val());
}

TEST_F(FolderTest, CancelledBrowseChangesNothing) {
    files_list->user_set_int(2);
    FakeChooser chooser("", 1);
    StdoutCapture capture;
    control("Browse for folder")->user_click();
    EXPECT_EQ("\nfiledir= (null)\n", capture.finish());
    EXPECT_EQ(start_folder(), folder_field->get_text());
    EXPECT_EQ(4u, files_list->items().size());
    EXPECT_EQ(2, chosen_listitem);
}

TEST_F(FolderTest, MissingChooserCountsAsCancel) {
    const std::string saved = std::getenv("PATH");
    setenv("PATH", make_temp_folder().c_str(), 1);  // no zenity anywhere
    StdoutCapture capture;
    const char* chosen = browse_for_folder("Select Directory");
    const std::string out = capture.finish();
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(nullptr, chosen);
    // One line saying so.
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.size() - 1, out.find('\n')) << out;
    EXPECT_NE(std::string::npos, out.find("zenity")) << out;
}

TEST_F(FolderTest, ATableChosenAsDataIsReadAsColumnsAndAWatchedFileFollowsItsWriter) {
    const std::string folder = make_temp_folder();
    write_file(folder + "/t.csv", "x,y,z\n0,0,0\n1,1,1\n");
    enter_folder(folder);
    StdoutCapture quiet;
    files_list->user_set_int(1);  // under "Data "
    quiet.finish();
    EXPECT_EQ(kColumnsFormat, data_format);
    EXPECT_EQ(DataSet::kColumns, data_set.kind);
    EXPECT_EQ("t.csv: read as \"Columns\"", status_line());

    // Watched: each new version shown in the view as it was; one caught half
    // written keeps the last good data, until the next change.
    reload_on_change = 1;
    angle_x = 30;
    double now = 100;
    const auto rewrite = [&](const std::string& text) {
        write_file(folder + "/t.csv.new", text);
        std::rename((folder + "/t.csv.new").c_str(), (folder + "/t.csv").c_str());
        now += kWatchSeconds;
        StdoutCapture capture;
        const bool read = watch_shown_file(now);
        capture.finish();
        return read;
    };
    for (int version = 2; version <= 4; ++version) {
        std::string text = "x,y,z\n";
        for (int k = 0; k < version; ++k) text += std::to_string(k) + ",0,0\n";
        EXPECT_TRUE(rewrite(text));
        EXPECT_EQ(version, data_set.points_per_set);
        EXPECT_EQ(0u, status_line().find("t.csv: reloaded ")) << status_line();
        EXPECT_EQ(30.0f, angle_x);
    }
    now += kWatchSeconds;
    EXPECT_FALSE(watch_shown_file(now)) << "unchanged: not read again";
    EXPECT_TRUE(rewrite("x,y,z\n0,0,0\n1,1"));  // half written
    EXPECT_EQ(4, data_set.points_per_set);
    EXPECT_NE(std::string::npos, status_line().find("not loaded")) << status_line();
    reload_on_change = 0;
}

}  // namespace

namespace {

TEST_F(FolderTest, ALoadOnTheWorkerSaysWhatTheReaderSaysAndACancelledOneKeepsTheData) {
    const std::string folder = make_temp_folder();
    write_file(folder + "/a.dat", "2 2\n0 0 0\n1 0 0\n0 1 0\n1 1 1\n");
    std::string big = "3 400\n";
    for (int k = 0; k < 1200; ++k)
        big += std::to_string(k) + " 0.5 " + std::to_string(k % 7) + "\n";
    write_file(folder + "/b.dat", big);
    enter_folder(folder);
    const auto load_printing = [&](int item) {
        StdoutCapture capture;
        files_list->user_set_int(item);
        return capture.finish();
    };
    const std::string here = load_printing(1);
    background_loads = true;
    EXPECT_EQ(here, load_printing(1)) << "the same lines, in order, from the worker";
    EXPECT_EQ(nullptr, running_load()) << "a small file is waited for";
    const std::uint64_t shown = data_set.revision;

    // Esc before the first block.
    auto load = make_file_load(2, "b.dat", folder + "/b.dat", false);
    load->progress.cancel = true;
    StdoutCapture capture;
    start_file_load(std::move(load), take_load_over);
    wait_for_file_load(0.01, nullptr);
    EXPECT_EQ("\nfilename = b.dat\nFile b.dat not loaded: the load was cancelled\n",
              capture.finish());
    EXPECT_EQ(shown, data_set.revision);
    EXPECT_EQ(2, data_set.width);
    EXPECT_EQ("b.dat not loaded: the load was cancelled", status_line());
    EXPECT_EQ(folder + "/a.dat", shown_file);
    background_loads = false;
}

}  // namespace
