// zendral_panel_layout: builds the viewer's two panel windows exactly as the
// program does (run it in the folder the program runs in, so that "Files:" lists
// the same names), opens the rollouts named on the command line, lets the panels
// draw until they stand still, and prints where every drawn control is, for the
// tests that click the real program:
//   size <TAB> window <TAB> width <TAB> height
//   rect <TAB> window <TAB> group <TAB> label <TAB> x <TAB> y <TAB> w <TAB> h
//   item <TAB> window <TAB> list label <TAB> position from 0 <TAB> text
// in pixels from the panel window's top left; group is the label of the nearest
// enclosing rollout or framed panel, "top" for none.
#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/viewer.h"
#include "core/settings.h"
#include "panel/panel.h"
#include "ui/control_panel.h"

namespace {

std::string group_of(const PanelControl* c) {
    for (const PanelControl* p = c->parent(); p; p = p->parent()) {
        if (dynamic_cast<const PanelRollout*>(p) || dynamic_cast<const PanelFrame*>(p))
            return p->label();
    }
    return "top";
}

void print_window(PanelWindow* w) {
    glutSetWindow(w->glut_window_id());
    std::printf("size\t%s\t%d\t%d\n", w->name().c_str(), glutGet(GLUT_WINDOW_WIDTH),
                glutGet(GLUT_WINDOW_HEIGHT));
    for (const PanelControl* c : w->controls()) {
        int x, y, cw, ch;
        if (!w->control_rect(c, &x, &y, &cw, &ch)) continue;
        std::printf("rect\t%s\t%s\t%s\t%d\t%d\t%d\t%d\n", w->name().c_str(), group_of(c).c_str(),
                    c->label().c_str(), x, y, cw, ch);
        if (auto* list = dynamic_cast<const PanelListBox*>(c)) {
            int index = 0;
            for (const auto& item : list->items()) {
                std::printf("item\t%s\t%s\t%d\t%s\n", w->name().c_str(), c->label().c_str(),
                            index++, item.text.c_str());
            }
        }
    }
}

void draw_nothing() {
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
    int glut_argc = 1;
    char name[] = "zendral_panel_layout";
    char* glut_argv[] = {name, nullptr};
    glutInit(&glut_argc, glut_argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(window_x, window_y);
    glutInitWindowSize(window_width, window_height);
    main_window = glutCreateWindow("Zendral layout");
    glutDisplayFunc(draw_nothing);
    install_window_services();
    build_control_panel();

    for (int i = 1; i < argc; ++i) {
        auto* r =
            dynamic_cast<PanelRollout*>(panel_master.find_control("Control Display", argv[i]));
        if (!r) {
            std::fprintf(stderr, "no rollout \"%s\"\n", argv[i]);
            return 2;
        }
        r->open();
    }
    control_glui->request_redraw();
    movement_glui->request_redraw();

    // Draw until both windows have drawn and a few rounds pass without a frame.
    int last = -1, still = 0;
    for (int round = 0; round < 500 && still < 10; ++round) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const int frames = control_glui->frames_drawn() + movement_glui->frames_drawn();
        const bool drawn = control_glui->frames_drawn() > 0 && movement_glui->frames_drawn() > 0;
        still = (drawn && frames == last) ? still + 1 : 0;
        last = frames;
    }
    print_window(control_glui);
    print_window(movement_glui);
    return 0;
}
