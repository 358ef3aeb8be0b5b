// A panel window: its own top-level GLUT window, the add_... calls that build its
// controls, and showing and hiding it.
#include <GL/freeglut.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include "panel/panel.h"
#include "panel/panel_window_impl.h"
#include "panel/trackball.h"

namespace {
// A first size; the first frame refits the window to its contents.
constexpr int kFirstWidth = 200, kFirstHeight = 100;
// Frame interval while a ball spins or a button is held: about 60 a second.
constexpr int kTickMs = 16;
}  // namespace

PanelWindow::PanelWindow(const char* name, int /*flags*/, int x, int y)
    : impl_(new Impl), name_(name ? name : "") {
    impl_->owner = this;
    // The caller goes on with its own window afterwards, and its later windows
    // keep the position, size and mode it set up for them.
    const int previous = glutGetWindow();
    const int mode = glutGet(GLUT_INIT_DISPLAY_MODE);
    const int init_x = glutGet(GLUT_INIT_WINDOW_X), init_y = glutGet(GLUT_INIT_WINDOW_Y);
    const int init_w = glutGet(GLUT_INIT_WINDOW_WIDTH), init_h = glutGet(GLUT_INIT_WINDOW_HEIGHT);

    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowPosition(x, y);
    glutInitWindowSize(kFirstWidth, kFirstHeight);
    glut_window_ = glutCreateWindow(name_.c_str());
    impl_->asked_width = kFirstWidth;
    impl_->asked_height = kFirstHeight;
    Impl::install_callbacks();
    impl_->setup_context();

    glutInitDisplayMode(static_cast<unsigned>(mode));
    glutInitWindowPosition(init_x, init_y);
    glutInitWindowSize(init_w, init_h);
    if (previous > 0) glutSetWindow(previous);
}

PanelWindow::~PanelWindow() {
    if (glut_window_ > 0) {
        const int previous = glutGetWindow();
        glutSetWindow(glut_window_);  // the font texture belongs to this window's context
        ImGuiContext* before = ImGui::GetCurrentContext();
        ImGui::SetCurrentContext(impl_->context);
        ImGui_ImplOpenGL2_Shutdown();
        ImGui::DestroyContext(impl_->context);
        ImGui::SetCurrentContext(before == impl_->context ? nullptr : before);
        glutDestroyWindow(glut_window_);
        if (previous > 0 && previous != glut_window_) glutSetWindow(previous);
    }
    for (PanelControl* c : top_)
        if (dynamic_cast<PanelColumn*>(c)) delete c;  // the only ones not in all_
    for (PanelControl* c : all_) delete c;
    delete impl_;
}

template <class T>
T* PanelWindow::adopt(T* control, PanelControl* parent) {
    if (parent)
        parent->children_.push_back(control);
    else
        top_.push_back(control);
    all_.push_back(control);
    request_redraw();
    return control;
}

template <class T>
T* PanelWindow::bind(T* control, int* live, PanelControl* parent) {
    control->live_ = live;
    if (live) control->value_ = *live;
    return adopt(control, parent);
}

PanelRollout* PanelWindow::add_rollout(const char* name, bool open) {
    return add_rollout_to_panel(nullptr, name, open);
}

PanelRollout* PanelWindow::add_rollout_to_panel(PanelControl* parent, const char* name, bool open) {
    auto* r = new PanelRollout(this, parent, name ? name : "", -1, nullptr);
    r->open_ = open;
    return adopt(r, parent);
}

PanelFrame* PanelWindow::add_panel_to_panel(PanelControl* parent, const char* name, int type) {
    auto* f = new PanelFrame(this, parent, name ? name : "", -1, nullptr);
    f->type_ = type;
    return adopt(f, parent);
}

PanelRadioGroup* PanelWindow::add_radiogroup_to_panel(PanelControl* parent, int* live, int id,
                                                      PanelCallback cb) {
    return bind(new PanelRadioGroup(this, parent, "", id, cb), live, parent);
}

PanelRadioButton* PanelWindow::add_radiobutton_to_group(PanelRadioGroup* group, const char* label) {
    auto* b = new PanelRadioButton(this, group, label ? label : "", -1, nullptr);
    b->index_ = group ? static_cast<int>(group->children().size()) : 0;
    return adopt(b, group);
}

PanelCheckbox* PanelWindow::add_checkbox_to_panel(PanelControl* parent, const char* label,
                                                  int* live, int id, PanelCallback cb) {
    return bind(new PanelCheckbox(this, parent, label ? label : "", id, cb), live, parent);
}

