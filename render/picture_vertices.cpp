#include "render/picture_vertices.h"

#include <cmath>

#include "core/settings.h"
#include "render/color_map.h"
#include "render/grid_walk.h"
#include "render/segment_walk.h"
#include "render/tube.h"

namespace {

void push(std::vector<float>& out, const float* values, int count) {
    out.insert(out.end(), values, values + count);
}

// Calls visit(from, to, entry) for every tube of the mode, and needles_end() once
// the needles are done: between the needles and the grid of "Special ", after
// the last tube of the other modes.
template <typename Visit, typename NeedlesEnd>
void for_each_tube(const DataSet& set, const PointTexels& texels, int display_mode, int texel,
                   Visit visit, NeedlesEnd needles_end) {
    if (display_mode == kJoined) for_each_joined_segment(set, texels, visit);
    if (display_mode == kNeedled) for_each_needled_segment(set, texels, visit);
    if (display_mode == kSpecial) for_each_special_needle(set, texel, visit);
    needles_end();
    if (display_mode == kSpecial) for_each_special_grid_segment(set, texel, visit);
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
            const float v[8] = {
                ring.s, ring.t, normal[0], normal[1], normal[2],
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
                               const DrawStyle& style, int step) {
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
        step);
    out.needles = out.element_count();
    return out;
}

PictureVertices surface_vertices(const DataSet& set, const PointTexels& texels,
                                 const DrawStyle& style, int step) {
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
                const float v[8] = {out.last[0], out.last[1], out.last[2], out.last[3], out.last[4],
                                    static_cast<float>(p.x()), static_cast<float>(p.y()),
                                    static_cast<float>(p.z())};
                push(out.vertices, v, 8);
            }
            out.has_last = true;
        },
        step);
    out.needles = out.element_count();
    return out;
}

PictureVertices tube_mesh(const DataSet& set, const PointTexels& texels, int display_mode,
                          int texel, const DrawStyle& style) {
    PictureVertices out;
    for_each_tube(
        set, texels, display_mode, texel,
        [&](const Vector3& from, const Vector3& to, int k) { append_tube(out, from, to, k, style); },
        [&] { out.needles = out.indices.size(); });
    return out;
}

PictureVertices tube_lines(const DataSet& set, const PointTexels& texels, int display_mode,
                           int texel, const DrawStyle& style) {
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
    for_each_tube(set, texels, display_mode, texel, line,
                  [&] { out.needles = out.vertex_count(); });
    return out;
}
