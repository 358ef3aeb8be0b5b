#include <GL/gl.h>

#include "core/fixed_vector.h"

template <>
void FixedVector<double, 3>::gl_translate() const {
    glTranslated(v_[0], v_[1], v_[2]);
}
template <>
void FixedVector<double, 3>::gl_normal() const {
    glNormal3f(static_cast<float>(v_[0]), static_cast<float>(v_[1]), static_cast<float>(v_[2]));
}
template <>
void FixedVector<double, 3>::gl_vertex() const {
    glVertex3f(static_cast<float>(v_[0]), static_cast<float>(v_[1]), static_cast<float>(v_[2]));
}
