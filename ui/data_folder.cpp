#include "ui/data_folder.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/settings.h"
#include "core/status_line.h"
#include "data/data_set.h"
#include "data/formats.h"
#include "panel/panel.h"
#include "ui/background_load.h"
#include "ui/control_callback.h"
#include "ui/control_panel.h"
#include "ui/window_services.h"

std::vector<std::string> file_names;
int file_count = 0;
int last_listitem = 0;
std::string shown_file;
std::string start_folder;

namespace {

// "No such file": the code the listing reports when nothing matches.
constexpr int kNoMatchCode = 2;

// The folder part of an absolute path ("/" for a file at the root).
std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string in_folder(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The "Files:" item of `name` in the last listing, or 0.
int listed_item(const std::string& name) {
    const auto it = std::lower_bound(file_names.begin(), file_names.end(), name);
    return it != file_names.end() && *it == name ? static_cast<int>(it - file_names.begin()) + 1
                                                 : 0;
}

bool is_folder(const std::string& name) {
    struct stat about;
    return stat(name.c_str(), &about) == 0 && S_ISDIR(about.st_mode);
}

// The size and modification time of a file, to tell when it changed; zero when
// it cannot be read.
struct FileStamp {
    long long size = -1, modified_ns = -1;
    bool operator==(const FileStamp& o) const {
        return size == o.size && modified_ns == o.modified_ns;
    }
};
FileStamp stamp_of(const std::string& path) {
    struct stat about;
    if (stat(path.c_str(), &about) != 0) return {};
    return {static_cast<long long>(about.st_size),
            static_cast<long long>(about.st_mtim.tv_sec) * 1000000000 + about.st_mtim.tv_nsec};
}
FileStamp shown_stamp;  // the shown file's, when it was read last

}  // namespace

void take_load_over(FileLoad& load) {
    std::fputs(load.console.c_str(), stdout);
    std::fflush(stdout);
    if (load.status_set) set_status_line(load.status);
    if (load.read_format != load.format) data_format = load.read_format;
    if (load.loaded()) {
        data_set.take_grid_from(load.fresh);
        shown_file = load.path;
        shown_stamp = stamp_of(load.path);
        // The format's up axis, unless the user chose one.
        if (!up_axis_chosen && !load.keep_view) up_axis = file_format(data_set.kind)->up_axis;
        if (!load.keep_view) reset_view();
        if (load.watched) {
            const std::time_t clock = std::time(nullptr);
            char at[16];
            std::strftime(at, sizeof at, "%H:%M:%S", std::localtime(&clock));
            prefix_status_line(name_of(load.path) + ": reloaded " + at);
        }
    }
    window_services.request_redisplay();
}

namespace {
// Reads `name` (`path` absolute) as "Files:" item k, printing "list=k" first
// (ui/file_load.h); take_load_over takes the result over.
void load_file(int k, const std::string& name, const std::string& path, bool keep_view = false,
               bool watched = false) {
    std::printf("list=%d\n", k);
    std::unique_ptr<FileLoad> load = make_file_load(k, name, path, keep_view);
    load->watched = watched;
    start_file_load(std::move(load), take_load_over);
}

bool matches(const std::string& filter, const char* name) {
    // "*.*" stands for every name, dotted or not, as in the listings the data
    // folders were first made for.
    if (filter == "*.*") return true;
    return fnmatch(filter.c_str(), name, 0) == 0;
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
    // The title in single quotes for the shell, each quote in it closed and reopened.
    std::string quoted_title = "'--title=";
    for (const char* c = title; *c; ++c) {
        if (*c == '\'')
            quoted_title += "'\\''";
        else
            quoted_title += *c;
    }
    // The chooser's toolkit warnings are not ours to show on the console.
    const std::string command =
        "zenity --file-selection --directory " + quoted_title + "' 2>/dev/null";
    FILE* chooser = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; chooser && (n = std::fread(buffer, 1, sizeof buffer, chooser)) > 0;)
        out.append(buffer, n);
    const int status = chooser ? pclose(chooser) : -1;
    // The shell answers 127 when it finds no zenity.
    if (status == -1 || (WIFEXITED(status) && WEXITSTATUS(status) == 127)) {
        const int reason = chooser ? ENOENT : errno;
        std::printf("Cannot run the folder chooser zenity: %s\n", std::strerror(reason));
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
    // Listing again lists the same folder, however the path was written.
    const std::string here = current_directory();
    if (!here.empty()) filedir = here;
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
    if (folder_field) folder_field->set_text(filedir.c_str());
    if (files_list) {
        for (int i = 0; i < file_count; ++i) files_list->add_item(i + 1, file_names[i].c_str());
    }
    // The numbers of the last listing name other files now, or none: "Files:"
    // shows the picture's file when it is here.
    const bool shown_here = !shown_file.empty() && folder_of(shown_file) == filedir;
    last_listitem = shown_here ? listed_item(name_of(shown_file)) : 0;
    if (files_list) {
        files_list->set_int_val(last_listitem);
    } else {
        chosen_listitem = last_listitem;
    }
}

void load_chosen_file(int k) {
    if (k < 1 || k > file_count) {
        std::printf("list=%d\n", k);
        return;
    }
    const std::string& name = file_names[k - 1];
    if (is_folder(name)) {
        // A folder becomes the data folder, as if its path had been typed.
        const std::string folder = in_folder(filedir, name);
        if (folder_field) folder_field->set_text(folder.c_str());
        filedir = folder;
        refresh_file_list();
        return;
    }
    load_file(k, name, in_folder(filedir, name));
}

void choose_file(const std::string& name) {
    const int k = listed_item(name);
    if (k == 0) {
        load_file(0, in_folder(filedir, name), in_folder(filedir, name));
        return;
    }
    last_listitem = k;
    if (files_list)
        files_list->set_int_val(k);
    else
        chosen_listitem = k;
    load_chosen_file(k);
}

namespace {
void reload(bool keep_view, bool watched) {
    if (shown_file.empty()) return;
    const std::string name = name_of(shown_file);
    if (folder_of(shown_file) == current_directory()) {
        load_file(listed_item(name), name, shown_file, keep_view, watched);
    } else {
        load_file(0, shown_file, shown_file, keep_view, watched);
    }
}
}  // namespace

void reload_shown_file(bool keep_view) {
    reload(keep_view, false);
}

bool watch_shown_file(double now) {
    static double last_look = -1e300;
    if (!reload_on_change || shown_file.empty() || running_load() ||
        now - last_look < kWatchSeconds)
        return false;
    last_look = now;
    const FileStamp stamp = stamp_of(shown_file);
    if (stamp == shown_stamp) return false;
    // Tried once a change: a file caught half-written keeps the data before it,
    // and the reader's reason stands.
    shown_stamp = stamp;
    reload(true, true);
    return true;
}
