#pragma once
// The data folder: its listing through the file filter, the "Files:" list built
// from it, the folder chooser, and loading the chosen file with the chosen format.

#include <string>
#include <vector>

// Names found by the last listing, sorted by byte order; "Files:" item k shows
// file_names[k - 1]. Empty at start.
extern std::vector<std::string> file_names;
// How many names the last listing found (file_names.size()); 0 at start.
extern int file_count;
// chosen_listitem as it was at the last choice of a file or a format, or after
// a listing the item it now shows; 0 at start.
extern int last_listitem;
// The file the picture shows, as an absolute path: the last file that loaded;
// empty before any. "Axis Scaling" and "Special " read it again, and a listing
// shows it chosen in "Files:" when it lists it.
extern std::string shown_file;

// The folder the first panel lists, in place of Data in the current directory
// when not empty: a folder named at start. Building the panel uses it up.
extern std::string start_folder;

// The process's current directory (empty if it cannot be read).
std::string current_directory();

// Runs the desktop's modal folder chooser (zenity) with the given title and waits
// for it. Returns the chosen folder, held until the next call, or null when the
// user cancels or the chooser cannot be run (which prints one line saying so).
const char* browse_for_folder(const char* title);

// Takes folder and filter from "Folder:" and "File filter:", lists the folder and
// rebuilds the "Files:" items after "Choose Model". "Folder:" then shows the
// folder's absolute path, and "Files:" the file the picture shows when it is
// listed, otherwise "Choose Model": no number names another file afterwards.
void refresh_file_list();

// Makes filedir the current directory and stores in file_names every entry whose
// name matches the wildcard filter ("*.*" matches every name) and does not begin
// with ".". Returns the count; with none, or an unreadable folder, prints
// "Invalid File Handle. Get Last Error reports %d\n" (errno, or 2 for no match).
// A folder that cannot be made current lists nothing and prints
// "Cannot open folder <path>: <reason>", also on the status line.
int list_folder(const std::string& filter);

// Loads "Files:" item k (1 or more) with the reader that data_format selects;
// the view is reset once the new data has arrived (a refused file keeps it).
// Then a redraw. An item with no name behind it loads nothing; a folder becomes
// the data folder and is listed, as if typed into "Folder:".
void load_chosen_file(int k);

// Takes a load that is done over (ui/file_load.h), on the event loop's thread:
// prints its console lines, sets its status line, and replaces the data with
// what it read, which becomes the shown file and, unless it keeps the view,
// resets the view. A format the guess chose shows in "Data Format". A refused
// or cancelled load keeps the data before it.
struct FileLoad;
void take_load_over(FileLoad& load);

// Chooses `name`, a file of the folder listed last, in "Files:" and loads it, as
// a click on it would; a file the listing leaves out (a dot name) loads by its path.
void choose_file(const std::string& name);

// Reads the file the picture shows again, by its path, with the current format:
// by its bare name while its folder is the one listed, otherwise by its absolute
// path; the view reset, unless `keep_view`. Nothing before the first load.
void reload_shown_file(bool keep_view = false);

// "Reload on change": the shown file read again, the view kept, when its size or
// modification time changed since it was read (a look at most every
// kWatchSeconds, from the idle callback). The status line says when, or why
// not; a file the reader refuses keeps the data before it. True when it read.
bool watch_shown_file(double now);
constexpr double kWatchSeconds = 0.5;
