#pragma once
// Pictures as PNG files, through libpng: 8-bit RGB, no GL here.

#include <string>
#include <vector>

// RGB pixels, bottom row first, as GL reads them.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// `image` as the bytes of a PNG file (top row first, as PNG wants).
bool encode_png(const Image& image, std::vector<unsigned char>& bytes, std::string& error);

// Writes `image` to `path` as a PNG (app/whole_file.h): into a new file in the
// same folder, renamed over `path` once it is whole on disk, so that a failed or
// killed save leaves the file that stood there as it was, and saves running at
// once each leave a whole picture. With `exclusive`, a file that already exists
// is left alone and the write fails. On failure returns false with the system's
// reason in `error`.
bool write_png(const std::string& path, const Image& image, bool exclusive, std::string& error);

// Reads an 8-bit RGB or RGBA PNG back into an Image (alpha dropped); false when
// it cannot. For tests and tools.
bool read_png(const std::string& path, Image& image);
