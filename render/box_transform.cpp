#include "render/box_transform.h"

#include <GL/gl.h>

#include "core/settings.h"
#include "core/view_state.h"
#include "data/data_set.h"

void apply_model_transform() {
    glTranslatef(object_translation[0], object_translation[1], -object_translation[2]);
    glMultMatrixf(view_rotation);
    glMultMatrixf(object_rotation);
    glScalef(scale, scale, scale);
    // z up: +z up the screen, +y into it.
    if (up_coordinate(up_axis) == 2) glRotatef(-90, 1, 0, 0);
}

double box_factor(const DataSet& set, int axis) {
    switch (static_cast<AxisScaling>(axis_data)) {
        case kIndividualAxes:
            break;
        case kUniformAxes:
            return set.scaleFactor;
        case kHeightAxes:
            return set.scaleFactor * (axis == up_coordinate(up_axis) ? height_exaggeration : 1.0);
    }
    return set.axis_scale[axis];
}

void apply_box_mapping(const DataSet& set) {
    const double fx = box_factor(set, 0);
    const double fy = box_factor(set, 1);
    const double fz = box_factor(set, 2);
    glTranslatef(static_cast<float>(-set.min.x() * fx * 10 - 5),
                 static_cast<float>(-set.min.y() * fy * 10 - 5),
                 static_cast<float>(-set.min.z() * fz * 10 - 5));
    glScalef(static_cast<float>(fx * 10), static_cast<float>(fy * 10), static_cast<float>(fz * 10));
}

double model_view_determinant(const float m[16]) {
    return m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
           m[8] * (m[1] * m[6] - m[5] * m[2]);
}
