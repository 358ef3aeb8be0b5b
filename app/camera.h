#pragma once
// The numbers of one frame's off-axis stereo camera, free of GL so that they can
// be checked on their own: three viewing windows at the near plane (left eye,
// centre, right eye) and the offsets of the two eyes from the camera position.

#include "core/view_state.h"

struct CameraFrame {
    double sep;       // eye separation in scene units (eye_separation / 10)
    double ratio;     // viewport width / height
    double radians;   // half the vertical field of view
    double wd2;       // half the height of the viewing window at the near plane
    double ndfl;      // near distance / focal length: scales the window shift
    double left[3];   // left edges of the windows: 0 left eye, 1 centre, 2 right eye
    double right[3];  // right edges of the same windows
    double top;
    double bottom;
    Vector3 leftv;   // left eye offset from vp: on the -x side
    Vector3 rightv;  // right eye offset: -leftv
    // The map view: a parallel projection, half_height high above the centre.
    bool parallel = false;
    double half_height = 0;
};

// Computes the frame's camera from the settings and the viewport size. Guards:
// a focal length of 0 (or one so small that the shift overflows) leaves the
// windows unshifted; a viewport dimension below 1 is taken as 1; a non-finite
// eye separation counts as 0. Every field of the result is finite.
// The eyes sit across `direction` x `up`: the camera's view direction and up
// vector, vd and vu unless given.
CameraFrame compute_camera(double eye_separation, double focal_length, int view_width,
                           int view_height, const Vector3& direction = vd, const Vector3& up = vu);

// Whether the map view is shown now: key 2 chose it, "MonoView " draws, and the
// model has not been turned since.
bool map_view_shown();
// The frame's camera as the frame uses it: compute_camera with the settings and
// the eye's part of the viewport, parallel in the map view.
CameraFrame frame_camera();
