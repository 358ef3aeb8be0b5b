#pragma once
// Materials of the model: the standard one every draw starts with, and the
// one-colour material of the "Special " bottom grid.

#include "data/fixed_vector.h"

// Diffuse and specular both `color`, shininess 60; ambient and emission untouched.
void set_material_color(Color4 color);
