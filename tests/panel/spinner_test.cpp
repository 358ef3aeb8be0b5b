#include <cmath>

#include "tests/panel/panel_fixture.h"

using SpinnerTest = PanelTest;

TEST_F(SpinnerTest, IntSpinnerClampsAtBothLimits) {
    int segments = 8;
    PanelSpinner* s =
        panel_->add_spinner_to_panel(nullptr, "Segments:", PANEL_SPINNER_INT, &segments, 7, record);
    s->set_int_limits(3, 60, PANEL_LIMIT_CLAMP);
    watched_int = &segments;

    s->user_set_int(100);
    EXPECT_EQ(segments, 60);
    EXPECT_EQ(s->get_int_val(), 60);
    s->user_set_int(-5);
    EXPECT_EQ(segments, 3);
    s->user_set_int(17);
    EXPECT_EQ(segments, 17);
    // The program's own sets are clamped too, and call nobody.
    const size_t edits = calls.size();
    s->set_int_val(61);
    EXPECT_EQ(segments, 60);
    EXPECT_EQ(calls.size(), edits);
}

TEST_F(SpinnerTest, FloatSpinnerClampsAtBothLimits) {
    float thickness = 0.02f;
    PanelSpinner* s = panel_->add_spinner_to_panel(nullptr, "Thickness:", PANEL_SPINNER_FLOAT,
                                                   &thickness, -1, nullptr);
    s->set_float_limits(0.001f, 10.0f, PANEL_LIMIT_CLAMP);
    s->user_set_float(12.5f);
    EXPECT_FLOAT_EQ(thickness, 10.0f);
    s->user_set_float(-3.0f);
    EXPECT_FLOAT_EQ(thickness, 0.001f);
    s->user_set_float(0.5f);
    EXPECT_FLOAT_EQ(thickness, 0.5f);
    EXPECT_FLOAT_EQ(s->get_float_val(), 0.5f);
    // A typed "nan" is no number: the value stays.
    s->user_set_float(std::nanf(""));
    EXPECT_FLOAT_EQ(thickness, 0.5f);
}

TEST_F(SpinnerTest, ValueIsWrittenBeforeTheCallbackRuns) {
    float focal = 20.0f;
    PanelSpinner* s = panel_->add_spinner_to_panel(nullptr, "FocalLength:", PANEL_SPINNER_FLOAT,
                                                   &focal, 601, record);
    s->set_float_limits(0.0f, 500.0f, PANEL_LIMIT_CLAMP);
    watched_float = &focal;
    s->user_set_float(40.0f);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, 601);
    EXPECT_DOUBLE_EQ(calls[0].live, 40.0);
    // The callback runs with the main graphics window current, and the caller's
    // current window comes back afterwards.
    EXPECT_EQ(calls[0].current_window, window_);
    // A clamped edit hands the clamped value to the callback.
    s->user_set_float(900.0f);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_DOUBLE_EQ(calls[1].live, 500.0);
}

TEST_F(SpinnerTest, IdMinusOneNeverCallsBack) {
    float scale = 1.0f;
    int ticked = 0;
    PanelSpinner* s =
        panel_->add_spinner_to_panel(nullptr, "Scale:", PANEL_SPINNER_FLOAT, &scale, -1, record);
    PanelCheckbox* c = panel_->add_checkbox_to_panel(nullptr, "Show axes", &ticked, -1, record);
    s->user_set_float(2.0f);
    c->user_click();
    EXPECT_FLOAT_EQ(scale, 2.0f);
    EXPECT_EQ(ticked, 1);
    EXPECT_TRUE(calls.empty());
}

