#pragma once
// Solid tubes: prisms of `segments` sides and radius `thickness` that stand for
// the lines of the joined, needled and "Special " modes, with normals for the
// lights and the texture coordinate of one colour-map texel's centre.

#include "data/fixed_vector.h"
#include "render/draw_style.h"

// One tube from `from` to `to` (data coordinates) in colour-map entry texel_index.
// Leaves the model-view matrix as it found it. A segment whose ends or length are
// not finite is not drawn.
void emit_segment(const Vector3& from, const Vector3& to, int texel_index, const DrawStyle& style);

// A tube of `length` along local +z from the local origin: start cap, end cap in
// the opposite vertex order, then the side strip closed on its first pair.
// 4 * segments + 2 vertices.
void emit_tube(double length, int texel_index, const DrawStyle& style);
