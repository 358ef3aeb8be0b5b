// Text controls: one-line text fields (the text stays in the control) and list boxes.
#include "panel/panel.h"

void PanelTextField::set_text(const char* text) {
    text_ = text ? text : "";
    redraw_window();
}

void PanelTextField::user_set_text(const char* text) {
    if (!live_enabled()) return;
    text_ = text ? text : "";
    finish_user_edit();
}

void PanelListBox::add_item(int item_id, const char* text) {
    items_.push_back({item_id, text ? text : ""});
    redraw_window();
}

int PanelListBox::delete_item(int item_id) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (it->id == item_id) {
            items_.erase(it);
            redraw_window();
            return 1;
        }
    }
    return 0;
}

const char* PanelListBox::current_text() const {
    for (const Item& item : items_)
        if (item.id == value_) return item.text.c_str();
    return "";
}

void PanelListBox::user_set_int(int item_id) {
    if (!live_enabled()) return;
    bool found = false;
    for (const Item& item : items_) found = found || item.id == item_id;
    if (found) user_choose(item_id);  // a user can only choose an item that is there
}
