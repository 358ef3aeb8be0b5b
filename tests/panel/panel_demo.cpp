// A small program with panel windows for the tests in real windows. It prints each
// callback with the values of its live variables, each change the idle function
// finds, and, once the panel is laid out, where its controls are:
//   where <label> <x> <y>   (centre, in pixels from the panel window's top left)
//   ready
// With --idle it also opens a second panel window with movement controls and
// only idles, like the viewer with both panel windows open.
#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "panel/panel.h"

namespace {
int main_window = 0;
PanelWindow* demo_panel = nullptr;
PanelWindow* movement_panel = nullptr;

int ticked = 0;
int choice = 0;
float amount = 0.5f;
int shown_ticked = 0, shown_choice = 0;
float rotation[16];
float light_rotation[16];
float translation[3] = {0.0f, 0.0f, 0.0f};

void on_control(int id) {
    std::printf("callback id=%d ticked=%d choice=%d amount=%.3f\n", id, ticked, choice, amount);
}

void on_display() {
    glClearColor(0.2f, 0.2f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
}

// As the viewer's idle function: the main window current, the panels in step
// with their variables, and a short sleep.
void on_idle() {
    if (glutGetWindow() != main_window) glutSetWindow(main_window);
    panel_master.sync_live_all();
    if (ticked != shown_ticked) std::printf("ticked=%d\n", shown_ticked = ticked);
    if (choice != shown_choice) std::printf("choice=%d\n", shown_choice = choice);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

bool print_where(PanelWindow* w, const char* label) {
    PanelControl* c = panel_master.find_control(w->name().c_str(), label);
    int x, y, cw, ch;
    if (!c || !w->control_rect(c, &x, &y, &cw, &ch)) return false;
    // A checkbox or radio button is clicked on its box, at the left of its rect.
    const bool boxed = dynamic_cast<PanelCheckbox*>(c) || dynamic_cast<PanelRadioButton*>(c);
    std::printf("where %s %d %d\n", label, boxed ? x + ch / 2 : x + cw / 2, y + ch / 2);
    return true;
}

int frames_so_far() {
    return demo_panel->frames_drawn() + (movement_panel ? movement_panel->frames_drawn() : 0);
}

// Once the panels have drawn and then stayed still for a while (their sizes
// fitted), tell where things are.
void report_layout(int last_frames) {
    const int frames = frames_so_far();
    if (demo_panel->frames_drawn() == 0 || frames != last_frames) {
        glutTimerFunc(200, report_layout, frames);
        return;
    }
    for (const char* label : {"Ticked", "First", "Second", "Third", "Amount:", "Press"})
        if (!print_where(demo_panel, label)) {
            std::printf("error: %s was not drawn\n", label);
            return;
        }
    std::printf("ready\n");
}
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const bool idle_only = argc > 1 && std::strcmp(argv[1], "--idle") == 0;
    int glut_argc = 1;
    char name[] = "panel_demo";
    char* glut_argv[] = {name, nullptr};
    glutInit(&glut_argc, glut_argv);

    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(700, 50);
    glutInitWindowSize(400, 300);
    main_window = glutCreateWindow("Panel Demo Picture");
    glutDisplayFunc(on_display);

    demo_panel = panel_master.create_window("Demo Panel", 0, 50, 50);
    demo_panel->add_checkbox_to_panel(nullptr, "Ticked", &ticked, 11, on_control);
    PanelRadioGroup* group = demo_panel->add_radiogroup_to_panel(nullptr, &choice, 12, on_control);
    for (const char* label : {"First", "Second", "Third"})
        demo_panel->add_radiobutton_to_group(group, label);
    PanelSpinner* spinner = demo_panel->add_spinner_to_panel(
        nullptr, "Amount:", PANEL_SPINNER_FLOAT, &amount, 13, on_control);
    spinner->set_float_limits(0.0f, 1.0f, PANEL_LIMIT_CLAMP);
    spinner->set_alignment(PANEL_ALIGN_RIGHT);
    demo_panel->add_button("Press", 14, on_control);
    demo_panel->set_main_gfx_window(main_window);

    if (idle_only) {
        movement_panel = panel_master.create_window("Demo Movement", 0, 50, 400);
        movement_panel->add_rotation("Rotate", rotation, -1, nullptr)->set_spin(1.0f);
        movement_panel->add_column(false);
        movement_panel
            ->add_translation("Objects XY", PANEL_TRANSLATION_XY, translation, -1, nullptr)
            ->set_speed(0.005f);
        movement_panel->add_column(false);
        movement_panel
            ->add_translation("Objects Z", PANEL_TRANSLATION_Z, &translation[2], -1, nullptr)
            ->set_speed(0.005f);
        movement_panel->add_column(false);
        movement_panel->add_rotation("Light 1", light_rotation, -1, nullptr)->set_spin(0.82f);
        movement_panel->set_main_gfx_window(main_window);
    }
    // The panels leave the main window current, as the viewer expects.
    if (glutGetWindow() != main_window) std::printf("error: main window not current\n");

    panel_master.set_glutIdleFunc(on_idle);
    glutTimerFunc(200, report_layout, -1);
    glutMainLoop();
    return 0;
}
