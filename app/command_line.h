#pragma once
// The command line: zendral [options] [FILE | FOLDER], its options those of the
// table of core/options.h. Parsed before any window opens; the settings options
// only set settings, the rest is for start-up.

#include <string>
#include <utility>
#include <vector>

struct Option;

struct CommandLine {
    std::string path;  // the FILE or FOLDER named, "-" for standard input; empty: none
    // The options of settings given (core/options.h), each with its word.
    std::vector<std::pair<const Option*, std::string>> settings;
    int view = 0;                   // --view 1..4, a view preset; 0: none
    std::string save;               // --save OUT.png: draw one frame without a window
    bool quiet = false;             // --quiet: no console lines on standard output
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

// The README's table of the command line's options, in Markdown, from the table
// of core/options.h (scripts/readme_options puts it into README.md).
std::string option_table_markdown();
