#include "bench/bench_window.h"

#include <GL/freeglut.h>

#include "app/viewer.h"
#include "core/view_state.h"
#include "render/frame_memory.h"

void open_bench_window() {
    keep_frame_memory();
    int argc = 1;
    char name[] = "zendral-bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(50, 50);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Zendral<no stereo>");
    glutDisplayFunc([] {});
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    init_lights();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LINE_SMOOTH);
    glViewport(0, 0, 800, 600);
    view_width = 800;
    view_height = 600;
}
