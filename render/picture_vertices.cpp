#include "render/picture_vertices.h"

#include <cmath>

#include "core/settings.h"
#include "render/color_map.h"
#include "render/grid_walk.h"
#include "render/mode_drawing.h"
#include "render/tube.h"

namespace {

void push(std::vector<float>& out, const float* values, int count) {
    out.insert(out.end(), values, values + count);
}

// Calls visit(from, to, entry) for every tube of the mode that `range` holds,
// and sets `needles` to the elements made before the bottom grid of "Special "
// (all of them in the other modes).
template <typename Visit>
void for_each_tube(const DataSet& set, const PointTexels& texels, int display_mode, int texel,
                   int up, const PictureRange& range, PictureVertices& out,
                   std::size_t (*elements)(const PictureVertices&), Visit visit) {
    const ModeDrawing* drawing = mode_drawing(display_mode);
    bool grid_started = false;
    if (drawing) {
        walk_tubes(*drawing, set, texels, texel, up, range, visit, [&] {
            out.needles = elements(out);
            grid_started = true;
        });
    }
    if (!grid_started) out.needles = elements(out);
}

// A plain surface whose quads share their corners (SharedCorners): the vertices
// of the rows of points from the range's first row to one past its last, each
// with the normal of the quad it colours, and the quads as indices, in the order
// of immediate drawing.
PictureVertices shared_surface(const DataSet& set, const PointTexels& texels,
                               const DrawStyle& style, const PictureRange& range) {
    PictureVertices out;
    out.shared = SharedCorners::quads;
    const long long rows = set.points_per_set - 1;  // rows of quads
    const int first = static_cast<int>(range.first < 0 ? 0 : range.first);
    const int end = static_cast<int>(range.end < rows ? range.end : rows);
    // One set has rows of points but no quad between them: nothing to draw.
    if (first >= end || set.width < 2) return out;
    const int width = set.width;
    // The quad vertex (s, i) colours: the one whose P10 it is.
    const int quad_s = -1;
    texel_coord(texels.at(0, 0), style, out.last);
    out.vertices.reserve(static_cast<std::size_t>(end - first + 1) * width * 6);
    for (int i = first; i <= end; ++i) {
        for (int s = 0; s < width; ++s) {
            const Vector3& p = set.point(s, i);
            const int q = s + quad_s;
            const Vector3 n =
                q >= 0 && q < width - 1 && i < rows
                    ? quad_normal(set.point(q, i), set.point(q, i + 1), set.point(q + 1, i + 1))
                    : kFallbackQuadNormal;
            const float v[6] = {static_cast<float>(n.x()), static_cast<float>(n.y()),
                                static_cast<float>(n.z()), static_cast<float>(p.x()),
                                static_cast<float>(p.y()), static_cast<float>(p.z())};
            push(out.vertices, v, 6);
        }
    }
    const auto at = [&](int s, int i) { return static_cast<unsigned>((i - first) * width + s); };
    for_each_quad(
        set, texels,
        [&](const Vector3* const corners[4], const Vector3& n, const int*) {
            // The corners' place in the grid, from the address of P00.
            const std::size_t k = static_cast<std::size_t>(corners[0] - set.points.get());
            const int s = static_cast<int>(k % width), i = static_cast<int>(k / width);
            const unsigned p00 = at(s, i), p01 = at(s, i + 1), p11 = at(s + 1, i + 1),
                           p10 = at(s + 1, i);
            out.indices.insert(out.indices.end(), {p00, p01, p11, p10});
            out.last[2] = static_cast<float>(n.x());
            out.last[3] = static_cast<float>(n.y());
            out.last[4] = static_cast<float>(n.z());
            out.has_last = true;
        },
        1, range);
    out.needles = out.element_count();
    return out;
}

// What the last vertex of a tube leaves current: ring point 0 of the end cap.
void remember_tube_end(PictureVertices& out, const TubeRing& ring, double len, double limit) {
    out.last[0] = ring.s;
    out.last[1] = ring.t;
    finite_normal(ring.x[0], ring.y[0], len, limit, out.last + 2);
    out.has_last = true;
}

// The tube's placed vertices: bottom ring, then top ring; texture coordinate,
// normal (the ring's, turned with the tube), vertex.
void append_tube(PictureVertices& out, const Vector3& from, const Vector3& to, int k,
                 const DrawStyle& style) {
    const double len = (to - from).length();
    TubeRing ring;
    if (!std::isfinite(len) || !make_tube_ring(k, style, ring)) return;
    double m[16];
    segment_placement(from, to, len, m);
    const unsigned base = static_cast<unsigned>(out.vertex_count());
    const int n = ring.n;
    for (int top = 0; top < 2; ++top) {
        const double z = top ? len : 0.0;
        for (int j = 0; j < n; ++j) {
            const double x = ring.x[j], y = ring.y[j];
            float normal[3];
            finite_normal(m[0] * x + m[4] * y + m[8] * z, m[1] * x + m[5] * y + m[9] * z,
                          m[2] * x + m[6] * y + m[10] * z, style.normal_limit, normal);
            const float v[8] = {ring.s,
                                ring.t,
                                normal[0],
                                normal[1],
                                normal[2],
                                static_cast<float>(m[0] * x + m[4] * y + m[8] * z + m[12]),
                                static_cast<float>(m[1] * x + m[5] * y + m[9] * z + m[13]),
                                static_cast<float>(m[2] * x + m[6] * y + m[10] * z + m[14])};
            push(out.vertices, v, 8);
        }
    }
    auto bottom = [&](int j) { return base + static_cast<unsigned>(j % n); };
    auto top = [&](int j) { return base + static_cast<unsigned>(n + j % n); };
    std::vector<unsigned>& ix = out.indices;
    // The caps as fans from their first vertex; the end cap runs backwards.
    for (int j = 1; j + 1 < n; ++j) ix.insert(ix.end(), {bottom(0), bottom(j), bottom(j + 1)});
    for (int j = 1; j + 1 < n; ++j)
        ix.insert(ix.end(), {top(n - 1), top(n - 1 - j), top(n - 2 - j)});
    for (int j = 0; j < n; ++j) {
        ix.insert(ix.end(), {bottom(j), top(j), top(j + 1)});
        ix.insert(ix.end(), {bottom(j), top(j + 1), bottom(j + 1)});
    }
    remember_tube_end(out, ring, len, style.normal_limit);
}

}  // namespace

