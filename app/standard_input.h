#pragma once
// A file read from standard input (zendral [options] -): copied as it comes
// into a file named "stdin" in a folder of its own, which the readers then read
// like any other (Columns reads a file twice) and which goes when Zendral ends.

#include <string>

// The path of the copy; empty, with the reason in `why`, when it cannot be made.
std::string copy_standard_input(std::string& why);
