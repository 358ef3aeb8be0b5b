#pragma once
// The display modes, one emitter each. An emitter reads only its arguments and
// leaves behind the GL state its mode sets (point size, line width, polygon
// mode, the grid material), so a drawing can be recorded once and replayed.
// Vertices are in data coordinates: the box transform is already on the stack.

#include <string>

#include "data/data_set.h"
#include "render/draw_style.h"
#include "render/picture_range.h"
#include "render/point_texels.h"

// Each emitter draws the part of its picture that `range` holds (render/picture_range.h).

// The points: every point, row by row (points_per_set outer, sets inner).
void emit_points(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                 const PictureRange& range = {});

// The tube modes (render/mode_drawing.h): every tube of `drawing` that `range`
// holds, the bottom grid's in `grid_color`, which stays the material afterwards.
struct ModeDrawing;
void emit_tubes(const ModeDrawing& drawing, const DataSet& set, const PointTexels& texels,
                int texel_index, const DrawStyle& style, const Color4& grid_color,
                const PictureRange& range = {});

// The model in `display_mode`: plain data in every mode, coloured data in the
// modes that colour their points (core/choices.h); a mode or a kind that is none
// draws nothing.
void emit_model(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                const Color4& grid_color, const PictureRange& range = {});

// Why `display_mode` draws nothing of a set that has points: a surface of one set
// of points, or of one point per set, has no quad. Empty when it draws something.
std::string empty_picture_note(const DataSet& set, int display_mode);
