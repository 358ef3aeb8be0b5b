// What the panel's ids do once the user has changed a control: the stereo camera
// coupling, colours, lights, the view reset and the reloads.

#include <GL/glut.h>

#include "data/data_set.h"
#include "tests/ui/ui_fixture.h"

namespace {

using CallbackTest = UiTest;

void expect_diffuse(GLenum light, float r, float g, float b, float a) {
    glutSetWindow(main_window);
    float d[4];
    glGetLightfv(light, GL_DIFFUSE, d);
    EXPECT_NEAR(r, d[0], 1e-6);
    EXPECT_NEAR(g, d[1], 1e-6);
    EXPECT_NEAR(b, d[2], 1e-6);
    EXPECT_NEAR(a, d[3], 1e-6);
}

TEST_F(CallbackTest, FocalLengthAndEyeSeparationStayCoupled) {
    control("FocalLength:")->user_set_float(40);
    EXPECT_FLOAT_EQ(2.0f, eye_separation);
    control("Eye Separation:")->user_set_float(4);
    EXPECT_FLOAT_EQ(10.0f, focal_ratio);
    control("FocalLength:")->user_set_float(20);
    EXPECT_FLOAT_EQ(2.0f, eye_separation);
    panel_master.sync_live_all();
    EXPECT_FLOAT_EQ(2.0f, control("Eye Separation:")->get_float_val());
}

TEST_F(CallbackTest, GlassesAndSplitModesKeepTheWindowAndPrintNothing) {
    const int window = main_window;
    for (const char* label : {"Red/Blue glasses", "Anaglyph", "Red/Cyan glasses", "Side by side",
                              "MonoView ", "Cross-eyed"}) {
        StdoutCapture capture;
        control(label)->user_click();
        EXPECT_EQ("", capture.finish()) << label;
        EXPECT_EQ(window, main_window) << label;
        EXPECT_EQ(1, window_kind) << label;
    }
    EXPECT_EQ(6, stereo_mode);
    EXPECT_EQ("Mono/Stereo", control("Swap eyes")->parent()->label());
    control("Swap eyes")->user_click();
    EXPECT_EQ(1, swap_eyes);
}

TEST_F(CallbackTest, ZeroSeparationOrFocalLengthKeepsTheRatio) {
    control("Eye Separation:")->user_set_float(4);  // ratio 20 / 4 = 5
    ASSERT_FLOAT_EQ(5.0f, focal_ratio);
    control("Eye Separation:")->user_set_float(0);
    EXPECT_FLOAT_EQ(5.0f, focal_ratio);
    control("FocalLength:")->user_set_float(0);
    EXPECT_FLOAT_EQ(0.0f, eye_separation);
    control("Eye Separation:")->user_set_float(3);
    EXPECT_FLOAT_EQ(5.0f, focal_ratio);
    // The separation follows the focal length again, finite.
    control("FocalLength:")->user_set_float(30);
    EXPECT_FLOAT_EQ(6.0f, eye_separation);
}

TEST_F(CallbackTest, ApplyOrangeToTheBackground) {
    control("Color Name:")->user_set_int(9);  // "orange"
    control("Background", "Apply Color To:")->user_click();
    control("Apply Color Settings")->user_click();
    EXPECT_FLOAT_EQ(0.9f, red_spinner->get_float_val());
    EXPECT_FLOAT_EQ(0.4f, green_spinner->get_float_val());
    EXPECT_FLOAT_EQ(0.1f, blue_spinner->get_float_val());
    EXPECT_FLOAT_EQ(0.9f, background_color.r());
    EXPECT_FLOAT_EQ(0.4f, background_color.g());
    EXPECT_FLOAT_EQ(0.1f, background_color.b());
    EXPECT_FLOAT_EQ(1.0f, background_color.a());
}

TEST_F(CallbackTest, CustomColourTakesTheSpinnerValues) {
    control("red:")->user_set_float(0.25f);
    control("green:")->user_set_float(0.5f);
    control("blue:")->user_set_float(0.75f);
    control("Apply Color Settings")->user_click();
    EXPECT_FLOAT_EQ(0.25f, background_color.r());
    EXPECT_FLOAT_EQ(0.5f, background_color.g());
    EXPECT_FLOAT_EQ(0.75f, background_color.b());
}

TEST_F(CallbackTest, LeftAndRightOnlyUpdateTheSpinners) {
    for (const char* target : {"Left", "Right"}) {
        control("Color Name:")->user_set_int(3);  // "blue"
        control(target, "Apply Color To:")->user_click();
        control("Apply Color Settings")->user_click();
        EXPECT_FLOAT_EQ(0.0f, color_red) << target;
        EXPECT_FLOAT_EQ(1.0f, color_blue) << target;
        EXPECT_FLOAT_EQ(1.0f, background_color.r()) << target;
        EXPECT_FLOAT_EQ(0.6f, light1_diffuse[0]) << target;
        EXPECT_FLOAT_EQ(0.9f, light2_diffuse[0]) << target;
    }
}

TEST_F(CallbackTest, DataColourAndTransparencyFillTheTable) {
    control("Color Name:")->user_set_int(6);  // "yellow"
    control("Data Color", "Apply Color To:")->user_click();
    control(" Data Value:")->user_set_int(4);
    const float alpha_before = data_colors[4].a();
    control("Apply Color Settings")->user_click();
    EXPECT_FLOAT_EQ(1.0f, data_colors[4].r());
    EXPECT_FLOAT_EQ(1.0f, data_colors[4].g());
    EXPECT_FLOAT_EQ(0.0f, data_colors[4].b());
    EXPECT_FLOAT_EQ(alpha_before, data_colors[4].a());

    // Transparency reaches the twelve slots of the named colours, no more.
    data_colors[12].a() = 0.0f;
    control("Transparency:")->user_set_float(0.3f);
    for (int i = 0; i < 12; ++i) EXPECT_FLOAT_EQ(0.3f, data_colors[i].a()) << i;
    EXPECT_FLOAT_EQ(0.0f, data_colors[12].a());
}

TEST_F(CallbackTest, Light1ColourTakesEffectAtTheNextIntensity) {
    control("Color Name:")->user_set_int(2);  // "green"
    control("Light 1", "Apply Color To:")->user_click();
    control("Apply Color Settings")->user_click();
    EXPECT_FLOAT_EQ(1.0f, light1_diffuse[1]);
    expect_diffuse(GL_LIGHT0, 0.6f, 0.6f, 1.0f, 1.0f);  // unchanged so far
    control("Intensity:", "Light 1")->user_set_float(0.5f);
    expect_diffuse(GL_LIGHT0, 0.0f, 0.5f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(1.0f, light1_diffuse[1]);  // the base colour stays unscaled
}

TEST_F(CallbackTest, Light2StartsAtFullBaseColourUntilItsIntensityChanges) {
    expect_diffuse(GL_LIGHT1, 0.9f, 0.6f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(0.4f, light2_intensity_spinner->get_float_val());
    control("Intensity:", "Light 2")->user_set_float(0.5f);
    expect_diffuse(GL_LIGHT1, 0.45f, 0.3f, 0.0f, 1.0f);
}

TEST_F(CallbackTest, Light2EnableGreysItsIntensity) {
    control("Intensity:", "Light 2")->user_set_float(0.5f);
    control("Enabled", "Light 2")->user_click();
    EXPECT_EQ(0, light2_enabled);
    EXPECT_FALSE(light2_intensity_spinner->enabled());
    glutSetWindow(main_window);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    // A greyed spinner takes no input.
    light2_intensity_spinner->user_set_float(0.9f);
    EXPECT_FLOAT_EQ(0.5f, light2_intensity);

    control("Enabled", "Light 2")->user_click();
    EXPECT_TRUE(light2_intensity_spinner->enabled());
    glutSetWindow(main_window);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    expect_diffuse(GL_LIGHT1, 0.45f, 0.3f, 0.0f, 1.0f);  // the colour last sent

    control("Enabled", "Light 1")->user_click();
    EXPECT_FALSE(light1_intensity_spinner->enabled());
    glutSetWindow(main_window);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
}

TEST_F(CallbackTest, ResetViewRestoresTheView) {
    control("Eye Separation:")->user_set_float(2);
    control("FocalLength:")->user_set_float(35);
    object_translation[0] = 1;
    object_translation[2] = -3;
    angle_x = 10;
    angle_y = 20;
    angle_z = 30;
    view_rotation[1] = 0.5f;
    scale = 3;
    thickness = 0.5f;
    last_x = 12;
    last_y = 34;
    movement("Rotate")->user_drag(40, 10);
    ASSERT_NE(1.0f, object_rotation[0]);
    segments = 20;
    display_mode = 3;

    control("Reset View")->user_click();
    EXPECT_FLOAT_EQ(1.0f, eye_separation);
    EXPECT_FLOAT_EQ(20.0f, focal_length);
    EXPECT_FLOAT_EQ(20.0f, focal_ratio);
    for (int a = 0; a < 3; ++a) EXPECT_EQ(0.0f, object_translation[a]) << a;
    EXPECT_EQ(0.0f, angle_x);
    EXPECT_EQ(0.0f, angle_y);
    EXPECT_EQ(0.0f, angle_z);
    EXPECT_FLOAT_EQ(1.0f, scale);
    EXPECT_FLOAT_EQ(0.02f, thickness);
    EXPECT_EQ(0, last_x);
    EXPECT_EQ(0, last_y);
    for (int i = 0; i < 16; ++i) {
        const float id = (i % 5 == 0) ? 1.0f : 0.0f;
        EXPECT_EQ(id, view_rotation[i]) << i;
        EXPECT_EQ(id, object_rotation[i]) << i;
    }
    EXPECT_FALSE(rotate_control->spinning());
    // Left alone.
    EXPECT_EQ(20, segments);
    EXPECT_EQ(3, display_mode);
    // The spinners show the reset values at the next sync.
    panel_master.sync_live_all();
    EXPECT_FLOAT_EQ(1.0f, control("Eye Separation:")->get_float_val());
    EXPECT_FLOAT_EQ(20.0f, control("FocalLength:")->get_float_val());
    segments = 8;
    display_mode = 1;
}

TEST_F(CallbackTest, ChooseModelLoadsNothing) {
    StdoutCapture capture;
    files_list->user_set_int(1);  // a_curve.dat
    const std::string loaded = capture.finish();
    EXPECT_NE(std::string::npos, loaded.find("list=1\n\nfilename = a_curve.dat\n")) << loaded;
    ASSERT_EQ("a_curve.dat", data_set.filename);
    ASSERT_EQ(3, data_set.points_per_set);

    StdoutCapture again;
    files_list->user_set_int(0);
    EXPECT_EQ("", again.finish());
    EXPECT_EQ(0, last_listitem);
    EXPECT_EQ("a_curve.dat", data_set.filename);
    EXPECT_EQ(3, data_set.points_per_set);
}

TEST_F(CallbackTest, ARefusedLoadKeepsTheView) {
    files_list->user_set_int(1);  // a_curve.dat
    angle_x = 30;
    scale = 3;
    object_translation[1] = 2;
    control("Maple")->user_click();  // a_curve.dat, refused as Maple
    EXPECT_EQ("a_curve.dat", data_set.filename);
    EXPECT_EQ(kDataFormat, data_set.kind);
    EXPECT_FLOAT_EQ(30.0f, angle_x);
    EXPECT_FLOAT_EQ(3.0f, scale);
    EXPECT_FLOAT_EQ(2.0f, object_translation[1]);
    files_list->user_set_int(3);  // c_grid.mpl loads, in a view of its own
    EXPECT_EQ("c_grid.mpl", data_set.filename);
    EXPECT_FLOAT_EQ(0.0f, angle_x);
    EXPECT_FLOAT_EQ(1.0f, scale);
    EXPECT_FLOAT_EQ(0.0f, object_translation[1]);
}

TEST_F(CallbackTest, AxisScalingReloadsOnlyOnceAFileWasChosen) {
    StdoutCapture nothing;
    control("Uniform ")->user_click();
    EXPECT_EQ(1, axis_data);
    EXPECT_EQ("", nothing.finish());

    files_list->user_set_int(2);  // b_colors.cdat, read as Data
    StdoutCapture capture;
    control("Individual")->user_click();
    const std::string out = capture.finish();
    EXPECT_EQ(0u, out.find("list=2\n\nfilename = b_colors.cdat\n")) << out;
}

TEST_F(CallbackTest, SpecialReloadsAndLeavingItDoesNot) {
    files_list->user_set_int(1);
    scale = 4;  // a reload resets the view, so this shows whether one happened
    StdoutCapture capture;
    control("Special ")->user_click();
    const std::string out = capture.finish();
    EXPECT_EQ(5, display_mode);
    EXPECT_NE(std::string::npos, out.find("list=1\n\nfilename = a_curve.dat\n")) << out;
    EXPECT_FLOAT_EQ(1.0f, scale);

    scale = 4;
    StdoutCapture leaving;
    control("Surface filled ")->user_click();
    EXPECT_EQ("", leaving.finish());
    EXPECT_FLOAT_EQ(4.0f, scale);
    scale = 1;
}

}  // namespace
