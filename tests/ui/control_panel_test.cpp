// The two panel windows as built: order, labels, ids, bindings, limits and start
// values, checked through the panel as a user would use it.

#include <utility>
#include <vector>

#include "tests/ui/ui_fixture.h"

namespace {

using PanelTest = UiTest;

TEST_F(PanelTest, BuildPrintsTheVersionAndBindsBothWindowsToThePicture) {
    // The start folder holds files, so the listing prints nothing.
    EXPECT_EQ("GLUI version: 2.01\n", build_output);
    EXPECT_EQ("Control Display", control_glui->name());
    EXPECT_EQ("Movement Controls", movement_glui->name());
    EXPECT_EQ(main_window, control_glui->main_gfx_window());
    EXPECT_EQ(main_window, movement_glui->main_gfx_window());
}

TEST_F(PanelTest, ControlDisplayHoldsEveryControlInCreationOrder) {
    // Radio groups carry no label of their own; their buttons follow them.
    using Row = std::pair<std::string, int>;
    std::vector<Row> expected;
    const auto add = [&](std::initializer_list<Row> rows) {
        expected.insert(expected.end(), rows);
    };
    // A radio group's buttons: these labels, then those its choice has gained since.
    const auto buttons = [&](std::initializer_list<const char*> given, const NamedList& choice) {
        for (const char* label : given) expected.emplace_back(label, -1);
        for (std::size_t v = given.size(); v < choice.size(); ++v)
            expected.emplace_back(choice.find(static_cast<int>(v))->label, -1);
    };
    add({{"Object Properties", -1},
         {"Segments:", -1},
         {"Scale:", -1},
         {"Thickness:", -1},
         {"Display Options", -1},
         {"Mono/Stereo", -1},
         {"", 701}});
    buttons({"MonoView ", "Anaglyph", "StereoView", "Red/Blue glasses", "Red/Cyan glasses",
             "Side by side", "Cross-eyed"},
            kStereoForms);
    add({{"Swap eyes", -1},
         {"Least-squares colours", -1},
         {"Comfortable depth", 603},
         {"Axis Scaling", -1},
         {"", 801}});
    buttons({"Individual", "Uniform "}, kAxisScalings);
    add({{"Height factor:", 804}, {"Data Display", -1}, {"", 802}});
    buttons({"Points ", "Line Sets:Joined ", "Line Sets:Needled ", "Surface grid ",
             "Surface filled ", "Special "},
            kDisplayModes);
    add({{"Eye Separation:", 602},
         {"FocalLength:", 601},
         {"Show axes", -1},
         {"Show file name", -1},
         {"Show movement controls", 300},
         {"Fast interaction", -1},
         {"Show bounds", -1},
         {"Show legend", -1},
         {"Up axis", -1},
         {"", 803},
         {"y", -1},
         {"z", -1},
         {"Title:", 805},
         {"Colors", -1},
         {"Color Name:", 502},
         {"rgb", -1},
         {"red:", 502},
         {"green:", 502},
         {"blue:", 502},
         {"Transparency:", 505},
         {"Apply Color To:", -1},
         {"", -1},
         {"Background", -1},
         {"Left", -1},
         {"Right", -1},
         {"Light 1", -1},
         {"Light 2", -1},
         {"Data Color", -1},
         {" Data Value:", 504},
         {"Apply Color Settings", 503},
         {"Color by", -1},
         {"Lights", -1},
         {"Light 1", -1},
         {"Light 2", -1},
         {"Enabled", 200},
         {"Intensity:", 250},
         {"Enabled", 201},
         {"Intensity:", 251},
         {"Specify Data File", -1},
         {"", -1},
         {"Browse for folder", 402},
         {"Folder:", 404},
         {"File filter:", 404},
         {"Data Format", -1},
         {"", 401}});
    buttons({"Data ", "Maple", "Data with Color", "Columns"}, kDataFormats);
    add({{"Columns:", 405}});
    add({{"Files:", 403},
         {"Reload on change", -1},
         {"", -1},
         {"Reset View", 301},
         {"Quit", 0},
         {"Save picture", 901},
         {"Fit view", 302}});
    std::vector<std::pair<std::string, int>> built;
    for (const PanelControl* c : control_glui->controls()) built.emplace_back(c->label(), c->id());
    EXPECT_EQ(expected, built);
}

TEST_F(PanelTest, MovementControlsMoveTheirOwnVariables) {
    std::vector<std::string> labels;
    for (const PanelControl* c : movement_glui->controls()) {
        if (!c->label().empty()) labels.push_back(c->label());  // column breaks have none
        EXPECT_EQ(-1, c->id()) << c->label();
    }
    EXPECT_EQ((std::vector<std::string>{"Rotate", "Objects XY", "Objects X", "Objects Y",
                                        "Objects Z", "Light 1"}),
              labels);
    EXPECT_FLOAT_EQ(1.0f, rotate_control->spin());
    EXPECT_FLOAT_EQ(0.82f, static_cast<PanelRotation*>(movement("Light 1"))->spin());

    // Speed 0.005 per pixel; Y and Z follow an upward drag.
    struct Case {
        const char* label;
        float dx, dy;
        float expected[3];
    };
    const Case cases[] = {{"Objects XY", 100, 40, {0.5f, 0.2f, 0}},
                          {"Objects X", 100, 0, {0.5f, 0, 0}},
                          {"Objects Y", 0, 100, {0, 0.5f, 0}},
                          {"Objects Z", 0, 100, {0, 0, 0.5f}}};
    for (const Case& c : cases) {
        object_translation[0] = object_translation[1] = object_translation[2] = 0;
        panel_master.sync_live_all();
        movement(c.label)->user_drag(c.dx, c.dy);
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(c.expected[a], object_translation[a], 1e-5) << c.label << " axis " << a;
        }
    }

