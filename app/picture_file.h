#pragma once
// Pictures in files of the kind their names say: .png (libpng), .jpg or .jpeg
// (libjpeg-turbo), .ppm (binary portable pixmap); written so that nothing is lost
// (app/whole_file.h). No GL here.

#include <optional>
#include <string>

#include "app/png_file.h"

enum class PictureKind { png, jpeg, ppm };

// The kind the name's extension (in any case) says; none for another.
std::optional<PictureKind> picture_file_kind(const std::string& path);

// Writes `image` to `path` in the kind of its name; false with the reason.
bool write_picture_file(const std::string& path, const Image& image, bool exclusive,
                        std::string& error);