void texel_coord(int k, const DrawStyle& style, float out[2]) {
    texel_centre(k, style.texel_s, style.texel_t, out);
}

PictureVertices point_vertices(const DataSet& set, const PointTexels& texels,
                               const DrawStyle& style, int step, const PictureRange& range) {
    PictureVertices out;
    out.normals = false;
    out.vertices.reserve(set.point_count() / (static_cast<std::size_t>(step) * step) * 5 + 5);
    for_each_point(
        set, texels,
        [&](const Vector3& p, int k) {
            texel_coord(k, style, out.last);
            const float v[5] = {out.last[0], out.last[1], static_cast<float>(p.x()),
                                static_cast<float>(p.y()), static_cast<float>(p.z())};
            push(out.vertices, v, 5);
            out.has_last = true;
        },
        step, range);
    out.needles = out.element_count();
    return out;
}

PictureVertices surface_vertices(const DataSet& set, const PointTexels& texels,
                                 const DrawStyle& style, int step, const PictureRange& range) {
    if (step == 1 && !texels.set) return shared_surface(set, texels, style, range);
    PictureVertices out;
    out.vertices.reserve(set.point_count() / (static_cast<std::size_t>(step) * step) * 32 + 32);
    for_each_quad(
        set, texels,
        [&](const Vector3* const corners[4], const Vector3& n, const int k[4]) {
            out.last[2] = static_cast<float>(n.x());
            out.last[3] = static_cast<float>(n.y());
            out.last[4] = static_cast<float>(n.z());
            for (int c = 0; c < 4; ++c) {
                texel_coord(k[c], style, out.last);
                const Vector3& p = *corners[c];
                const float v[8] = {out.last[0],
                                    out.last[1],
                                    out.last[2],
                                    out.last[3],
                                    out.last[4],
                                    static_cast<float>(p.x()),
                                    static_cast<float>(p.y()),
                                    static_cast<float>(p.z())};
                push(out.vertices, v, 8);
            }
            out.has_last = true;
        },
        step, range);
    out.needles = out.element_count();
    return out;
}

PictureVertices tube_mesh(const DataSet& set, const PointTexels& texels, int display_mode,
                          int texel, const DrawStyle& style, const PictureRange& range) {
    PictureVertices out;
    for_each_tube(
        set, texels, display_mode, texel, style.up, range, out,
        [](const PictureVertices& o) { return o.indices.size(); },
        [&](const Vector3& from, const Vector3& to, int k) {
            append_tube(out, from, to, k, style);
        });
    return out;
}

PictureVertices tube_lines(const DataSet& set, const PointTexels& texels, int display_mode,
                           int texel, const DrawStyle& style, const PictureRange& range) {
    PictureVertices out;
    const auto line = [&](const Vector3& from, const Vector3& to, int k) {
        const Vector3 d = to - from;
        const double len2 = d.x() * d.x() + d.y() * d.y() + d.z() * d.z();
        TubeRing ring;
        if (!std::isfinite(len2) || !make_tube_ring(k, style, ring)) return;
        remember_tube_end(out, ring, std::sqrt(len2), style.normal_limit);
        if (!(len2 > 0)) return;  // a line of no length shows nothing
        // Up, less its part along the line; straight toward the viewer for an
        // upright line.
        Vector3 n(-d.x() * d.y() / len2, 1 - d.y() * d.y() / len2, -d.z() * d.y() / len2);
        if (!(n.length() > 1e-6)) n = Vector3(0, 0, 1);
        float st[2];
        texel_coord(k, style, st);
        for (const Vector3* p : {&from, &to}) {
            const float v[8] = {st[0],
                                st[1],
                                static_cast<float>(n.x()),
                                static_cast<float>(n.y()),
                                static_cast<float>(n.z()),
                                static_cast<float>(p->x()),
                                static_cast<float>(p->y()),
                                static_cast<float>(p->z())};
            push(out.vertices, v, 8);
        }
    };
    for_each_tube(
        set, texels, display_mode, texel, style.up, range, out,
        [](const PictureVertices& o) { return o.vertex_count(); }, line);
    return out;
}
