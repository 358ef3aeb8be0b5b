#include "tests/support/gl_context.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

int ensure_gl_context(int width, int height) {
    static int window = 0;
    if (window == 0) {
        int argc = 1;
        char name[] = "zendral-test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowPosition(0, 0);
        glutInitWindowSize(width, height);
        window = glutCreateWindow("zendral test");
        // freeglut insists on a display callback; tests draw when they choose.
        glutDisplayFunc([] {});
        // Let the window come up at its size before anything is drawn.
        for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    }
    glutSetWindow(window);
    return window;
}

std::vector<unsigned char> read_pixels(int x, int y, int w, int h) {
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

bool save_png(const std::string& path, const std::vector<unsigned char>& rgb, int w, int h) {
    const std::string command = "convert -size " + std::to_string(w) + "x" + std::to_string(h) +
                                " -depth 8 rgb:- -flip '" + path + "'";
    FILE* pipe = popen(command.c_str(), "w");
    if (!pipe) return false;
    const size_t written = fwrite(rgb.data(), 1, rgb.size(), pipe);
    return pclose(pipe) == 0 && written == rgb.size();
}
