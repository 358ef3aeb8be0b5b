#pragma once
// The vertices of recorded pictures, built on the processor for a vertex buffer:
// points and surface quads as immediate drawing sends them (optionally every
// k-th set and point only), the tubes of a tube mode as one indexed mesh placed
// in data coordinates, and the lit lines that stand for the tubes while the user
// interacts. No GL here.

#include <cstddef>
#include <vector>

#include "data/data_set.h"
#include "render/draw_style.h"
#include "render/picture_range.h"
#include "render/point_texels.h"

// How a surface's quads are recorded: each with corners of its own, as immediate
// drawing sends them; or, for plain data, sharing their corners with their
// neighbours and drawn with flat shading, which gives a whole quad the colour of
// its last corner (P10): that corner carries the quad's normal. Quads, not their
// triangles, so that GL tells a quad's front from its back as a whole, as it
// does drawn directly (both sides are lit, by their own normals).
enum class SharedCorners { none, quads };

struct PictureVertices {
    // texture coordinate, normal, vertex (8 floats), no normal (5), or with shared
    // corners no texture coordinate (6): plain data's one entry is in last[0..1].
    bool normals = true;
    SharedCorners shared = SharedCorners::none;
    std::vector<float> vertices;    // interleaved
    std::vector<unsigned> indices;  // the mesh's triangles (or quads); empty when drawn in order
    // "Special ": elements (indices, or vertices without indices) of the needles,
    // which the grid follows in its own material. All of them otherwise.
    std::size_t needles = 0;
    // Texture coordinate and normal current after the last vertex, as immediate
    // drawing would leave them, and whether there was one (points send no normal).
    float last[5] = {};
    bool has_last = false;

    int floats_per_vertex() const { return shared != SharedCorners::none ? 6 : normals ? 8 : 5; }
    std::size_t vertex_count() const { return vertices.size() / floats_per_vertex(); }
    std::size_t element_count() const { return indices.empty() ? vertex_count() : indices.size(); }
};

// The texture coordinate of entry k, as gl_texel_coord sends it.
void texel_coord(int k, const DrawStyle& style, float out[2]);

// Each builds the part of its picture that `range` holds (render/picture_range.h).

// Every `step`-th point of every `step`-th row, in the order of the points mode.
PictureVertices point_vertices(const DataSet& set, const PointTexels& texels,
                               const DrawStyle& style, int step = 1,
                               const PictureRange& range = {});

// The surface's quads; with a step above 1 the quads of a grid of every
// `step`-th set and point (the last cell of a row or column reaching the edge),
// each with its own flat normal and the entry of its corner P00. Plain data at
// step 1 as quads sharing their corners (shared_corners).
PictureVertices surface_vertices(const DataSet& set, const PointTexels& texels,
                                 const DrawStyle& style, int step = 1,
                                 const PictureRange& range = {});

// The tubes of display mode 1, 2 or 5 (texel: the entry of plain data's
// "Special "), each with 2 x segments vertices shared by its caps and side, and
// triangles in the order and winding of immediate drawing: start cap, end cap,
// side.
PictureVertices tube_mesh(const DataSet& set, const PointTexels& texels, int display_mode,
                          int texel, const DrawStyle& style, const PictureRange& range = {});

// The same tubes as lines along their axes, in each tube's entry, with a normal
// across the line (the tube's side facing up) for the lights.
PictureVertices tube_lines(const DataSet& set, const PointTexels& texels, int display_mode,
                           int texel, const DrawStyle& style, const PictureRange& range = {});
