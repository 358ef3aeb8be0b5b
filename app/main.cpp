#include <GL/glut.h>

#include <cstdio>

#include "app/viewer.h"

int main(int, char**) {
    // Every message shows at once, also when standard output is a pipe or a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // freeglut needs glutInit before any other call; no arguments are passed on.
    int argc = 1;
    char name[] = "zendral";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    start_viewer();
    return 0;
}
