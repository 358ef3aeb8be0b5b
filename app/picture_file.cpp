#include "app/picture_file.h"

#include <jpeglib.h>

#include <cctype>
#include <cstdio>

#include "app/whole_file.h"

namespace {

constexpr int kJpegQuality = 92;

bool encode_jpeg(const Image& image, std::vector<unsigned char>& bytes) {
    jpeg_compress_struct jpeg;
    jpeg_error_mgr errors;
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&jpeg, &out, &size);
    jpeg.image_width = static_cast<JDIMENSION>(image.width);
    jpeg.image_height = static_cast<JDIMENSION>(image.height);
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, kJpegQuality, TRUE);
    jpeg_start_compress(&jpeg, TRUE);
    // The rows are kept bottom first, as GL reads them; JPEG wants the top first.
    const std::size_t row = static_cast<std::size_t>(image.width) * 3;
    while (jpeg.next_scanline < jpeg.image_height) {
        JSAMPROW line = const_cast<unsigned char*>(image.rgb.data() +
                                                   (image.height - 1 - jpeg.next_scanline) * row);
        jpeg_write_scanlines(&jpeg, &line, 1);
    }
    jpeg_finish_compress(&jpeg);
    bytes.assign(out, out + size);
    jpeg_destroy_compress(&jpeg);
    std::free(out);
    return true;
}

void encode_ppm(const Image& image, std::vector<unsigned char>& bytes) {
    char header[64];
    const int n =
        std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", image.width, image.height);
    bytes.assign(header, header + n);
    const std::size_t row = static_cast<std::size_t>(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y)
        bytes.insert(bytes.end(), image.rgb.begin() + y * row, image.rgb.begin() + (y + 1) * row);
}

}  // namespace

std::optional<PictureKind> picture_file_kind(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return std::nullopt;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "png") return PictureKind::png;
    if (ext == "jpg" || ext == "jpeg") return PictureKind::jpeg;
    if (ext == "ppm") return PictureKind::ppm;
    return std::nullopt;
}

bool write_picture_file(const std::string& path, const Image& image, bool exclusive,
                        std::string& error) {
    const std::optional<PictureKind> kind = picture_file_kind(path);
    std::vector<unsigned char> bytes;
    if (!kind || *kind == PictureKind::png) {
        if (!encode_png(image, bytes, error)) return false;
    } else if (image.width <= 0 || image.height <= 0 ||
               image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = "no picture";
        return false;
    } else if (*kind == PictureKind::jpeg) {
        encode_jpeg(image, bytes);
    } else {
        encode_ppm(image, bytes);
    }
    return write_whole_file(path, bytes, exclusive, error);
}
