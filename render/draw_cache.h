#pragma once
// Recorded pictures of the model: DataSet::draw can emit the current display mode
// once into a GL display list and replay it for every later frame and for both
// eyes, until something that changes what is emitted changes: the data set, the
// display mode, segments, thickness, base_level, the colour-map layout, the
// eye's colour-map entry (plain data only) or the bottom-grid colour ("Special "
// of plain data only). Everything outside the list (material and texture set-up,
// the box transform, matCur) runs on every draw as before, and state that the
// modes only read (the polygon mode a surface mode left behind, the line width)
// applies at replay exactly as it does to immediate drawing.
// A picture of more than some eight million vertices (a million tubes, say) is
// not recorded but drawn directly every time, as it would take gigabytes.

#include "data/data_set.h"
#include "render/draw_style.h"

// Whether DataSet::draw replays recorded pictures (true) or emits every vertex
// anew on every call (false, the default of the library; the viewer turns it on
// at start). Turning it off releases the recorded pictures of the current context.
void set_draw_cache(bool on);
bool draw_cache_enabled();

// Forgets every recorded picture of the current GL context. Needed only by code
// that changes a data set's points in place (the readers give every load a new
// revision, which the cache notices by itself).
void invalidate_draw_cache();

// Emits the model as emit_model would, from a recorded picture when one fits and
// can be made; falls back to emitting directly when GL cannot record it.
void draw_model_cached(const DataSet& set, int texel_index, int display_mode,
                       const DrawStyle& style, const Color4& grid_color);
