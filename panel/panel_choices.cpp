// Controls that choose: rollouts, radio groups and buttons, checkboxes, buttons.
#include "panel/panel.h"

void PanelRollout::open() {
    if (open_) return;
    open_ = true;
    redraw_window();  // the window refits its size on the next frame
}

void PanelRollout::close() {
    if (!open_) return;
    open_ = false;
    redraw_window();
}

void PanelRollout::user_click() {
    if (!live_enabled()) return;
    if (open_)
        close();
    else
        open();
}

void PanelIntChoice::set_int_val(int v) {
    value_ = v;
    if (live_) *live_ = v;
    redraw_window();
}

bool PanelIntChoice::sync_live() {
    if (!live_ || *live_ == value_) return false;
    value_ = *live_;
    return true;
}

void PanelIntChoice::user_choose(int v) {
    value_ = v;
    if (live_) *live_ = v;
    finish_user_edit();
}

void PanelRadioGroup::user_set_int(int v) {
    if (!live_enabled()) return;
    if (v < 0 || v >= static_cast<int>(children_.size())) return;  // no such button
    user_choose(v);
}

void PanelRadioButton::user_click() {
    if (!live_enabled() || !parent_) return;
    parent_->user_set_int(index_);
}

void PanelCheckbox::user_set_int(int v) {
    if (live_enabled()) user_choose(v != 0 ? 1 : 0);
}

void PanelCheckbox::user_click() {
    user_set_int(value_ == 0 ? 1 : 0);
}

void PanelButton::user_click() {
    if (!live_enabled()) return;
    finish_user_edit();
}