TEST_F(SpinnerTest, DisabledSpinnerIgnoresEdits) {
    float intensity = 0.4f;
    PanelSpinner* s = panel_->add_spinner_to_panel(nullptr, "Intensity:", PANEL_SPINNER_FLOAT,
                                                   &intensity, 251, record);
    s->set_float_limits(0.0f, 1.0f, PANEL_LIMIT_CLAMP);
    s->disable();
    s->user_set_float(0.9f);
    s->user_set_int(1);
    EXPECT_FLOAT_EQ(intensity, 0.4f);
    EXPECT_TRUE(calls.empty());
    // The program may still set it; a disabled control only refuses the user.
    s->set_float_val(0.3f);
    EXPECT_FLOAT_EQ(intensity, 0.3f);
    s->enable();
    s->user_set_float(0.9f);
    EXPECT_FLOAT_EQ(intensity, 0.9f);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(SpinnerTest, ControlsInsideADisabledGroupIgnoreEdits) {
    float intensity = 1.0f;
    PanelFrame* frame = panel_->add_panel_to_panel(nullptr, "Light 1", PANEL_PANEL_EMBOSSED);
    PanelSpinner* s = panel_->add_spinner_to_panel(frame, "Intensity:", PANEL_SPINNER_FLOAT,
                                                   &intensity, 250, record);
    frame->disable();
    EXPECT_TRUE(s->enabled());
    EXPECT_FALSE(s->live_enabled());
    s->user_set_float(0.5f);
    EXPECT_FLOAT_EQ(intensity, 1.0f);
}

TEST_F(SpinnerTest, SyncShowsAProgramChangeAndClampsIt) {
    float scale = 1.0f;
    int segments = 8;
    PanelSpinner* fs =
        panel_->add_spinner_to_panel(nullptr, "Scale:", PANEL_SPINNER_FLOAT, &scale, -1, nullptr);
    fs->set_float_limits(-1000.0f, 1000.0f, PANEL_LIMIT_CLAMP);
    PanelSpinner* is =
        panel_->add_spinner_to_panel(nullptr, "Segments:", PANEL_SPINNER_INT, &segments, 5, record);
    is->set_int_limits(3, 60, PANEL_LIMIT_CLAMP);

    scale = 1.2f;  // as the keys change it
    EXPECT_FLOAT_EQ(fs->get_float_val(), 1.0f);
    panel_master.sync_live_all();
    EXPECT_FLOAT_EQ(fs->get_float_val(), 1.2f);

    segments = 99;  // out of range: the control clamps and writes back
    panel_master.sync_live_all();
    EXPECT_EQ(is->get_int_val(), 60);
    EXPECT_EQ(segments, 60);
    EXPECT_TRUE(calls.empty());  // syncing is no user edit
    // Nothing changed: nothing to show.
    EXPECT_FALSE(fs->sync_live());
    scale = std::nanf("");
    EXPECT_TRUE(fs->sync_live());
    EXPECT_FALSE(fs->sync_live());  // NaN stays NaN, without a change every turn
}

TEST_F(SpinnerTest, WrapLimitsGoRoundToTheOtherEnd) {
    int v = 5;
    PanelSpinner* s =
        panel_->add_spinner_to_panel(nullptr, "Wrap:", PANEL_SPINNER_INT, &v, -1, nullptr);
    s->set_int_limits(0, 9, PANEL_LIMIT_WRAP);
    s->user_set_int(10);
    EXPECT_EQ(v, 0);
    s->user_set_int(-1);
    EXPECT_EQ(v, 9);
}

TEST_F(SpinnerTest, StepIsTheSpeedButAtMostAHundredthOfTheRange) {
    float a = 0.0f, b = 0.0f;
    PanelSpinner* red =
        panel_->add_spinner_to_panel(nullptr, "red:", PANEL_SPINNER_FLOAT, &a, 502, nullptr);
    red->set_float_limits(0.0f, 1.0f, PANEL_LIMIT_CLAMP);
    red->set_speed(0.001f);
    EXPECT_NEAR(red->step(), 0.001, 1e-9);
    PanelSpinner* light =
        panel_->add_spinner_to_panel(nullptr, "Intensity:", PANEL_SPINNER_FLOAT, &b, 250, nullptr);
    light->set_float_limits(0.0f, 1.0f, PANEL_LIMIT_CLAMP);  // default speed 1
    EXPECT_NEAR(light->step(), 0.01, 1e-9);
}
