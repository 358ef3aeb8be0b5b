#pragma once
// The colour scale of "Color by": a continuous, perceptually uniform colour map
// (dark blue-violet through teal and green to yellow, its lightness rising
// monotonically) held in a second texture of kColorScaleEntries texels, one row.
// A point coloured by x, y, z or its value takes the entry of that number's place
// between the smallest and the largest of it in the data.

#include "data/data_set.h"

constexpr int kColorScaleEntries = 256;
// One texel more holds the colour of what has no value to show (a missing value
// of a table): the data colour 0, the colour map's first entry.
constexpr int kMissingValueEntry = kColorScaleEntries;
// The scale's texture name in the picture's context, beside the colour map's.
constexpr unsigned kColorScaleTexture = 2;
// What a colour scale can show: a coordinate (0 x, 1 y, 2 z) or the values.
constexpr int kScaleOfValues = 3;

// The colour at t in [0, 1] (clamped), RGB in [0, 1].
void color_scale_rgb(double t, float rgb[3]);

// What the colours of `set` show in `display_mode` under the `color_by` setting:
// the coordinate 0..2, kScaleOfValues, or -1 for the colour map's entries ("None",
// "Special ", "Value" for data without values).
int color_scale_axis(const DataSet& set, int display_mode);

// The range of the scale's axis in `set`: the bounds of a coordinate, the finite
// values' smallest and largest. False when there is nothing finite to show.
bool color_scale_range(const DataSet& set, int axis, double& low, double& high);

// Binds the scale's texture, filled with the scale (softened toward grey by
// color_saturation), and sets texel_size_s and texel_size_t to its texels.
void use_color_scale();
