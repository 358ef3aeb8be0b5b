// The two panel windows as built: order, labels, ids, bindings, limits and start
// values, checked through the panel as a user would use it.

#include <utility>
#include <vector>

#include "tests/ui/ui_fixture.h"

namespace {

using PanelTest = UiTest;

std::vector<std::pair<std::string, int>> labels_and_ids(const PanelWindow* w) {
    std::vector<std::pair<std::string, int>> out;
    for (const PanelControl* c : w->controls()) out.emplace_back(c->label(), c->id());
    return out;
}

TEST_F(PanelTest, PrintsTheVersionLineFirst) {
    // The listing of the start folder finds files, so nothing else is printed.
    EXPECT_EQ("GLUI version: 2.01\n", build_output);
}

TEST_F(PanelTest, WindowsStandAtTheirPlacesBoundToThePicture) {
    ASSERT_NE(nullptr, control_glui);
    ASSERT_NE(nullptr, movement_glui);
    EXPECT_EQ("Control Display", control_glui->name());
    EXPECT_EQ("Movement Controls", movement_glui->name());
    EXPECT_EQ(main_window, control_glui->main_gfx_window());
    EXPECT_EQ(main_window, movement_glui->main_gfx_window());
    EXPECT_TRUE(control_glui->visible());
    EXPECT_TRUE(movement_glui->visible());
}

TEST_F(PanelTest, ControlDisplayHoldsEveryControlInCreationOrder) {
    // Radio groups carry no label of their own; their buttons follow them.
    const std::vector<std::pair<std::string, int>> expected = {
        {"Object Properties", -1}, {"Segments:", -1}, {"Scale:", -1}, {"Thickness:", -1},
        {"Display Options", -1}, {"Mono/Stereo", -1}, {"", 701}, {"MonoView ", -1},
        {"Anaglyph", -1}, {"StereoView", -1}, {"Axis Scaling", -1}, {"", 801},
        {"Individual", -1}, {"Uniform ", -1}, {"Data Display", -1}, {"", 802},
        {"Points ", -1}, {"Line Sets:Joined ", -1}, {"Line Sets:Needled ", -1},
        {"Surface grid ", -1}, {"Surface filled ", -1}, {"Special ", -1},
        {"Eye Separation:", 602}, {"FocalLength:", 601}, {"Show axes", -1},
        {"Show file name", -1}, {"Show movement controls", 300}, {"Colors", -1},
        {"Color Name:", 502}, {"rgb", -1}, {"red:", 502}, {"green:", 502}, {"blue:", 502},
        {"Transparency:", 505}, {"Apply Color To:", -1}, {"", -1}, {"Background", -1},
        {"Left", -1}, {"Right", -1}, {"Light 1", -1}, {"Light 2", -1}, {"Data Color", -1},
        {" Data Value:", 504}, {"Apply Color Settings", 503}, {"Lights", -1}, {"Light 1", -1},
        {"Light 2", -1}, {"Enabled", 200}, {"Intensity:", 250}, {"Enabled", 201},
        {"Intensity:", 251}, {"Specify Data File", -1}, {"", -1}, {"Browse for folder", 402},
        {"Folder:", 404}, {"File filter:", 404}, {"Data Format", -1}, {"", 401}, {"Data ", -1},
        {"Maple", -1}, {"Data with Color", -1}, {"Files:", 403}, {"", -1}, {"Reset View", 301},
        {"Quit", 0}};
    EXPECT_EQ(expected, labels_and_ids(control_glui));
}

TEST_F(PanelTest, MovementControlsHoldSixControlsInOneRow) {
    std::vector<std::string> labels;
    for (const PanelControl* c : movement_glui->controls()) {
        if (!c->label().empty()) labels.push_back(c->label());
        EXPECT_EQ(-1, c->id()) << c->label();
    }
    const std::vector<std::string> expected = {"Rotate",    "Objects XY", "Objects X",
                                               "Objects Y", "Objects Z",  "Light 1"};
    EXPECT_EQ(expected, labels);
    EXPECT_EQ(rotate_control, movement("Rotate"));
    EXPECT_FLOAT_EQ(1.0f, rotate_control->spin());
    EXPECT_FLOAT_EQ(0.82f, static_cast<PanelRotation*>(movement("Light 1"))->spin());
}

TEST_F(PanelTest, TranslationsMoveTheirOwnAxes) {
    struct Case {
        const char* label;
        float dx, dy;
        float expected[3];
    };
    // Speed 0.005 per pixel; Y and Z follow an upward drag.
    const Case cases[] = {{"Objects XY", 100, 40, {0.5f, 0.2f, 0}},
                          {"Objects X", 100, 0, {0.5f, 0, 0}},
                          {"Objects Y", 0, 100, {0, 0.5f, 0}},
                          {"Objects Z", 0, 100, {0, 0, 0.5f}}};
    for (const Case& c : cases) {
        object_translation[0] = object_translation[1] = object_translation[2] = 0;
        panel_master.sync_live_all();
        PanelControl* t = movement(c.label);
        ASSERT_NE(nullptr, t);
        EXPECT_FLOAT_EQ(0.005f, static_cast<PanelTranslation*>(t)->speed()) << c.label;
        t->user_drag(c.dx, c.dy);
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(c.expected[a], object_translation[a], 1e-5) << c.label << " axis " << a;
        }
    }
}

