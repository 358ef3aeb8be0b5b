// How soon the full picture is back after a real drag: drags the picture window
// of a running viewer with xdotool (press, steps, release), then watches the
// middle of the window until it has stood still for two seconds, or for as long
// as the bound (the delay and a full frame) when that is longer: a full picture
// that takes seconds must not be missed. The last change is the full picture
// arriving; its time after the release is the figure. Run on a viewer that is
// idle, under the same X server.
//
// Usage: bench_drag_latency <window id> <case> <limit seconds> [drags]
// Prints one line per drag and the median, and appends a table row (bench/table.h).

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/table.h"

extern char** environ;

namespace {

double now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A left-button drag across the middle of the window, `direction` +1 or -1 in x:
// ten steps of 20 pixels, 40 ms apart.
bool drag(const std::string& window, int direction) {
    std::vector<std::string> a = {"xdotool", "mousemove", "--window", window,      "400",
                                  "300",     "sleep",     "0.2",      "mousedown", "1"};
    for (int step = 1; step <= 10; ++step) {
        a.insert(a.end(), {"sleep", "0.04", "mousemove", "--window", window,
                           std::to_string(400 + direction * 20 * step), "300"});
    }
    a.insert(a.end(), {"mouseup", "1"});
    return run(a);
}

// The pixels of a square in the middle of the window now: enough to see the
// picture change, and small, so that watching costs the X server and the viewer
// next to nothing.
std::vector<char> grab(Display* display, Window window, int width, int height) {
    const int size = std::min({256, width, height});
    XImage* image = XGetImage(display, window, (width - size) / 2, (height - size) / 2, size, size,
                              AllPlanes, ZPixmap);
    if (!image) return {};
    std::vector<char> pixels(image->data, image->data + image->bytes_per_line * image->height);
    XDestroyImage(image);
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <window id> <case> <limit seconds> [drags]\n", argv[0]);
        return 2;
    }
    const std::string window_text = argv[1];
    const std::string name = argv[2];
    const double limit = std::atof(argv[3]);
    const int drags = argc > 4 ? std::atoi(argv[4]) : 5;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "drag_latency: no display\n");
        return 1;
    }
    const Window window = std::strtoul(window_text.c_str(), nullptr, 0);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;

    std::vector<double> latencies;
    for (int d = 0; d < drags; ++d) {
        if (!drag(window_text, d % 2 == 0 ? 1 : -1)) {
            std::fprintf(stderr, "drag_latency: xdotool failed\n");
            return 1;
        }
        const double released = now();
        std::vector<char> last = grab(display, window, attributes.width, attributes.height);
        double changed = released;
        const double stillness = std::max(2.0, limit + 0.5);
        while (now() - changed < stillness) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::vector<char> pixels = grab(display, window, attributes.width, attributes.height);
            if (pixels != last) {
                changed = now();
                last.swap(pixels);
            }
        }
        latencies.push_back(changed - released);
        std::printf("%s: drag %d, full picture %.3f s after the release\n", name.c_str(), d + 1,
                    changed - released);
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    char value[32], bound[32], target[64];
    std::snprintf(value, sizeof value, "%.3f", median);
    std::snprintf(bound, sizeof bound, "%.3f", limit);
    std::snprintf(target, sizeof target, "<= delay + one full frame");
    write_table_row("drag", name + ", release to full picture", value, bound, "s", "-", target,
                    median <= limit ? "ok" : "MISSED");
    XCloseDisplay(display);
    return 0;
}