PanelSpinner* PanelWindow::add_spinner_to_panel(PanelControl* parent, const char* label, int type,
                                                void* live, int id, PanelCallback cb) {
    auto* s = new PanelSpinner(this, parent, label ? label : "", id, cb);
    s->type_ = type == PANEL_SPINNER_INT ? PANEL_SPINNER_INT : PANEL_SPINNER_FLOAT;
    s->live_ = live;
    if (live)
        s->value_ =
            s->is_int() ? double(*static_cast<int*>(live)) : double(*static_cast<float*>(live));
    return adopt(s, parent);
}

PanelListBox* PanelWindow::add_listbox_to_panel(PanelControl* parent, const char* label, int* live,
                                                int id, PanelCallback cb) {
    return bind(new PanelListBox(this, parent, label ? label : "", id, cb), live, parent);
}

PanelButton* PanelWindow::add_button_to_panel(PanelControl* parent, const char* label, int id,
                                              PanelCallback cb) {
    return adopt(new PanelButton(this, parent, label ? label : "", id, cb), parent);
}

PanelButton* PanelWindow::add_button(const char* label, int id, PanelCallback cb) {
    return add_button_to_panel(nullptr, label, id, cb);
}

PanelTextField* PanelWindow::add_edittext_to_panel(PanelControl* parent, const char* label,
                                                   int /*type*/, void* /*live*/, int id,
                                                   PanelCallback cb) {
    return adopt(new PanelTextField(this, parent, label ? label : "", id, cb), parent);
}

PanelStaticText* PanelWindow::add_statictext(const char* text) {
    return adopt(new PanelStaticText(this, nullptr, text ? text : "", -1, nullptr), nullptr);
}

PanelRotation* PanelWindow::add_rotation(const char* label, float* live, int id, PanelCallback cb) {
    auto* r = new PanelRotation(this, nullptr, label ? label : "", id, cb);
    r->live_ = live;
    r->reset();  // a new ball is at rest: its live matrix becomes the identity
    return adopt(r, nullptr);
}

PanelTranslation* PanelWindow::add_translation(const char* label, int type, float* live, int id,
                                               PanelCallback cb) {
    auto* t = new PanelTranslation(this, nullptr, label ? label : "", id, cb);
    t->type_ = type;
    t->live_ = live;
    if (live) {
        t->shown_[0] = live[0];
        if (type == PANEL_TRANSLATION_XY) t->shown_[1] = live[1];
    }
    return adopt(t, nullptr);
}

void PanelWindow::add_column(bool bar) {
    // A column break lays out, but is no control: it is not in controls().
    auto* c = new PanelColumn(this, nullptr, "", -1, nullptr);
    c->bar_ = bar;
    top_.push_back(c);
    request_redraw();
}

void PanelWindow::set_main_gfx_window(int glut_window) {
    main_gfx_window_ = glut_window;
}

void PanelWindow::show() {
    if (glut_window_ <= 0) return;
    const int previous = glutGetWindow();
    glutSetWindow(glut_window_);
    glutShowWindow();
    if (previous > 0) glutSetWindow(previous);
    visible_ = true;
    request_redraw();
}

void PanelWindow::hide() {
    if (glut_window_ <= 0) return;
    const int previous = glutGetWindow();
    glutSetWindow(glut_window_);
    glutHideWindow();
    if (previous > 0) glutSetWindow(previous);
    visible_ = false;
}

void PanelWindow::request_redraw() {
    if (glut_window_ > 0) glutPostWindowRedisplay(glut_window_);
}

bool PanelWindow::control_rect(const PanelControl* control, int* x, int* y, int* w, int* h) const {
    const auto it = impl_->rects.find(control);
    if (it == impl_->rects.end()) return false;
    *x = static_cast<int>(it->second.x);
    *y = static_cast<int>(it->second.y);
    *w = static_cast<int>(it->second.z);
    *h = static_cast<int>(it->second.w);
    return true;
}

int PanelWindow::frames_drawn() const {
    return impl_->frames;
}

void PanelWindow::user_mouse(int button, bool down, int x, int y) {
    impl_->mouse(button, down, x, y, 0);
}

void PanelWindow::user_key(unsigned char key, bool down, int modifiers) {
    impl_->key(key, down, modifiers);
}

bool PanelWindow::busy() const {
    if (impl_->held) return true;
    for (const PanelControl* c : all_) {
        const auto* r = dynamic_cast<const PanelRotation*>(c);
        if (r && (r->spinning() || r->pressed())) return true;
    }
    return false;
}

void PanelWindow::keep_ticking() {
    if (impl_->ticking || glut_window_ <= 0) return;
    impl_->ticking = true;
    glutTimerFunc(kTickMs, Impl::on_tick, glut_window_);
}
