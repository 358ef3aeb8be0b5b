#pragma once
// One table of every setting the panel or the command line sets (core/settings.h)
// and of every option of the command line: the name, the global it sets, its
// type, start value, limits, the value "Reset View" and every load bring back,
// its command-line option and help. set_start_settings() and reset_view() take
// their values from it, the panel its spinners' limits, the command line, --help
// and the README's option table (scripts/readme_options) its options. No GL here.

#include <string>
#include <vector>

#include "core/choices.h"

enum class OptionType {
    flag,      // int 0 or 1; on the command line without a value, setting cli_value
    integer,   // int
    real,      // float
    real64,    // double
    choice,    // int, a value of `choices`
    colour,    // 4 floats; on the command line a colour name of "Color Name:" sets r, g, b
    floats,    // `count` floats (a vector, a matrix, a table of colours)
    flags,     // `count` bools
    text,      // std::string
    start_up,  // no setting: an option of the command line that start-up reads
};

struct Option {
    const char* name;  // the global's name, or the start-up option's
    OptionType type;
    void* global = nullptr;  // null for start_up
    int count = 1;           // floats and flags: how many
    double start = 0;        // the start value, of every element unless `starts` is given
    const float* starts = nullptr;
    const char* start_text = "";
    double low = 0, high = 0;  // limits, where low < high
    bool resets = false;       // "Reset View" and every load bring back `reset` (`resets_to`)
    double reset = 0;
    const float* resets_to = nullptr;
    const char* cli = nullptr;         // "--stereo"; null: not on the command line
    NamedList choices = NamedList();   // choice (and start_up) options: their values
    int cli_value = 1;                 // flags: what the option sets
    int* marks = nullptr;              // set to 1 when the option is given: the user chose
    const char* value_name = nullptr;  // for --help and the README ("WxH", "OUT.png")
    const char* help = "";
};

// Every option, in the order --help and the README list them.
const std::vector<Option>& options();
// The option that sets `global`, or the one of command-line option `cli`; null if none.
const Option* option_of(const void* global);
const Option* option_named(const std::string& cli);

// The reset values of the settings that have one.
void reset_settings();
// Makes `value` the reset value of `o` for the rest of the run: a value given on
// the command line outlasts the loads that reset the view.
void set_reset_value(const Option& o, double value);
