#pragma once
// The frame's matrices computed in software, as GL would make them, for
// fitting the view and setting a comfortable depth before a frame is drawn.

#include <array>

#include "app/camera.h"

using Matrix = std::array<double, 16>;  // column-major, as GL's

Matrix times(const Matrix& a, const Matrix& b);
// The projection of eye window `window`, as begin_eye_pass gives it.
Matrix projection(const CameraFrame& c, int window);
// The model-view of an eye at `offset` with the model transform of
// apply_model_transform, the scale and translation across the view given.
Matrix model_view(const Vector3& offset, double s, double tx, double ty);
