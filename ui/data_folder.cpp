#include "ui/data_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/light_control.h"
#include "data/data_set.h"
#include "data/status_line.h"
#include "panel/panel.h"
#include "ui/control_callback.h"
#include "ui/settings.h"

extern char** environ;

std::vector<std::string> file_names;
int file_count = 0;
int last_listitem = 0;

namespace {

// "No such file": the code the listing reports when nothing matches.
constexpr int kNoMatchCode = 2;

bool matches(const std::string& filter, const char* name) {
    // "*.*" stands for every name, dotted or not, as in the listings the data
    // folders were first made for.
    if (filter == "*.*") return true;
    return fnmatch(filter.c_str(), name, 0) == 0;
}

// Output of a child process run with argv, and its wait status; false when it
// could not be started.
bool run_and_read(const char* const argv[], std::string& out, int& status) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    // The chooser's toolkit warnings are not ours to show on the console.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawn_error = posix_spawnp(&pid, argv[0], &actions, nullptr,
                                         const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawn_error != 0) {
        close(fds[0]);
        errno = spawn_error;
        return false;
    }
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) != 0) {
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        out.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

}  // namespace

std::string current_directory() {
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return std::string();
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

const char* browse_for_folder(const char* title) {
    static std::string chosen;
    const std::string title_option = std::string("--title=") + title;
    const char* const argv[] = {"zenity", "--file-selection", "--directory",
                                title_option.c_str(), nullptr};
    std::string out;
    int status = 0;
    if (!run_and_read(argv, out, status)) {
        std::printf("Cannot run the folder chooser zenity: %s\n", std::strerror(errno));
        return nullptr;
    }
    // Exit status 0 with a path is a choice; anything else is a cancel.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return nullptr;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    if (out.empty()) return nullptr;
    chosen = out;
    return chosen.c_str();
}

int list_folder(const std::string& filter) {
    file_names.clear();
    if (chdir(filedir.c_str()) != 0) {
        // Listing the folder that happens to be current would show its files as the
        // typed folder's.
        const int reason = errno;
        const std::string problem = "Cannot open folder " + filedir + ": " + std::strerror(reason);
        std::printf("%s\n", problem.c_str());
        set_folder_status(problem);
        return 0;
    }
    clear_folder_status();
    DIR* dir = opendir(".");
    if (!dir) {
        std::printf("Invalid File Handle. Get Last Error reports %d\n", errno);
        return 0;
    }
    while (const dirent* entry = readdir(dir)) {
        // Dot names (".", "..", hidden files) are never listed; folders that
        // match are, like files.
        if (entry->d_name[0] == '.') continue;
        if (matches(filter, entry->d_name)) file_names.emplace_back(entry->d_name);
    }
    closedir(dir);
    if (file_names.empty()) {
        std::printf("Invalid File Handle. Get Last Error reports %d\n", kNoMatchCode);
        return 0;
    }
    std::sort(file_names.begin(), file_names.end());
    return static_cast<int>(file_names.size());
}

void refresh_file_list() {
    if (folder_field) filedir = folder_field->get_text();
    if (files_list) {
        // Item 0 "Choose Model" stays; every file item of the last listing goes.
        if (files_list->delete_item(1)) {
            for (int i = 2; i <= file_count; ++i) files_list->delete_item(i);
        }
    }
    if (filter_field) file_filter = filter_field->get_text();
    file_count = list_folder(file_filter);
    if (files_list) {
        for (int i = 0; i < file_count; ++i) files_list->add_item(i + 1, file_names[i].c_str());
    }
    // A number beyond the new list denotes no file any more.
    if (last_listitem > file_count) last_listitem = 0;
    if (chosen_listitem > file_count) {
        if (files_list) {
            files_list->set_int_val(0);
        } else {
            chosen_listitem = 0;
        }
    }
}

void load_chosen_file(int k) {
    std::printf("list=%d\n", k);
    reset_view();
    if (k >= 1 && k <= file_count) {
        const char* name = file_names[k - 1].c_str();
        switch (data_format) {
        case 0: data_set.read_data(name); break;
        case 1: data_set.read_maple(name); break;
        case 2: data_set.read_color_data(name); break;
        default: break;
        }
    }
    request_redisplay();
}