TEST_F(PanelTest, RotateBallTurnsTheObjectAndLightBallTheLight) {
    set_identity(object_rotation);
    set_identity(light1_rotation);
    panel_master.sync_live_all();
    movement("Light 1")->user_drag(30, 0);
    EXPECT_NE(1.0f, light1_rotation[0]);
    EXPECT_EQ(1.0f, object_rotation[0]);
    rotate_control->reset();
    movement("Rotate")->user_drag(30, 0);
    EXPECT_NE(1.0f, object_rotation[0]);
    rotate_control->reset();
    set_identity(light1_rotation);
    panel_master.sync_live_all();
}

TEST_F(PanelTest, SpinnersClampToTheirLimits) {
    struct Case {
        const char* label;
        float entered, kept;
        const float* setting;
    };
    const Case floats[] = {{"Scale:", 2000, 1000, &scale},
                           {"Scale:", -2000, -1000, &scale},
                           {"Thickness:", 0, 0.001f, &thickness},
                           {"Thickness:", 11, 10, &thickness},
                           {"Eye Separation:", 50, 45, &eye_separation},
                           {"FocalLength:", -1, 0, &focal_length},
                           {"FocalLength:", 600, 500, &focal_length},
                           {"red:", 2, 1, &color_red},
                           {"Transparency:", -1, 0, &transparency}};
    for (const Case& c : floats) {
        control(c.label)->user_set_float(c.entered);
        EXPECT_FLOAT_EQ(c.kept, *c.setting) << c.label << " " << c.entered;
    }
    control("Intensity:", "Light 1")->user_set_float(3);
    EXPECT_FLOAT_EQ(1.0f, light1_intensity);
    control("Intensity:", "Light 2")->user_set_float(-3);
    EXPECT_FLOAT_EQ(0.0f, light2_intensity);

    control("Segments:")->user_set_int(100);
    EXPECT_EQ(60, segments);
    control("Segments:")->user_set_int(2);
    EXPECT_EQ(3, segments);
    control("Segments:")->user_set_int(8);
    scale = 1.0f;
    thickness = 0.02f;
    transparency = 1.0f;
    control("red:")->set_float_val(1.0f);
    panel_master.sync_live_all();
}

