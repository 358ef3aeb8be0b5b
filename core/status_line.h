#pragma once
// The status line of the picture: why the last load was refused, what looks wrong
// with the format of the file just loaded, or why the folder cannot be listed.
// The overlay draws it below the file name. Kept here, free of GL, so that the
// readers, the folder listing and the overlay all reach it. Each thread has its
// own: a load running on a worker thread sets its line there, and the event loop
// takes it over when the load is done (ui/background_load.h).

#include <string>

// The text to show; empty (the start) when all is well.
const std::string& status_line();

// Replaces the line; an empty text clears it. A successful load sets its format
// hint or nothing, so a refusal or folder problem stays until then.
void set_status_line(std::string text);

// Puts `text` before what the line says, "; " between them when it says anything.
void prefix_status_line(const std::string& text);

// The same for a folder problem, which the next listing that works clears again
// (clear_folder_status); a load clears it too.
void set_folder_status(std::string text);
void clear_folder_status();

// How many times this thread set its line so far: a load that set none leaves
// the line before it.
unsigned status_line_changes();

// What the status line says after a load that found no points: "<name> holds no
// points". The load itself stands, an empty picture.
std::string no_points_status(const std::string& name);
