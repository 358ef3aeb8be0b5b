// The master object: creates panel windows, registers the main window's input
// callbacks, keeps every control in step with its live variable, and finds
// controls for programs that act as the user.
#include <GL/freeglut.h>

#include <algorithm>

#include "panel/panel.h"

PanelMaster panel_master;

PanelWindow* PanelMaster::create_window(const char* name, int flags, int x, int y) {
    auto* w = new PanelWindow(name, flags, x, y);
    windows_.push_back(w);
    return w;
}

void PanelMaster::close_window(PanelWindow* window) {
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) return;
    windows_.erase(it);
    delete window;
}

void PanelMaster::set_glutReshapeFunc(void (*f)(int, int)) {
    glutReshapeFunc(f);
}
void PanelMaster::set_glutKeyboardFunc(void (*f)(unsigned char, int, int)) {
    glutKeyboardFunc(f);
}
void PanelMaster::set_glutSpecialFunc(void (*f)(int, int, int)) {
    glutSpecialFunc(f);
}
void PanelMaster::set_glutMouseFunc(void (*f)(int, int, int, int)) {
    glutMouseFunc(f);
}
void PanelMaster::set_glutIdleFunc(void (*f)()) {
    glutIdleFunc(f);
}

void PanelMaster::get_viewport_area(int* x, int* y, int* w, int* h) {
    *x = 0;
    *y = 0;
    *w = glutGet(GLUT_WINDOW_WIDTH);
    *h = glutGet(GLUT_WINDOW_HEIGHT);
}

void PanelMaster::sync_live_all() {
    for (PanelWindow* w : windows_) {
        bool changed = false;
        for (PanelControl* c : w->controls()) changed = c->sync_live() || changed;
        if (changed) w->request_redraw();  // nothing changed: nothing is drawn
    }
}

bool PanelMaster::user_busy() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const PanelWindow* w) { return w->busy(); });
}

namespace {
bool inside_group(const PanelControl* c, const char* group) {
    for (const PanelControl* p = c->parent(); p; p = p->parent())
        if (p->label() == group) return true;
    return false;
}
}  // namespace

PanelControl* PanelMaster::find_control(const char* window_name, const char* label,
                                        const char* group) const {
    if (!window_name || !label) return nullptr;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if ((*it)->name() != window_name) continue;
        for (PanelControl* c : (*it)->controls())
            if (c->label() == label && (!group || inside_group(c, group))) return c;
        return nullptr;
    }
    return nullptr;
}
