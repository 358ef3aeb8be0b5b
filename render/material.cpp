#include "render/material.h"

#include <GL/gl.h>

#include "data/data_set.h"
#include "render/color_map.h"

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
