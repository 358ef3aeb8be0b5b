#include "core/status_line.h"

#include <utility>

namespace {
thread_local std::string text;
thread_local bool about_folder = false;
thread_local unsigned changes = 0;
}  // namespace

const std::string& status_line() {
    return text;
}

void set_status_line(std::string line) {
    text = std::move(line);
    about_folder = false;
    ++changes;
}

void prefix_status_line(const std::string& prefix) {
    set_status_line(text.empty() ? prefix : prefix + "; " + text);
}

void set_folder_status(std::string line) {
    text = std::move(line);
    about_folder = true;
    ++changes;
}

unsigned status_line_changes() {
    return changes;
}

void clear_folder_status() {
    if (about_folder) set_status_line("");
}

std::string no_points_status(const std::string& name) {
    return name + " holds no points";
}
