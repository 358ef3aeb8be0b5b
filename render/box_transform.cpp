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
}

void apply_box_mapping(const DataSet& set) {
    const bool uniform = axis_data == kUniformAxes;
    const double fx = uniform ? set.scaleFactor : set.axis_scale.x();
    const double fy = uniform ? set.scaleFactor : set.axis_scale.y();
    const double fz = uniform ? set.scaleFactor : set.axis_scale.z();
    glTranslatef(static_cast<float>(-set.min.x() * fx * 10 - 5),
                 static_cast<float>(-set.min.y() * fy * 10 - 5),
                 static_cast<float>(-set.min.z() * fz * 10 - 5));
    glScalef(static_cast<float>(fx * 10), static_cast<float>(fy * 10), static_cast<float>(fz * 10));
}
