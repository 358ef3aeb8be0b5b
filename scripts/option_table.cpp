// Prints the README's table of the command line's options (app/command_line.h),
// made from the options table of core/options.cpp; scripts/readme_options runs it.
#include <cstdio>

#include "app/command_line.h"

int main() {
    std::fputs(option_table_markdown().c_str(), stdout);
    return 0;
}
