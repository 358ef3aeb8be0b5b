#pragma once
// The geometry of the minimal drawing programs (bench/limit_frames.cpp): what a
// single draw call needs to put the same picture on the screen as Zendral's
// points, filled surface and joined tubes, built here once on the processor,
// written for this bench alone (none of the viewer's drawing code). No GL.

#include <vector>

#include "data/data_set.h"

struct LimitMesh {
    int floats_per_vertex = 3;      // position (3), or normal and position (6)
    std::vector<float> vertices;    // interleaved, in data coordinates
    std::vector<unsigned> indices;  // quads or triangles; empty for points
    int vertex_count() const { return static_cast<int>(vertices.size()) / floats_per_vertex; }
};

// Every finite point, in the grid's order (row by row).
LimitMesh limit_points(const DataSet& set);

// The filled surface: one vertex a grid point, carrying the normal of the quad
// whose last corner it is, so that flat shading from the last corner lights
// each quad by its own normal; the quads P00 P01 P11 P10.
LimitMesh limit_surface(const DataSet& set);

// The joined tubes (between successive points of each set): `sides`-sided prisms
// of radius `radius` (data units), rolled 45 degrees about their axes, their two
// rings shared by the caps (fans) and the side (two triangles a face), wound
// inward as the viewer winds them, with the normals it gives them.
LimitMesh limit_tubes(const DataSet& set, double radius, int sides);
