#include "render/picture_key.h"

#include <algorithm>
#include <cstring>

#include "core/settings.h"
#include "data/formats.h"
#include "render/color_scale.h"
#include "render/mode_drawing.h"

double piece_vertices = kDefaultPieceVertices;
double picture_allowance_bytes = kDefaultPictureAllowanceBytes;

namespace {

template <typename T>
bool same_bits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

double grid_bytes(const PictureKey& k) {
    return static_cast<double>(k.width) * k.points_per_set * (sizeof(Vector3) + sizeof(float));
}

// Upper bounds of the tubes of the tube modes (coloured data's gaps leave some out).
double tube_count(const PictureKey& k) {
    return mode_drawing(k.display_mode)->tube_count(k.width, k.points_per_set);
}

// What the key's mode draws; keeping() keeps modes that are none out of the rest.
Draws draws(const PictureKey& k) {
    return display_mode_choice(k.display_mode)->draws;
}

bool shared_corners(const PictureKey& k) {
    return draws_surface(k.display_mode) && k.reduced_step == 0 && k.texel >= 0;
}

// Rows of quads per piece of a surface whose quads share their corners: fewer
// than 65536 vertices, so that 16-bit indices reach them all, where a row allows.
double shared_rows_per_piece(const PictureKey& k) {
    const double w = std::max(1, k.width);
    const double rows = std::min(piece_vertices / w, 65536.0 / w - 1);
    return std::max(1.0, rows);
}

std::vector<PictureRange> split(double items, double per_piece) {
    std::vector<PictureRange> pieces;
    const long long step = static_cast<long long>(std::max(1.0, per_piece));
    for (long long first = 0; first < items; first += step) pieces.push_back({first, first + step});
    if (pieces.empty()) pieces.push_back({0, 0});
    return pieces;
}

}  // namespace

bool PictureKey::operator==(const PictureKey& o) const {
    return set == o.set && revision == o.revision && kind == o.kind && width == o.width &&
           points_per_set == o.points_per_set && same_bits(min, o.min) && same_bits(max, o.max) &&
           same_bits(base_level, o.base_level) && display_mode == o.display_mode &&
           segments == o.segments && same_bits(thickness, o.thickness) &&
           same_bits(normal_limit, o.normal_limit) && up == o.up && same_bits(texel_s, o.texel_s) &&
           same_bits(texel_t, o.texel_t) && map_row == o.map_row && texel == o.texel &&
           scale == o.scale && same_bits(grid_color, o.grid_color) && outline == o.outline &&
           reduced_step == o.reduced_step;
}

PictureKey make_key(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                    const Color4& grid_color, int reduced_step, bool outline) {
    PictureKey k;
    k.set = &set;
    k.revision = set.revision;
    k.kind = set.kind;
    k.width = set.width;
    k.points_per_set = set.points_per_set;
    for (int a = 0; a < 3; ++a) {
        k.min[a] = set.min[a];
        k.max[a] = set.max[a];
    }
    k.base_level = set.base_level;
    k.display_mode = display_mode;
    k.segments = style.segments;
    k.thickness = style.thickness;
    k.normal_limit = style.normal_limit;
    k.up = style.up;
    k.texel_s = style.texel_s;
    k.texel_t = style.texel_t;
    k.map_row = style.map_row;
    const bool plain = set.plain();
    k.scale = color_scale_axis(set, display_mode);
    k.texel = plain && k.scale < 0 ? texel_index : -1;
    const ModeDrawing* drawing = mode_drawing(display_mode);
    if (plain && drawing && drawing->grid_from)
        for (int c = 0; c < 4; ++c) k.grid_color[c] = grid_color[c];
    k.reduced_step = reduced_step;
    k.outline = reduced_step == 0 && draws_tubes(display_mode) && outline;
    return k;
}

Keeping keeping(const PictureKey& k) {
    // A kind or mode that is none draws nothing, nor does coloured data in a mode
    // that does not colour points ("Special "): an empty display list stands for it.
    const FileFormat* format = file_format(k.kind);
    const DisplayModeChoice* mode = display_mode_choice(k.display_mode);
    if (!format || !mode || !mode_drawing(k.display_mode) ||
        (format->coloured && !mode->colours_points))
        return Keeping::display_list;
    if (k.reduced_step > 0) return Keeping::arrays;
    const double allowed = std::max(picture_allowance_bytes, 1.5 * grid_bytes(k));
    if (picture_bytes(k) > allowed) return Keeping::direct;
    if (draws_tubes(k.display_mode) && k.outline) return Keeping::display_list;
    return Keeping::arrays;
}

double picture_vertices(const PictureKey& k) {
    if (!display_mode_choice(k.display_mode) || !mode_drawing(k.display_mode)) return 0;
    const double w = k.width, n = k.points_per_set;
    const double step = k.reduced_step > 0 ? k.reduced_step : 1;
    switch (draws(k)) {
        case Draws::points:
            return w * n / (step * step);
        case Draws::surface:
            if (shared_corners(k)) return w * n;
            return 4 * std::max(0.0, w - 1) * std::max(0.0, n - 1) / (step * step);
        case Draws::tubes:
            if (k.reduced_step > 0) return 2 * tube_count(k);
            return tube_count(k) * (k.outline ? 4.0 * k.segments + 2 : 2.0 * k.segments);
    }
    return 0;
}

double picture_bytes(const PictureKey& k) {
    const double vertices = picture_vertices(k);
    if (vertices == 0) return 0;
    if (draws(k) == Draws::points) return vertices * 5 * sizeof(float);
    if (shared_corners(k)) {
        const double quads = std::max(0, k.width - 1) * std::max(0, k.points_per_set - 1);
        const double index_bytes = 65536.0 / std::max(1, k.width) - 1 >= 1 ? 2 : 4;
        return vertices * 6 * sizeof(float) + quads * 4 * index_bytes;
    }
    if (draws(k) == Draws::tubes && k.reduced_step == 0 && !k.outline) {
        const double indices = 2.0 * (k.segments - 2) * 3 + 6.0 * k.segments;  // a tube's
        return vertices * 8 * sizeof(float) + tube_count(k) * indices * sizeof(unsigned);
    }
    return vertices * 8 * sizeof(float);
}

std::vector<PictureRange> picture_pieces(const PictureKey& k) {
    const double w = std::max(1, k.width), n = k.points_per_set;
    const Keeping how = keeping(k);
    // The reduced picture and a display list are small: one piece.
    if (k.reduced_step > 0 || how == Keeping::display_list) return {PictureRange{}};
    switch (draws(k)) {
        case Draws::points:
            return split(n, piece_vertices / w);
        case Draws::surface:
            if (shared_corners(k)) return split(n - 1, shared_rows_per_piece(k));
            return split(n - 1, piece_vertices / (4 * w));
        case Draws::tubes: {
            const double per_tube =
                how == Keeping::direct ? 4.0 * k.segments + 2 : 2.0 * k.segments;
            return split(tube_count(k), piece_vertices / per_tube);
        }
    }
    return {PictureRange{}};
}
