#include <GL/glut.h>
#include <sys/stat.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/headless.h"
#include "app/input.h"
#include "app/picture_save.h"
#include "app/standard_input.h"
#include "app/viewer.h"
#include "render/draw_cache.h"
#include "ui/background_load.h"
#include "ui/data_folder.h"

int main(int argc, char** argv) {
    // Every message shows at once, also when standard output is a pipe or a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const ParsedCommandLine parsed = parse_command_line(argc, argv);
    if (parsed.outcome != ParsedCommandLine::kRun) {
        std::fputs(parsed.message.c_str(),
                   parsed.outcome == ParsedCommandLine::kExit ? stdout : stderr);
        return parsed.outcome == ParsedCommandLine::kExit ? 0 : 2;
    }
    CommandLine options = parsed.options;
    // --quiet: the viewer's console lines are not wanted; refusals still reach stderr.
    if (options.quiet && !std::freopen("/dev/null", "w", stdout)) return 1;
    if (options.path == "-") {
        std::string why;
        options.path = copy_standard_input(why);
        if (options.path.empty()) {
            std::fprintf(stderr, "zendral: cannot read standard input: %s\n", why.c_str());
            return 1;
        }
    }
    apply_command_line(options);
    // Pictures go where Zendral was started, whatever folder is listed later.
    picture_folder = current_directory();
    if (!options.save.empty()) return save_without_window(options);

    window_width = options.width;
    window_height = options.height;
    // A file's folder, or the folder named, is the first one listed.
    std::string file;
    if (!options.path.empty()) {
        struct stat about;
        const bool folder = stat(options.path.c_str(), &about) == 0 && S_ISDIR(about.st_mode);
        const std::size_t slash = options.path.rfind('/');
        start_folder = folder                       ? options.path
                       : slash == std::string::npos ? "."
                                                    : options.path.substr(0, slash + 1);
        if (!folder) file = options.path.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    // freeglut needs glutInit before any other call; no arguments are passed on.
    int glut_argc = 1;
    char name[] = "zendral";
    char* glut_argv[] = {name, nullptr};
    glutInit(&glut_argc, glut_argv);
    // Each picture of the model is recorded once and replayed until it changes.
    set_draw_cache(true);
    open_viewer_window();
    // A large file loads while the window answers and shows how far it got.
    background_loads = true;
    if (!file.empty()) choose_file(file);
    if (options.view > 0) set_view_preset_after_load(options.view);
    start_viewer();
    return 0;
}
