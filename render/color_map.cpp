#include "render/color_map.h"

#include <GL/gl.h>

#include <cmath>

#include "core/settings.h"
#include "data/data_set.h"

double texel_size_s = 1.0;
double texel_size_t = 1.0;
float color_saturation = 1.0f;

void gl_texel_coord(int k, double texel_s, double texel_t) {
    float st[2];
    texel_centre(k, texel_s, texel_t, st);
    glTexCoord2fv(st);
}

int color_index(float value) {
    if (!(value >= 0)) return 0;
    // Beyond this, a float texture coordinate of the entry can no longer address
    // the inside of its texel.
    constexpr float kLargestUnreduced = 4096.0f;
    if (value < kLargestUnreduced) return static_cast<int>(value);
    if (std::isinf(value)) return 0;
    return static_cast<int>(std::fmod(std::trunc(value), 16.0f));
}

void DataSet::set_material_and_texture() {
    const float diffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
    const float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 64);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, kColorMapTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The lit material colour times the texel: each entry keeps its shading.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Nearest filtering keeps every primitive exactly one colour-map colour, and
    // the repeat wrap lets entries 16 and up fold back onto 0..15.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

void set_material_color(Color4 color) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, color.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, color.data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 60);
}

void color_map_entry_rgb(int i, float rgb[3]) {
    // Red, green, blue, cyan, magenta, yellow, purple, lilac, orange: the first nine
    // named colours; then black. A data colour applied to slot i (0..9) replaces it.
    constexpr int kFixed = 9, kApplicable = 10;
    for (int c = 0; c < 3; ++c) {
        rgb[c] = i >= 0 && i < kApplicable && data_color_applied[i] ? data_colors[i][c]
                 : i >= 0 && i < kFixed                             ? named_colors[i][c]
                                                                    : 0.0f;
    }
}

void DataSet::build_color_map() {
    // The texel array is fixed at 16 x 1; never write past it.
    const int texels = static_cast<int>(sizeof(color_map) / 4);
    if (color_map_width <= 0 || color_map_height <= 0 ||
        color_map_width * color_map_height > texels) {
        return;
    }
    // Only a saturation below 1 touches the colours, so that the bytes of the full
    // colours stay exactly the truncated products: 0.9 gives 229, 0.5 gives 127.
    const bool desaturate = kind == kColorData && color_saturation < 1.0f;
    const float s = color_saturation < 0.0f ? 0.0f : color_saturation;
    for (int j = 0; j < color_map_height; ++j) {
        for (int i = 0; i < color_map_width; ++i) {
            unsigned char* texel = color_map + 4 * (j * color_map_width + i);
            float rgb[3];
            color_map_entry_rgb(i, rgb);
            if (desaturate) {
                const float grey = (rgb[0] + rgb[1] + rgb[2]) / 3.0f;
                for (float& c : rgb) c = grey + s * (c - grey);
            }
            for (int c = 0; c < 3; ++c) texel[c] = static_cast<unsigned char>(rgb[c] * 255.0);
            texel[3] = 255;
        }
    }
    glBindTexture(GL_TEXTURE_2D, kColorMapTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, color_map_width, color_map_height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, color_map);
    texel_size_s = 1.0 / color_map_width;
    texel_size_t = 1.0 / color_map_height;
}
