#pragma once
// One load of a file, as a click in "Files:" asks for it: the reader of the chosen
// format, then, for a file that format refuses whose start the format guess is
// certain of, the reader of that format. It reads into a data set of its own,
// which may happen on a worker thread (ui/background_load.h): its console lines,
// status line and progress are its own until the event loop takes them over.

#include <memory>
#include <string>

#include "data/data_set.h"
#include "data/load_progress.h"
#include "data/load_settings.h"

struct FileLoad {
    // Asked for:
    int item = 0;                  // the "Files:" item it prints as "list=k"
    std::string name;              // the name the readers open and print
    std::string path;              // its absolute path, the shown file once it loads
    bool keep_view = false;        // a reload that keeps the view
    bool watched = false;          // a reload because the file changed ("Reload on change")
    int format = 0;                // the DataFormat to read it as
    LoadSettings settings;         // the readers' settings when it was asked for
    long long expected_bytes = 0;  // what the readers will read, for the progress bar

    // Made by run():
    DataSet fresh;            // the data read; revision 0 when the file was refused
    int read_format = 0;      // the format it was read in
    std::string console;      // the readers' console lines
    std::string status;       // the status line it leaves,
    bool status_set = false;  // when it set one
    LoadProgress progress;

    // Reads the file into `fresh`; runs on any thread.
    void run();
    bool loaded() const { return fresh.revision != 0; }
    // How far the readers have come, 0..1.
    double fraction() const;
};

// A load of `name` (absolute `path`) as "Files:" item `item`, in the chosen format
// with the settings as they are now.
std::unique_ptr<FileLoad> make_file_load(int item, const std::string& name, const std::string& path,
                                         bool keep_view);
