#pragma once
// Round points from a small fragment program, in place of GL_POINT_SMOOTH, whose
// antialiasing stage is most of the cost of a large point picture on a software
// renderer. The program keeps the same fragments: those of the point's square
// whose centre lies inside its circle (smoothing without blending changes only
// alpha). Vertex processing stays fixed-function (lights, texture coordinates);
// the program modulates the colour-map texel itself, as GL_MODULATE does.

// Binds the program, with point sprites on and smoothing off, and returns true;
// false (and nothing changed) where the GL has no GLSL or the program failed to
// build. One program per GL context, built on first use.
bool begin_round_points();

// Unbinds the program: point sprites off, smoothing on again.
void end_round_points();
