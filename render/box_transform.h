#pragma once
// The box transform: every model is drawn inside the cube [-5, 5]^3 around the
// origin, under the user's translation, rotations and scale.

class DataSet;

// Object translation (z negated), view rotation, object rotation, uniform scale:
// how the model as a whole is turned and moved. The axes figure uses it alone.
void apply_model_transform();

// Maps the data bounds of `set` into the drawing box, per axis ("Individual") or
// with the one uniform factor ("Uniform "), by the `axis_data` setting.
void apply_box_mapping(const DataSet& set);
