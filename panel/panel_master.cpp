#include <GL/glut.h>

#include "panel/panel.h"

PanelMaster panel_master;

void PanelMaster::set_glutReshapeFunc(void (*f)(int, int)) { glutReshapeFunc(f); }
void PanelMaster::set_glutKeyboardFunc(void (*f)(unsigned char, int, int)) { glutKeyboardFunc(f); }
void PanelMaster::set_glutSpecialFunc(void (*f)(int, int, int)) { glutSpecialFunc(f); }
void PanelMaster::set_glutMouseFunc(void (*f)(int, int, int, int)) { glutMouseFunc(f); }
void PanelMaster::set_glutIdleFunc(void (*f)()) { glutIdleFunc(f); }

void PanelMaster::get_viewport_area(int* x, int* y, int* w, int* h) {
    *x = 0;
    *y = 0;
    *w = glutGet(GLUT_WINDOW_WIDTH);
    *h = glutGet(GLUT_WINDOW_HEIGHT);
}

void PanelMaster::sync_live_all() {}
