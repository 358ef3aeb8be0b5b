#pragma once
// The labelled bounds box: the edges of the box the data fill after the box
// mapping, tick marks at round values with their numbers along one edge of each
// axis, and the axis names at the middle of those edges. It is drawn in 3-D with
// the model's transform, so each eye of a stereo picture sees it at its depth;
// the numbers are bitmap text at 3-D raster positions.

#include <string>
#include <utility>
#include <vector>

#include "core/fixed_vector.h"

class DataSet;

struct BoxLabel {
    Vector3 at;     // raster position, box coordinates
    double dx, dy;  // pixels from there to the text's lower left corner
    std::string text;
    int axis;  // 0 x, 1 y, 2 z
};

struct BoundsBox {
    std::vector<std::pair<Vector3, Vector3>> lines;  // the 12 edges and the ticks, box coordinates
    std::vector<BoxLabel> labels;                    // the names, then the numbers
};

// The box of `set` under the current model-view (an eye at `eye_offset` from the
// camera position, the model transform on it, not the box mapping), projection
// and viewport. Each axis is labelled along the one of its four edges whose
// middle lies farthest from the box's centre in the picture, its numbers and
// name outside the box; a label that would overlap one placed before it is left
// out. Edges, sides and overlaps are judged from the camera position, so that
// both eyes show the same labels at the same places of the box. Empty for a set
// without points or with bounds that are not finite.
BoundsBox layout_bounds_box(const DataSet& set, const Vector3& eye_offset = Vector3(0, 0, 0));

// Draws the layout in the overlay's colour (1 - background), lines depth-tested.
void draw_bounds_box(const DataSet& set, const Vector3& eye_offset);
