#include <cstring>

#include "tests/panel/panel_fixture.h"

using ChoicesTest = PanelTest;

TEST_F(ChoicesTest, CheckboxWritesZeroOrOneAndCallsBack) {
    int enabled = 1;
    PanelCheckbox* c = panel_->add_checkbox_to_panel(nullptr, "Enabled", &enabled, 200, record);
    watched_int = &enabled;
    c->user_click();
    EXPECT_EQ(enabled, 0);
    c->user_set_int(7);  // any non-zero choice ticks it
    EXPECT_EQ(enabled, 1);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].id, 200);
    EXPECT_EQ(calls[0].live, 0.0);
    EXPECT_EQ(calls[1].live, 1.0);
}

TEST_F(ChoicesTest, RadioButtonKSetsKAndSyncFollowsTheVariable) {
    int mode = 0;
    PanelRadioGroup* g = panel_->add_radiogroup_to_panel(nullptr, &mode, 802, record);
    const char* labels[] = {"Points ", "Line Sets:Joined ", "Special "};
    for (const char* l : labels) panel_->add_radiobutton_to_group(g, l);
    watched_int = &mode;

    static_cast<PanelRadioButton*>(panel_master.find_control(panel_->name().c_str(), "Special "))
        ->user_click();
    EXPECT_EQ(mode, 2);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, 802);
    EXPECT_EQ(calls[0].live, 2.0);

    g->user_set_int(3);  // there is no fourth button
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(calls.size(), 1u);

    mode = 1;
    panel_master.sync_live_all();
    EXPECT_EQ(g->get_int_val(), 1);
}

TEST_F(ChoicesTest, ListBoxAddAndDeleteKeepItemZero) {
    int chosen = 0;
    PanelListBox* l = panel_->add_listbox_to_panel(nullptr, "Files:", &chosen, 403, record);
    l->add_item(0, "Choose Model");
    l->add_item(1, "a.txt");
    l->add_item(2, "b.txt");
    // Removing the files as a refresh does: item 1, then the rest.
    EXPECT_EQ(l->delete_item(1), 1);
    EXPECT_EQ(l->delete_item(1), 0);
    EXPECT_EQ(l->delete_item(2), 1);
    ASSERT_EQ(l->items().size(), 1u);
    EXPECT_EQ(l->items()[0].id, 0);
    EXPECT_EQ(l->items()[0].text, "Choose Model");
    l->add_item(1, "c.txt");

    watched_int = &chosen;
    l->user_set_int(1);
    EXPECT_EQ(chosen, 1);
    EXPECT_STREQ(l->current_text(), "c.txt");
    l->user_set_int(5);  // not in the list: a user cannot choose it
    EXPECT_EQ(chosen, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].live, 1.0);

    // The program's set selects without a callback; the shown item follows the variable.
    l->set_int_val(0);
    EXPECT_EQ(chosen, 0);
    EXPECT_STREQ(l->current_text(), "Choose Model");
    chosen = 1;
    panel_master.sync_live_all();
    EXPECT_STREQ(l->current_text(), "c.txt");
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ChoicesTest, TextFieldKeepsItsTextAndCallsBackOnAFinishedEdit) {
    PanelTextField* t = panel_->add_edittext_to_panel(nullptr, "File filter:", PANEL_EDITTEXT_TEXT,
                                                      nullptr, 404, record);
    t->set_w(20);
    t->set_text("*.*");
    EXPECT_STREQ(t->get_text(), "*.*");
    EXPECT_TRUE(calls.empty());
    t->user_set_text("*.txt");
    EXPECT_STREQ(t->get_text(), "*.txt");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, 404);
}

TEST_F(ChoicesTest, TypingGoesOnWhateverOrderCtrlIsReleasedIn) {
    PanelTextField* t = panel_->add_edittext_to_panel(nullptr, "Folder:", PANEL_EDITTEXT_TEXT,
                                                      nullptr, 404, record);
    t->set_text("abc");
    pump();
    int x, y, w, h;
    ASSERT_TRUE(panel_->control_rect(t, &x, &y, &w, &h));
    const auto key = [this](unsigned char c, bool down, int mods) {
        panel_->user_key(c, down, mods);
        pump(3);
    };
    panel_->user_mouse(GLUT_LEFT_BUTTON, true, x + w - 10, y + h / 2);
    pump(3);
    panel_->user_mouse(GLUT_LEFT_BUTTON, false, x + w - 10, y + h / 2);
    pump(3);
    // Ctrl+A selects all; Ctrl goes up before the letter, which is released as 'a'.
    key(1, true, GLUT_ACTIVE_CTRL);
    key('a', false, 0);
    for (const char c : std::string("xy")) {
        key(c, true, 0);
        key(c, false, 0);
    }
    // The letter's release with Ctrl still held comes as the control code.
    key(1, true, GLUT_ACTIVE_CTRL);
    key(1, false, GLUT_ACTIVE_CTRL);
    key('z', true, 0);
    key('z', false, 0);
    key('\r', true, 0);
    key('\r', false, 0);
    EXPECT_STREQ(t->get_text(), "z");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().id, 404);
}

TEST_F(ChoicesTest, ButtonCallsBackWithItsId) {
    PanelButton* b = panel_->add_button("Reset View", 301, record);
    b->user_click();
    b->disable();
    b->user_click();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, 301);
}

TEST_F(ChoicesTest, FindControlTellsRepeatedLabelsApartByTheirGroup) {
    int on1 = 1, on2 = 1;
    PanelRollout* lights = panel_->add_rollout("Lights", false);
    PanelFrame* l1 = panel_->add_panel_to_panel(lights, "Light 1", PANEL_PANEL_EMBOSSED);
    PanelFrame* l2 = panel_->add_panel_to_panel(lights, "Light 2", PANEL_PANEL_EMBOSSED);
    PanelCheckbox* c1 = panel_->add_checkbox_to_panel(l1, "Enabled", &on1, 200, record);
    PanelCheckbox* c2 = panel_->add_checkbox_to_panel(l2, "Enabled", &on2, 201, record);
    const char* name = panel_->name().c_str();
    EXPECT_EQ(panel_master.find_control(name, "Enabled", "Light 1"), c1);
    EXPECT_EQ(panel_master.find_control(name, "Enabled", "Light 2"), c2);
    EXPECT_EQ(panel_master.find_control(name, "Enabled", "Lights"), c1);  // the first inside
    EXPECT_EQ(panel_master.find_control(name, "Enabled", "Light 3"), nullptr);
    EXPECT_EQ(panel_master.find_control(name, "Disabled"), nullptr);
    EXPECT_EQ(panel_master.find_control("no such window", "Enabled"), nullptr);

    // A rollout opens and closes like a click on its header, without a callback.
    EXPECT_FALSE(lights->is_open());
    lights->user_click();
    EXPECT_TRUE(lights->is_open());
    EXPECT_TRUE(calls.empty());
}

TEST_F(ChoicesTest, FindControlSearchesTheNewestWindowOfThatName) {
    int a = 0, b = 0;
    panel_->add_checkbox_to_panel(nullptr, "Show axes", &a, -1, nullptr);
    PanelWindow* newer = panel_master.create_window(panel_->name().c_str(), 0, 900, 400);
    PanelCheckbox* fresh = newer->add_checkbox_to_panel(nullptr, "Show axes", &b, -1, nullptr);
    EXPECT_EQ(panel_master.find_control(panel_->name().c_str(), "Show axes"), fresh);
}
