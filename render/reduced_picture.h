#pragma once
// The reduced picture drawn while the user interacts with a model whose full
// picture is too slow for the frame budget: points and surfaces on a regular
// subsample of the grid, the tubes of the line-set and "Special " modes as lit
// lines, thinned the same way when there are too many. It is a recorded picture like the others
// (render/draw_cache.h).

// Whether the model is drawn reduced during an interaction (when
// `during_interaction`): "Fast interaction" is ticked, pictures are recorded,
// and the last full frame took longer than the frame budget. The frame decides
// and says so in the part of the model it draws (data/data_set.h); without an
// argument, for the interaction going on now.
bool reduced_picture_wanted(bool during_interaction);
bool reduced_picture_wanted();

// Every how many sets and points the reduced points and surfaces keep: their
// cost falls with the square of the step from that of the full picture drawn
// from its recordings (recorded_frame_seconds, or full_frame_seconds before one
// is known), and a quarter of the budget is left to the rest of the frame. At
// least 2.
int reduced_grid_step();

// The same for the lines of the tube modes, through every step-th point of
// every step-th set: a lit line costs about what one side of a tube does, so
// the step is that of a picture "Segments:" times cheaper. At least 1 (every
// line).
int reduced_tube_step();

// Width of the reduced picture's lines, in pixels.
constexpr float kReducedLineWidth = 2.0f;
