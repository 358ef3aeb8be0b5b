#pragma once
// Solid tubes: prisms of `segments` sides and radius `thickness` that stand for
// the lines of the joined, needled and "Special " modes, with normals for the
// lights and the texture coordinate of one colour-map texel's centre.

#include "core/fixed_vector.h"
#include "render/draw_style.h"

// The ring of a tube in colour-map entry `texel`: `segments` points (x, y) of
// radius `thickness`, made by repeated rotation of the previous point
// (counter-clockwise), and the texture coordinate of every vertex, the centre of
// texel `texel` of the colour-map row.
struct TubeRing {
    int n = 0;
    double x[kMaxSegments], y[kMaxSegments];
    float s = 0, t = 0;
};
// False (and no ring) when the radius is not finite.
bool make_tube_ring(int texel, const DrawStyle& style, TubeRing& ring);

// The matrix emit_segment multiplies onto the model-view matrix for a tube from
// `from` to `to` whose difference has the finite length `len`: translation to
// `from`, the turn of local z onto the segment (none for length 0), then the
// 45-degree roll about the tube's axis. Column-major.
void segment_placement(const Vector3& from, const Vector3& to, double len, double m[16]);

// One tube from `from` to `to` (data coordinates) in colour-map entry texel_index.
// Leaves the model-view matrix as it found it. A segment whose ends or length are
// not finite is not drawn.
void emit_segment(const Vector3& from, const Vector3& to, int texel_index, const DrawStyle& style);

// A tube of `length` along local +z from the local origin: start cap, end cap in
// the opposite vertex order, then the side strip closed on its first pair.
// 4 * segments + 2 vertices. A length beyond single precision (data reaching
// from -3e38 to 3e38, say) is drawn halved as often as needed and stretched back
// by the matrix, so that no coordinate GL receives is infinite.
void emit_tube(double length, int texel_index, const DrawStyle& style);

// A tube normal (x, y, z) as floats: the same direction, scaled down when a
// component is beyond `limit` (GL_NORMALIZE makes it unit length anyway).
void finite_normal(double x, double y, double z, double limit, float out[3]);
