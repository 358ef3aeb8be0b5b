#pragma once
// The command line: zendral [options] [FILE | FOLDER]. Parsed before any window
// opens; the settings options only set settings, the rest is for start-up.

#include <string>

struct CommandLine {
    std::string path;               // the FILE or FOLDER named; empty: none
    int format = -1;                // a DataFormat from --format; -1: guessed from the file
    int stereo = -1;                // a StereoMode from --stereo; -1: the start value
    int mode = -1;                  // a DisplayMode from --mode; -1: the start value
    int color_by = -1;              // a ColorBy from --color-by; -1: the start value
    bool bounds = false;            // --bounds
    int background = 0;             // a named colour's id (color_names) from --background; 0: white
    int view = 0;                   // --view 1..4, a view preset; 0: none
    std::string save;               // --save OUT.png: draw one frame without a window
    int width = 800, height = 600;  // --size WxH, of the window or the saved picture
};

struct ParsedCommandLine {
    enum Outcome { kRun, kExit, kError } outcome = kRun;
    CommandLine options;
    // kExit: the usage or the version, for standard output; kError: the one line
    // for standard error (exit status 2).
    std::string message;
};

ParsedCommandLine parse_command_line(int argc, const char* const* argv);

// The settings options into the settings, and the format (the given one, or the
// one the file seems to be in) into data_format.
void apply_command_line(const CommandLine& options);
