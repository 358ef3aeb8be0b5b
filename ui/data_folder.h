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
// chosen_listitem as it was at the last choice of a file or a format; 0 at start.
// "Axis Scaling" and "Special " reload this item.
extern int last_listitem;

// The process's current directory (empty if it cannot be read).
std::string current_directory();

// Runs the desktop's modal folder chooser (zenity) with the given title and waits
// for it. Returns the chosen folder, held until the next call, or null when the
// user cancels or the chooser cannot be run (which prints one line saying so).
const char* browse_for_folder(const char* title);

// Takes folder and filter from "Folder:" and "File filter:", lists the folder and
// rebuilds the "Files:" items after "Choose Model". A chosen or last item beyond
// the new count falls back to 0, so no later reload uses a name that has gone.
void refresh_file_list();

// Makes filedir the current directory and stores in file_names every entry whose
// name matches the wildcard filter ("*.*" matches every name) and does not begin
// with ".". Returns the count; with none, or an unreadable folder, prints
// "Invalid File Handle. Get Last Error reports %d\n" (errno, or 2 for no match).
// A folder that cannot be made current lists nothing and prints
// "Cannot open folder <path>: <reason>", also on the status line.
int list_folder(const std::string& filter);

// Loads "Files:" item k (1 or more) with the reader that data_format selects,
// after a view reset; then a redraw. An item with no name behind it loads nothing.
void load_chosen_file(int k);
