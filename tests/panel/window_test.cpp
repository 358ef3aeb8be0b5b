#include "tests/panel/panel_fixture.h"

namespace {
int window_height(const PanelWindow* w) {
    const int previous = glutGetWindow();
    glutSetWindow(w->glut_window_id());
    const int h = glutGet(GLUT_WINDOW_HEIGHT);
    glutSetWindow(previous);
    return h;
}

void pump_for(int ms) {
    for (int k = 0; k < ms / 5; ++k) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Brings the window to the top (a covered window is not drawn), then pumps until
// it has drawn more than `after` frames and then stayed still for a while.
void settle(const PanelWindow* w, int after = 0) {
    const int previous = glutGetWindow();
    glutSetWindow(w->glut_window_id());
    glutPopWindow();
    glutSetWindow(previous);
    for (int i = 0; i < 60 && w->frames_drawn() <= after; ++i) pump_for(50);
    int frames = -1;
    for (int i = 0; i < 60 && frames != w->frames_drawn(); ++i) {
        frames = w->frames_drawn();
        pump_for(100);
    }
}
}  // namespace

using WindowTest = PanelTest;

TEST_F(WindowTest, CreatingAWindowLeavesTheCallersWindowCurrent) {
    EXPECT_EQ(glutGetWindow(), window_);
    PanelWindow* w = panel_master.create_window("Second Panel", 0, 50, 650);
    EXPECT_EQ(glutGetWindow(), window_);
    EXPECT_NE(w->glut_window_id(), window_);
    EXPECT_GT(w->glut_window_id(), 0);
    EXPECT_EQ(w->name(), "Second Panel");
}

TEST_F(WindowTest, WindowFitsItsContentsAsARolloutOpensAndCloses) {
    float a = 0.0f, b = 0.0f, c = 0.0f;
    PanelRollout* r = panel_->add_rollout("Object Properties", false);
    panel_->add_spinner_to_panel(r, "Segments:", PANEL_SPINNER_FLOAT, &a, -1, nullptr);
    panel_->add_spinner_to_panel(r, "Scale:", PANEL_SPINNER_FLOAT, &b, -1, nullptr);
    panel_->add_spinner_to_panel(r, "Thickness:", PANEL_SPINNER_FLOAT, &c, -1, nullptr);
    panel_->add_button("Quit", 0, nullptr);
    settle(panel_);
    const int closed = window_height(panel_);
    int x, y, w, h;
    EXPECT_FALSE(panel_->control_rect(panel_master.find_control(panel_->name().c_str(), "Scale:"),
                                      &x, &y, &w, &h));

    r->open();
    settle(panel_, panel_->frames_drawn());
    const int open = window_height(panel_);
    EXPECT_GT(open, closed + 40);
    ASSERT_TRUE(panel_->control_rect(panel_master.find_control(panel_->name().c_str(), "Scale:"),
                                     &x, &y, &w, &h));
    EXPECT_LT(y + h, open);  // drawn inside the window

    r->close();
    settle(panel_, panel_->frames_drawn());
    EXPECT_EQ(window_height(panel_), closed);
}

TEST_F(WindowTest, SyncRedrawsAWindowOnlyWhenAVariableChanged) {
    int ticked = 0;
    panel_->add_checkbox_to_panel(nullptr, "Show axes", &ticked, -1, nullptr);
    settle(panel_);
    const int frames = panel_->frames_drawn();
    ASSERT_GT(frames, 0);
    for (int i = 0; i < 5; ++i) panel_master.sync_live_all();
    pump_for(300);
    EXPECT_EQ(panel_->frames_drawn(), frames);  // at rest: not a frame more

    ticked = 1;
    panel_master.sync_live_all();
    settle(panel_, frames);
    EXPECT_GT(panel_->frames_drawn(), frames);
}

TEST_F(WindowTest, HiddenWindowComesBackWhenShown) {
    panel_->add_statictext("");
    panel_->hide();
    EXPECT_FALSE(panel_->visible());
    EXPECT_EQ(glutGetWindow(), window_);
    panel_->show();
    EXPECT_TRUE(panel_->visible());
    EXPECT_EQ(glutGetWindow(), window_);
}

TEST_F(WindowTest, VersionIsThatOfTheInterfaceFollowed) {
    EXPECT_FLOAT_EQ(panel_master.get_version(), 2.01f);
}
