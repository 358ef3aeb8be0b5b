#pragma once
// Recorded pictures of the model: DataSet::draw can record what the current
// display mode emits once and replay it for every later frame and for both eyes,
// until something that changes what is emitted changes: the data set, the
// display mode, segments, thickness, base_level, the colour-map layout, the
// eye's colour-map entry (plain data only), what "Color by" colours by, the
// bottom-grid colour ("Special " of plain data only), and for the tube modes
// whether the polygon mode is filled. Everything outside the recording (material
// and texture set-up, so the colours and the transparency, the box transform,
// matCur) runs on every draw as before, and state that the modes only
// read (the polygon mode a surface mode left behind, the line width) applies at
// replay exactly as it does to immediate drawing.
// - Points and surfaces are drawn from vertex buffers, the points round by a
//   small fragment program where the GL has one (render/round_points.h), the
//   quads of plain data's surfaces sharing their corners (render/picture_vertices.h):
//   the same pixels as immediate drawing.
// - Solid tubes are drawn from one indexed mesh placed beforehand
//   (render/picture_vertices.h), their hidden inner faces culled: a few pixels
//   along the edges come out rounded differently. Tubes drawn as outlines (after
//   "Surface grid ") are recorded in a display list, as triangles would show
//   their diagonals there.
// - The reduced picture of an interaction (render/reduced_picture.h) is recorded
//   the same way, beside the full one.
// A picture whose recording would take more than half as much again as the grid
// itself (and more than 256 MB) is not recorded but drawn directly every time, a
// piece at a time.

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

// Vertices of the pictures recorded now, in every context: what the cache holds.
double recorded_vertices();

// A picture is recorded and drawn in pieces of about piece_vertices vertices
// (render/picture_key.h), so that no recording grows with the data and a frame
// can be drawn a few pieces at a time (ModelPart, data/data_set.h).
// Pieces of the picture of the last model draw.
int model_piece_count();
// A model drawn directly, not through the recorded pictures: one piece.
void note_whole_model_drawn();
// Pieces recorded or drawn directly so far, all draws together: a frame during
// which it does not change was drawn from recorded pictures alone.
unsigned long model_pieces_made();

// Emits `part` of the model as emit_model would, from a recorded picture when
// one fits and can be made; falls back to emitting directly when GL cannot
// record it. A reduced part is of the reduced picture (render/reduced_picture.h).
// Returns the picture's number of pieces.
int draw_model_cached(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                      const Color4& grid_color, const ModelPart& part);
