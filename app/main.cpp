#include <GL/glut.h>

#include <cstdio>

#include "app/viewer.h"
#include "render/draw_cache.h"

int main(int, char**) {
    // Every message shows at once, also when standard output is a pipe or a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // freeglut needs glutInit before any other call; no arguments are passed on.
    int argc = 1;
    char name[] = "zendral";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    // Each picture of the model is recorded once and replayed until it changes.
    set_draw_cache(true);
    start_viewer();
    return 0;
}
