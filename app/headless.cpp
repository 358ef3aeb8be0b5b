#include "app/headless.h"

#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/command_line.h"
#include "app/display.h"
#include "app/eye_pictures.h"
#include "app/input.h"
#include "app/load_progress_bar.h"
#include "app/overlay_text.h"
#include "app/picture_save.h"
#include "app/viewer.h"
#include "core/status_line.h"
#include "data/data_set.h"
#include "render/draw_cache.h"
#include "render/frame_memory.h"
#include "ui/background_load.h"
#include "ui/data_folder.h"

namespace {

int fail(const std::string& why) {
    std::fprintf(stderr, "zendral: %s\n", why.c_str());
    return 1;
}

// A desktop OpenGL compatibility context on no surface at all, made current;
// one for the process, made at the first call.
bool make_context(std::string& why) {
    static bool made = false;
    if (made) return true;
    EGLDisplay display =
        eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        why = "no EGL surfaceless platform (Mesa's libegl-mesa0)";
        return false;
    }
    // No config: the context only ever draws into framebuffer objects.
    const EGLint context_wanted[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = EGL_NO_CONTEXT;
    if (eglBindAPI(EGL_OPENGL_API))
        context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, context_wanted);
    if (context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        why = "no desktop OpenGL context without a surface";
        return false;
    }
    made = true;
    return true;
}

// A framebuffer object of width x height with a colour and a depth buffer, bound
// for drawing and reading.
bool make_framebuffer(int width, int height, std::string& why) {
    GLint largest = 0, viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    if (width > largest || height > largest || width > viewport[0] || height > viewport[1]) {
        why = "a picture of " + std::to_string(width) + "x" + std::to_string(height) +
              " is larger than the renderer draws";
        return false;
    }
    // The picture before this one gives its buffers back.
    static GLuint framebuffer = 0, buffers[2] = {0, 0};
    if (framebuffer) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteRenderbuffers(2, buffers);
    }
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    // Colour and depth as in Mesa's picture window: 8-bit RGB, 32-bit depth, so
    // that the same frame gives the same pixels.
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        why = "no framebuffer of " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    picture_framebuffer = framebuffer;  // where every frame's picture goes
    picture_rows_top_first = true;
    return true;
}

std::string absolute(const std::string& path, const std::string& folder) {
    return path.empty() || path[0] == '/' ? path : folder + "/" + path;
}

}  // namespace

bool begin_headless_picture(int width, int height, std::string& why) {
    keep_frame_memory();
    if (!make_context(why) || !make_framebuffer(width, height, why)) return false;
    view_width = width;
    view_height = height;
    glViewport(0, 0, view_width, view_height);
    init_gl_state();
    // Mesa keeps a window's rows top first and a framebuffer object's bottom
    // first, and rasterises each in its own orientation. With the upper left as
    // origin the framebuffer object is drawn as the window is, pixel for pixel
    // (the rows are turned over again when read).
    glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
    use_font_file(true, true);
    set_draw_cache(true);
    return true;
}

Image draw_headless_picture(bool reduced) {
    draw_frame(reduced);
    Image picture = read_frame(GL_COLOR_ATTACHMENT0, view_width, view_height);
    const std::size_t row = static_cast<std::size_t>(view_width) * 3;
    for (int y = 0; y < view_height / 2; ++y)
        std::swap_ranges(picture.rgb.begin() + y * row, picture.rgb.begin() + (y + 1) * row,
                         picture.rgb.begin() + (view_height - 1 - y) * row);
    return picture;
}

int save_without_window(const CommandLine& options) {
    const std::string here = current_directory();
    const std::string out = absolute(options.save, here);
    std::string why;
    if (!begin_headless_picture(options.width, options.height, why)) return fail(why);

    // Loaded as a click in "Files:" loads it, from its folder.
    const std::string file = absolute(options.path, here);
    filedir = file.substr(0, file.rfind('/') + 1);
    refresh_file_list();
    const auto before = data_set.revision;
    // On a terminal, a load that takes a while says how far it got.
    background_loads = isatty(STDERR_FILENO) != 0;
    choose_file(file.substr(file.rfind('/') + 1));
    if (running_load()) {
        while (!running_load_done()) {
            const FileLoad& load = *running_load();
            std::fprintf(stderr, "\r%s", load_progress_text(load.name, load.fraction()).c_str());
            std::this_thread::sleep_for(std::chrono::duration<double>(kLoadProgressSeconds));
        }
        std::fputs("\r\033[K", stderr);  // the line cleared before the load's own lines
        finish_done_load();
    }
    background_loads = false;
    if (data_set.revision == before) return fail(status_line());
    // A file of no points loads (an empty picture), but there is nothing to save.
    if (status_line().rfind(no_points_status(data_set.filename), 0) == 0)
        return fail(no_points_status(data_set.filename));
    if (options.view > 0) set_view_preset(options.view);
    const Image picture = draw_headless_picture();
    if (!write_picture(picture, out, false)) return fail(status_line());
    return 0;
}
