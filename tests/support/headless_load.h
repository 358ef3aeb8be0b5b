#pragma once
// A file loaded and drawn as `zendral --save` would: the command line's
// options, the file chosen in its folder, one frame without a window.

#include <filesystem>
#include <vector>

#include "app/png_file.h"

// Loads `file` with the options `args` into a headless picture of width x
// height and draws it; the rows bottom first.
Image picture_of(const std::filesystem::path& file, std::vector<const char*> args, int width,
                 int height);
