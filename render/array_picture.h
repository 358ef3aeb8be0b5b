#pragma once
// A recorded picture held in vertex buffers of the picture's GL context: points,
// surface quads, the tubes of a tube mode as one indexed mesh, or the reduced
// picture's lines. Replaying it sets the state its mode sets and leaves the
// state immediate drawing of the mode leaves (current texture coordinate and
// normal, the point size and smoothing, the line width and polygon mode of a
// surface, the bottom grid's material of "Special ").

#include "core/fixed_vector.h"
#include "render/draw_style.h"
#include "render/picture_vertices.h"

struct ArrayPicture {
    enum Kind { kPoints, kQuads, kTubes, kLines };
    Kind kind = kPoints;
    bool filled = false;         // quads: filled or outlines
    bool grid_material = false;  // "Special ": the grid's material after the needles
    bool normals = false;
    SharedCorners shared = SharedCorners::none;  // surfaces: flat shading, no texture coordinates
    unsigned vertices = 0, indices = 0;          // GL buffer names
    bool short_indices = false;  // 16 bits each (a piece of fewer than 65536 vertices)
    int elements = 0, needles = 0;
    float last[5] = {};
    bool has_last = false;
};

// Reads and forgets errors GL has kept, so that the next check sees only its own.
void clear_gl_errors();

// Fills the buffers; false when GL could not hold them (nothing is kept then).
bool upload(ArrayPicture& picture, const PictureVertices& source);
void release(ArrayPicture& picture);
void replay(const ArrayPicture& picture, const DrawStyle& style, const Color4& grid_color);
