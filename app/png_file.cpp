#include "app/png_file.h"

#include <fcntl.h>
#include <png.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

// `bytes` into a new file beside `path`, made whole on disk, then put in its
// place: a save that fails or is killed half-way leaves whatever stood there.
// With `exclusive` a file already at `path` stays and the save fails.
bool write_whole_file(const std::string& path, const std::vector<unsigned char>& bytes,
                      bool exclusive, std::string& error) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string temporary = folder + "." + name + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // mkstemp makes the file for its owner alone; a picture is as open as any new file.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    if (!ok) error = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    if (ok) {
        int placed = exclusive ? renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(),
                                           RENAME_NOREPLACE)
                               : std::rename(temporary.c_str(), path.c_str());
        // A file system without the exclusive rename still links without replacing.
        if (placed != 0 && exclusive && errno == EINVAL)
            placed = link(temporary.c_str(), path.c_str());
        ok = placed == 0;
        if (!ok) error = std::strerror(errno);
    }
    ::unlink(temporary.c_str());  // already renamed, or linked, or not wanted
    return ok;
}

}  // namespace

bool write_png(const std::string& path, const Image& image, bool exclusive, std::string& error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = "no picture";
        return false;
    }
    png_image png = png_header(image.width, image.height);
    png_alloc_size_t size = 0;
    std::vector<unsigned char> bytes;
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
    return made && write_whole_file(path, bytes, exclusive, error);
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
