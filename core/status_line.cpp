#include "core/status_line.h"

#include <utility>

namespace {
std::string text;
bool about_folder = false;
}  // namespace

const std::string& status_line() {
    return text;
}

void set_status_line(std::string line) {
    text = std::move(line);
    about_folder = false;
}

void set_folder_status(std::string line) {
    text = std::move(line);
    about_folder = true;
}

void clear_folder_status() {
    if (about_folder) set_status_line("");
}

std::string no_points_status(const std::string& name) {
    return name + " holds no points";
}
