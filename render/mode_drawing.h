#pragma once
// What each display mode draws beyond its kind of picture (core/choices.h), one
// entry each in the order of DisplayMode: the tubes of a tube mode in drawing
// order, how many a grid gives, where the bottom grid's material takes over, and
// whether coloured data's negative values leave gaps. Immediate drawing
// (render/model_modes.h), the recorded pictures (render/picture_vertices.h) and
// their cost (render/picture_key.h) take the mode from here by what it draws.

#include "data/data_set.h"
#include "render/function_ref.h"
#include "render/picture_range.h"
#include "render/point_texels.h"

using TubeVisit = FunctionRef<void(const Vector3& from, const Vector3& to, int texel)>;

struct ModeDrawing {
    int mode;  // a DisplayMode
    // Tube modes: every tube in drawing order, in its entry (`texel`: plain
    // data's, where the mode does not take it from the texels), needles along the
    // up coordinate `up`. Null otherwise.
    void (*tubes)(const DataSet& set, const PointTexels& texels, int texel, int up,
                  TubeVisit visit);
    // Tubes of a grid of w x n points, at most (coloured data's gaps leave some out).
    double (*tube_count)(double w, double n);
    // The tubes from this one on are the bottom grid, in the grid's material
    // ("Special "): how many come before it. Null: no grid.
    long long (*grid_from)(const DataSet& set);
    bool gaps;  // coloured data: a segment from a negative value is left out
};

extern const ModeDrawing kModeDrawings[kDisplayModeCount];

// The drawing of display mode `mode`, or null for a value that is none.
const ModeDrawing* mode_drawing(int mode);

// The tubes of `drawing` that `range` holds (counting every tube of the walk),
// and grid_starts() once before the first tube of the bottom grid that the range
// reaches, or after the last tube when it reaches the grid but the grid is empty.
void walk_tubes(const ModeDrawing& drawing, const DataSet& set, const PointTexels& texels,
                int texel, int up, const PictureRange& range, TubeVisit visit,
                FunctionRef<void()> grid_starts);
