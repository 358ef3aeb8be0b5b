#pragma once
// What a recorded picture of the model depends on (its key), how large it is,
// and how it is cut into pieces: rows of the grid for the points and the
// surfaces, runs of tubes for the tube modes (render/picture_range.h). No GL.

#include <cstdint>
#include <vector>

#include "data/data_set.h"
#include "render/draw_style.h"
#include "render/picture_range.h"

// Vertices of one piece, about: no recording or draw call grows with the data,
// and a frame can be drawn a few pieces at a time. Tests lower it.
extern double piece_vertices;
constexpr double kDefaultPieceVertices = 1 << 19;
// Pictures as large as this are kept whatever the grid; beyond it, a picture may
// take half as much again as the grid's own arrays. Tests lower it.
extern double picture_allowance_bytes;
constexpr double kDefaultPictureAllowanceBytes = 256.0 * (1 << 20);

// Everything emit_model reads. Doubles and floats are compared by their bits, so
// that a NaN still matches itself and -0 differs from 0.
struct PictureKey {
    const DataSet* set = nullptr;
    std::uint64_t revision = 0;
    int kind = 0, width = 0, points_per_set = 0;
    double min[3] = {}, max[3] = {};
    double base_level = 0;
    int display_mode = 0;
    int segments = 0;
    float thickness = 0;
    double normal_limit = 0;
    int up = 1;  // the coordinate the needles stand on
    double texel_s = 0, texel_t = 0;
    int map_row = 0;
    int texel = 0;             // the eye's entry; -1 where it is not used (coloured data, a scale)
    int scale = -1;            // what a colour scale shows ("Color by"); -1 none
    float grid_color[4] = {};  // only "Special " of plain data reads it
    bool outline = false;      // tube modes: drawn while the polygon mode is not GL_FILL
    int reduced_step = 0;      // 0 the full picture; the reduced one's grid step (1 for lines)

    bool operator==(const PictureKey& o) const;
};

// `outline`: whether the polygon mode is not GL_FILL now (the caller asks GL).
PictureKey make_key(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                    const Color4& grid_color, int reduced_step, bool outline);

// How a key's picture is kept: vertex buffers, a display list (tubes in outline,
// where a mesh of triangles would show their diagonals; coloured data's empty
// "Special "), or not at all: drawn directly, piece by piece, when a recording
// would take more memory than kept pictures may.
enum class Keeping { arrays, display_list, direct };
Keeping keeping(const PictureKey& k);

// Vertices and bytes the recording of a key holds, about.
double picture_vertices(const PictureKey& k);
double picture_bytes(const PictureKey& k);

// The pieces of a key's picture, in drawing order.
std::vector<PictureRange> picture_pieces(const PictureKey& k);
