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

// Where box coordinates land in the window: a model-view (the eye, the model
// transform on it, not the box mapping), a projection and a viewport.
struct ScreenProjection {
    double model[16], proj[16];
    int viewport[4];
    // Window position of box point p; false behind the camera.
    bool window(const Vector3& p, double& wx, double& wy) const;
};
// The one GL holds now.
ScreenProjection current_projection();

// A rectangle of the window, in pixels: x0, y0 (lower left), x1, y1.
struct PixelRect {
    double x0, y0, x1, y1;
    bool overlaps(const PixelRect& o) const {
        return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1;
    }
};
// The pixels of a label's text under `pr`; false when it lies behind the camera.
bool label_pixels(const BoxLabel& label, const ScreenProjection& pr, PixelRect& r);

// The box of `set` under `pr`, seen by an eye at `eye_offset` from the camera
// position. Each axis is labelled along the one of its four edges whose middle
// lies farthest from the box's centre in the picture, its numbers beyond their
// tick marks and its name beyond the numbers, outside the box. A label that
// would overlap a name, a number of higher rank (round values first) or a band
// of `keep_clear` (the file name's and the title's) is left out. Edges, sides
// and overlaps are judged from the camera position, so that both eyes show the
// same labels at the same places of the box. Empty for a set without points or
// with bounds that are not finite.
BoundsBox layout_bounds_box(const DataSet& set, const Vector3& eye_offset,
                            const ScreenProjection& pr,
                            const std::vector<PixelRect>& keep_clear = {});
// The same with GL's current matrices and viewport and the overlay's bands.
BoundsBox layout_bounds_box(const DataSet& set, const Vector3& eye_offset = Vector3(0, 0, 0));

// Draws the layout in the overlay's colour (1 - background), lines depth-tested.
void draw_bounds_box(const DataSet& set, const Vector3& eye_offset);
