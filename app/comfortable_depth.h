#pragma once
// "Comfortable depth": the plane of zero parallax through the data's centre, and
// the eyes as far apart as keeps every corner of the bounds box within 1/30 of
// the picture's width in parallax (the common guideline for screens). The
// camera and the model move together, so that the picture of the centre eye
// stays as it was.

// The largest parallax, as a share of an eye's picture width.
constexpr double kComfortableParallax = 1.0 / 30;

// Sets focal_length, eye_separation and focal_ratio for the data as they are
// seen now; false (nothing changed) without data or with the data's centre
// behind the eyes.
bool make_depth_comfortable();
