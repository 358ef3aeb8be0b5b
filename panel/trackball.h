#pragma once
// Virtual-trackball maths for the rotation control: 4 x 4 column-major float
// matrices (element m[column * 4 + row], as OpenGL takes them) and rotations
// from mouse positions on a ball. No GL here.

namespace trackball {

void set_identity(float m[16]);

// Point (x, y) on the ball's disc, relative to its centre in pixels with y
// upward, mapped onto the unit sphere; points outside the rim go onto the rim.
void ball_point(float x, float y, float radius, float out[3]);

// The turn that carries unit vector `from` onto `to`: a unit axis and an angle in
// radians (0, with the axis left as is, when they coincide).
float turn_between(const float from[3], const float to[3], float axis[3]);

// m = R(axis, angle) * m: turns m about an axis fixed on the screen.
void rotate_by(float m[16], const float axis[3], float angle);

// Makes the upper-left 3 x 3 block of m orthonormal again (Gram-Schmidt on its
// columns), so that many small turns do not drift away from a rotation; the
// rest of m becomes that of a pure rotation. A degenerate block becomes the
// identity.
void orthonormalize(float m[16]);

}  // namespace trackball
