#pragma once
// Everything the model emitters read besides the data set itself, gathered in one
// value so that a drawing can be recorded with its inputs and replayed later.

#include "core/fixed_vector.h"

class DataSet;

// Tube sides are kept to what the "Segments:" spinner allows.
constexpr int kMinSegments = 3;
constexpr int kMaxSegments = 60;

struct DrawStyle {
    int segments = 8;         // tube sides, within kMinSegments..kMaxSegments
    float thickness = 0.02f;  // tube radius in data units; point size and line width are 100x
    double texel_s = 1.0;     // extent of one colour-map texel in s
    double texel_t = 1.0;     // ... and in t
    int map_row = 0;          // colour-map row of the tube texture coordinates
    // Largest component a tube normal may have: GL turns normals with the inverse
    // of the box mapping, which for data spanning nearly all of single precision
    // multiplies them by some 1e38; there they are kept small. Far out of reach
    // for any other data.
    double normal_limit = 1e30;
    int up = 1;  // the coordinate needles stand on: 1 y, 2 z (the up_axis setting)
};

// The style of the current settings and colour map for `set`.
DrawStyle current_draw_style(const DataSet& set);

// The "Special " bottom-grid colour: white minus the background, alpha included.
Color4 grid_color_for(const Color4& background);
