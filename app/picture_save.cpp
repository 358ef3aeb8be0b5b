#include "app/picture_save.h"

#include <GL/freeglut.h>
#include <sys/stat.h>

#include <cstdio>

#include "app/picture_file.h"
#include "app/viewer.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "core/view_state.h"
#include "data/data_set.h"

std::string picture_folder;
bool picture_save_requested = false;

void request_picture_save() {
    picture_save_requested = true;
    if (main_window != 0) glutPostWindowRedisplay(main_window);
}

Image read_frame(unsigned buffer, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    return image;
}

Image read_window_frame() {
    GLboolean stereo = GL_FALSE;
    glGetBooleanv(GL_STEREO, &stereo);
    const StereoForm* form = stereo_form(stereo_mode);
    if (!form || form->saved != Saving::left_and_right || !stereo)
        return read_frame(GL_BACK, view_width, view_height);
    const Image left = read_frame(GL_BACK_LEFT, view_width, view_height);
    const Image right = read_frame(GL_BACK_RIGHT, view_width, view_height);
    Image pair;
    pair.width = 2 * view_width;
    pair.height = view_height;
    const std::size_t row = static_cast<std::size_t>(view_width) * 3;
    for (int y = 0; y < view_height; ++y) {
        pair.rgb.insert(pair.rgb.end(), left.rgb.begin() + y * row,
                        left.rgb.begin() + (y + 1) * row);
        pair.rgb.insert(pair.rgb.end(), right.rgb.begin() + y * row,
                        right.rgb.begin() + (y + 1) * row);
    }
    return pair;
}

bool write_picture(const Image& picture, const std::string& path, bool exclusive) {
    std::string reason;
    const bool written = write_picture_file(path, picture, exclusive, reason);
    const std::string message = written ? "Saved " + path : "Cannot save " + path + ": " + reason;
    std::printf("%s\n", message.c_str());
    set_status_line(message);
    return written;
}

bool save_picture(const Image& picture) {
    const std::string& file = data_set.filename;
    const std::string name = file.empty() ? "zendral" : file.substr(file.rfind('/') + 1);
    const std::string folder = picture_folder.empty() || picture_folder.back() == '/'
                                   ? picture_folder
                                   : picture_folder + "/";
    std::string path;
    struct stat about;
    for (int n = 1; path.empty() || stat(path.c_str(), &about) == 0; ++n)
        path = folder + name + "-" + std::to_string(n) + ".png";
    return write_picture(picture, path, true);
}
