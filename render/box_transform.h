#pragma once
// The box transform: every model is drawn inside the cube [-5, 5]^3 around the
// origin, under the user's translation, rotations and scale.

class DataSet;

// Object translation (z negated), view rotation, object rotation, uniform scale,
// then the turn of the up axis (z up: a quarter turn about x): how the model as a
// whole is turned and moved. The axes figure uses it alone.
void apply_model_transform();

// The factor of the box mapping on axis `axis`: its own ("Individual"), the one
// uniform factor ("Uniform "), or that with the up axis stretched ("Height x").
double box_factor(const DataSet& set, int axis);

// Maps the data bounds of `set` into the drawing box by box_factor.
void apply_box_mapping(const DataSet& set);

// The determinant of the upper 3 x 3 of a column-major matrix: negative for a
// mirroring model-view (a negative scale), which turns every winding round.
double model_view_determinant(const float m[16]);