TEST_F(PanelTest, SpinnerSpeedsAndAlignment) {
    struct Case {
        const char* label;
        float speed;
    };
    const Case right_aligned[] = {{"Segments:", 1.0f},     {"Scale:", 0.05f},
                                  {"Thickness:", 0.05f},   {"Eye Separation:", 0.05f},
                                  {"FocalLength:", 0.05f}, {"red:", 0.001f},
                                  {"green:", 0.001f},      {"blue:", 0.001f},
                                  {"Transparency:", 0.05f}};
    for (const Case& c : right_aligned) {
        auto* s = static_cast<PanelSpinner*>(control(c.label));
        EXPECT_FLOAT_EQ(c.speed, s->speed()) << c.label;
        EXPECT_EQ(PANEL_ALIGN_RIGHT, s->alignment()) << c.label;
    }
    EXPECT_TRUE(static_cast<PanelSpinner*>(control("Segments:"))->is_int());
    // The intensity spinners keep the panel's own defaults.
    EXPECT_NE(PANEL_ALIGN_RIGHT, light1_intensity_spinner->alignment());
    EXPECT_NE(PANEL_ALIGN_RIGHT, light2_intensity_spinner->alignment());
    EXPECT_EQ(20, folder_field->width_request());
    EXPECT_EQ(50, files_list->width_request());
}

TEST_F(PanelTest, StartValuesAndTheDataColourTable) {
    // The colour spinners and transparency read 1.0 as soon as the panel exists.
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(1.0f, built_spinners[i]) << i;
    // Slot i holds the named colour i + 1, alpha 0; slots 11 to 49 are empty.
    const Color4* c = built_data_colors;
    for (int i = 0; i < 11; ++i) {
        EXPECT_FLOAT_EQ(named_colors[i][0], c[i].r()) << i;
        EXPECT_FLOAT_EQ(named_colors[i][1], c[i].g()) << i;
        EXPECT_FLOAT_EQ(named_colors[i][2], c[i].b()) << i;
        EXPECT_FLOAT_EQ(0.0f, c[i].a()) << i;
    }
    EXPECT_FLOAT_EQ(0.9f, c[8].r());  // orange
    EXPECT_FLOAT_EQ(0.1f, c[8].b());
    for (int i = 11; i < kDataColorSlots; ++i) {
        EXPECT_EQ(0.0f, c[i].r() + c[i].g() + c[i].b() + c[i].a()) << i;
    }
    EXPECT_EQ(start_folder(), folder_field->get_text());
    EXPECT_STREQ("*.*", filter_field->get_text());
}

TEST_F(PanelTest, ListBoxesOfferTheirItems) {
    const auto& names = static_cast<PanelListBox*>(control("Color Name:"))->items();
    ASSERT_EQ(12u, names.size());
    EXPECT_EQ("custom", names[0].text);
    EXPECT_EQ("orange", names[9].text);
    EXPECT_EQ(11, names[11].id);
    const auto& values = static_cast<PanelListBox*>(control(" Data Value:"))->items();
    ASSERT_EQ(10u, values.size());
    EXPECT_EQ("9", values[9].text);
    const auto& files = files_list->items();
    ASSERT_EQ(4u, files.size());
    EXPECT_EQ("Choose Model", files[0].text);
    EXPECT_EQ("a_curve.dat", files[1].text);
    EXPECT_EQ("c_grid.mpl", files[3].text);
}

TEST_F(PanelTest, ShowMovementControlsHidesAndShowsTheWindow) {
    control("Show movement controls")->user_click();
    EXPECT_EQ(0, show_movement_controls);
    EXPECT_FALSE(movement_glui->visible());
    control("Show movement controls")->user_click();
    EXPECT_TRUE(movement_glui->visible());
}

TEST_F(PanelTest, ControlsWithoutIdOnlyWriteTheirSetting) {
    // "Show axes" has no callback: ticking it changes the flag and nothing else.
    StdoutCapture capture;
    const float separation = eye_separation;
    control("Show axes")->user_click();
    EXPECT_EQ(1, show_axes);
    control("Show axes")->user_click();
    EXPECT_EQ(0, show_axes);
    EXPECT_EQ(separation, eye_separation);
    EXPECT_EQ("", capture.finish());
}

TEST_F(PanelTest, QuitEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(control("Quit")->user_click(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
