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

// Mode 0: every point, row by row (points_per_set outer, sets inner).
void emit_points(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                 const PictureRange& range = {});

// Mode 1: tubes between successive points of each set.
void emit_joined(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                 const PictureRange& range = {});

// Mode 2: for every row a baseline at the lowest y through the feet of its
// points, and a needle from each foot up to its point.
void emit_needled(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                  const PictureRange& range = {});

// Modes 3 (outlines) and 4 (filled): one flat-shaded quad per grid cell, in the
// texel of its corner P00.
void emit_surface(const DataSet& set, const PointTexels& texels, const DrawStyle& style,
                  bool filled, const PictureRange& range = {});

// Mode 5, plain data only: needles from base_level, then the bottom grid of
// tubes in `grid_color`, which stays the material afterwards.
void emit_special(const DataSet& set, int texel_index, const DrawStyle& style,
                  const Color4& grid_color, const PictureRange& range = {});

// The model in `display_mode`: plain data in modes 0..5, coloured data (kind
// kColorData) in modes 0..4; anything else draws nothing.
void emit_model(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                const Color4& grid_color, const PictureRange& range = {});

// Why `display_mode` draws nothing of a set that has points: a surface of one set
// of points, or of one point per set, has no quad. Empty when it draws something.
std::string empty_picture_note(const DataSet& set, int display_mode);
