// The common part of every control: enabling, the program-side defaults, and the
// path of a user's edit after the value is written (redraw request, callback).
#include <GL/freeglut.h>

#include "panel/panel.h"

PanelControl::PanelControl(PanelWindow* window, PanelControl* parent, std::string label, int id,
                           PanelCallback callback)
    : window_(window), parent_(parent), label_(std::move(label)), id_(id), callback_(callback) {}

PanelControl::~PanelControl() = default;

void PanelControl::enable() {
    if (enabled_) return;
    enabled_ = true;
    redraw_window();
}

void PanelControl::disable() {
    if (!enabled_) return;
    enabled_ = false;
    redraw_window();
}

bool PanelControl::live_enabled() const {
    for (const PanelControl* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return true;
}

// Controls without a value ignore these.
void PanelControl::set_int_val(int) {}
void PanelControl::set_float_val(float) {}
int PanelControl::get_int_val() const {
    return 0;
}
float PanelControl::get_float_val() const {
    return 0.0f;
}
void PanelControl::set_text(const char*) {}
const char* PanelControl::get_text() const {
    return "";
}
void PanelControl::user_set_int(int) {}
void PanelControl::user_set_float(float) {}
void PanelControl::user_click() {}
void PanelControl::user_set_text(const char*) {}
void PanelControl::user_drag(float, float) {}
bool PanelControl::sync_live() {
    return false;
}

void PanelControl::redraw_window() const {
    if (window_) window_->request_redraw();
}

void PanelControl::finish_user_edit() {
    redraw_window();
    // The redisplay request and the callback act on the main graphics window, as
    // its own input callbacks would; the caller's current window comes back after.
    const int previous = glutGetWindow();
    const int gfx = window_ ? window_->main_gfx_window() : 0;
    if (gfx > 0) {
        glutSetWindow(gfx);
        glutPostRedisplay();
    }
    if (id_ != -1 && callback_) callback_(id_);
    if (previous > 0 && glutGetWindow() != previous) glutSetWindow(previous);
}