    movement("Light 1")->user_drag(30, 0);
    EXPECT_NE(1.0f, light1_rotation[0]);
    EXPECT_EQ(1.0f, object_rotation[0]);
    movement("Rotate")->user_drag(30, 0);
    EXPECT_NE(1.0f, object_rotation[0]);
    rotate_control->reset();
    static_cast<PanelRotation*>(movement("Light 1"))->reset();
}

TEST_F(PanelTest, SpinnersHaveTheirLimitsSpeedsAndAlignment) {
    struct Case {
        const char* label;
        const char* group;
        double low, high;
        float speed;  // 0: the panel's default
    };
    const Case cases[] = {
        {"Segments:", nullptr, 3, 60, 1.0f},       {"Scale:", nullptr, -1000, 1000, 0.05f},
        {"Thickness:", nullptr, 0.001, 10, 0.05f}, {"Eye Separation:", nullptr, 0, 45, 0.05f},
        {"FocalLength:", nullptr, 0, 500, 0.05f},  {"red:", nullptr, 0, 1, 0.001f},
        {"green:", nullptr, 0, 1, 0.001f},         {"blue:", nullptr, 0, 1, 0.001f},
        {"Transparency:", nullptr, 0, 1, 0.05f},   {"Intensity:", "Light 1", 0, 1, 0},
        {"Intensity:", "Light 2", 0, 1, 0}};
    const float default_speed = light1_intensity_spinner->speed();
    for (const Case& c : cases) {
        auto* s = static_cast<PanelSpinner*>(control(c.label, c.group));
        EXPECT_EQ(PANEL_LIMIT_CLAMP, s->limit_type()) << c.label;
        EXPECT_NEAR(c.low, s->low(), 1e-6) << c.label;
        EXPECT_NEAR(c.high, s->high(), 1e-6) << c.label;
        EXPECT_FLOAT_EQ(c.speed ? c.speed : default_speed, s->speed()) << c.label;
        EXPECT_EQ(c.speed != 0, s->alignment() == PANEL_ALIGN_RIGHT) << c.label;
    }
    EXPECT_TRUE(static_cast<PanelSpinner*>(control("Segments:"))->is_int());
    EXPECT_EQ(20, folder_field->width_request());
    EXPECT_EQ(50, files_list->width_request());

    // Through the user's path: 100 leaves 60, 2 leaves 3.
    control("Segments:")->user_set_int(100);
    EXPECT_EQ(60, segments);
    control("Segments:")->user_set_int(2);
    EXPECT_EQ(3, segments);
    control("Segments:")->user_set_int(8);
}

TEST_F(PanelTest, StartValuesListsAndTheDataColourTable) {
    // The colour spinners and transparency read 1.0 as soon as the panel exists.
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(1.0f, built_spinners[i]) << i;
    // Slot i holds the named colour i + 1 with alpha 0; slots 11 to 49 are empty.
    const Color4* c = built_data_colors;
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(named_colors[i][0], c[i].r()) << i;
        EXPECT_EQ(named_colors[i][1], c[i].g()) << i;
        EXPECT_EQ(named_colors[i][2], c[i].b()) << i;
        EXPECT_EQ(0.0f, c[i].a()) << i;
    }
    for (int i = 11; i < kDataColorSlots; ++i) {
        EXPECT_EQ(0.0f, c[i].r() + c[i].g() + c[i].b() + c[i].a()) << i;
    }
    EXPECT_EQ(start_folder(), folder_field->get_text());
    EXPECT_STREQ("*.*", filter_field->get_text());

    const auto& names = static_cast<PanelListBox*>(control("Color Name:"))->items();
    ASSERT_EQ(12u, names.size());
    EXPECT_EQ("custom", names[0].text);
    EXPECT_EQ("orange", names[9].text);
    EXPECT_EQ(11, names[11].id);
    const auto& values = static_cast<PanelListBox*>(control(" Data Value:"))->items();
    ASSERT_EQ(10u, values.size());
    EXPECT_EQ("9", values[9].text);
    EXPECT_EQ(9, values[9].id);
}

TEST_F(PanelTest, ShowMovementControlsHidesAndShowsTheWindow) {
    control("Show movement controls")->user_click();
    EXPECT_EQ(0, show_movement_controls);
    EXPECT_FALSE(movement_glui->visible());
    control("Show movement controls")->user_click();
    EXPECT_TRUE(movement_glui->visible());
}

TEST_F(PanelTest, QuitEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(control("Quit")->user_click(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
