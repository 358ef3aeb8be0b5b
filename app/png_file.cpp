#include "app/png_file.h"

#include <png.h>

#include <cstring>

#include "app/whole_file.h"

namespace {

// libpng's simplified interface, with a negative row stride: the rows are stored
// bottom first.
png_image png_header(int width, int height) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(width);
    png.height = static_cast<png_uint_32>(height);
    png.format = PNG_FORMAT_RGB;
    return png;
}

}  // namespace

bool encode_png(const Image& image, std::vector<unsigned char>& bytes, std::string& error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = "no picture";
        return false;
    }
    png_image png = png_header(image.width, image.height);
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    bool made = png_image_write_to_memory(&png, nullptr, &size, 0, image.rgb.data(),
                                          -image.width * 3, nullptr) != 0;
    if (made) {
        bytes.resize(size);
        made = png_image_write_to_memory(&png, bytes.data(), &size, 0, image.rgb.data(),
                                         -image.width * 3, nullptr) != 0;
        bytes.resize(size);
    }
    if (!made) error = png.message;
    png_image_free(&png);
    return made;
}

bool write_png(const std::string& path, const Image& image, bool exclusive, std::string& error) {
    std::vector<unsigned char> bytes;
    return encode_png(image, bytes, error) && write_whole_file(path, bytes, exclusive, error);
}

bool read_png(const std::string& path, Image& image) {
    png_image png = png_header(0, 0);
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.assign(PNG_IMAGE_SIZE(png), 0);
    const bool read =
        png_image_finish_read(&png, nullptr, image.rgb.data(), -image.width * 3, nullptr) != 0;
    png_image_free(&png);
    return read;
}
