#include "bench/limit_geometry.h"

#include <cmath>

namespace {

struct V3 {
    double x, y, z;
};
V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(V3 a) {
    return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}
V3 scaled(V3 a, double f) {
    return {a.x * f, a.y * f, a.z * f};
}
V3 at(const DataSet& set, int s, int i) {
    const Vector3& p = set.point(s, i);
    return {p.x(), p.y(), p.z()};
}
bool finite(V3 a) {
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}
void push(std::vector<float>& out, V3 a) {
    out.insert(out.end(),
               {static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(a.z)});
}

// normalize((P01 - P00) x (P11 - P00)); straight up where that has no direction.
V3 quad_normal(V3 p00, V3 p01, V3 p11) {
    const V3 n = cross(p01 - p00, p11 - p00);
    const double len = length(n);
    const V3 unit = scaled(n, 1 / len);
    return len > 0 && finite(unit) ? unit : V3{0, 1, 0};
}

// The tube's local axes in data coordinates: across (c1), up the ring (c2), along
// (c3); c1 horizontal, square to the segment. The bench's tubes are never
// vertical; for one that is, c1 is x.
void tube_axes(V3 d, double len, V3& c1, V3& c2, V3& c3) {
    c3 = scaled(d, 1 / len);
    c1 = cross(V3{0, 1, 0}, d);
    const double across = length(c1);
    c1 = across > 0 ? scaled(c1, 1 / across) : V3{1, 0, 0};
    c2 = cross(d, c1);
    c2 = scaled(c2, 1 / length(c2));
}

}  // namespace

LimitMesh limit_points(const DataSet& set) {
    LimitMesh m;
    m.vertices.reserve(set.point_count() * 3);
    for (std::size_t k = 0; k < set.point_count(); ++k) {
        const Vector3& p = set.points[k];
        const V3 v{p.x(), p.y(), p.z()};
        if (finite(v)) push(m.vertices, v);
    }
    return m;
}

LimitMesh limit_surface(const DataSet& set) {
    LimitMesh m;
    m.floats_per_vertex = 6;
    const int w = set.width, n = set.points_per_set;
    m.vertices.reserve(set.point_count() * 6);
    for (int i = 0; i < n; ++i) {
        for (int s = 0; s < w; ++s) {
            // Vertex (s, i) is the last corner, P10, of quad (s - 1, i).
            const int q = s - 1;
            const V3 normal = q >= 0 && i + 1 < n
                                  ? quad_normal(at(set, q, i), at(set, q, i + 1), at(set, s, i + 1))
                                  : V3{0, 1, 0};
            push(m.vertices, normal);
            push(m.vertices, at(set, s, i));
        }
    }
    m.indices.reserve(static_cast<std::size_t>(w - 1) * (n - 1) * 4);
    const auto index = [w](int s, int i) { return static_cast<unsigned>(i * w + s); };
    for (int i = 0; i + 1 < n; ++i) {
        for (int s = 0; s + 1 < w; ++s) {
            if (!finite(at(set, s, i)) || !finite(at(set, s, i + 1)) ||
                !finite(at(set, s + 1, i + 1)) || !finite(at(set, s + 1, i)))
                continue;
            m.indices.insert(m.indices.end(),
                             {index(s, i), index(s, i + 1), index(s + 1, i + 1), index(s + 1, i)});
        }
    }
    return m;
}

LimitMesh limit_tubes(const DataSet& set, double radius, int sides) {
    LimitMesh m;
    m.floats_per_vertex = 6;
    const double pi = std::acos(-1.0), roll = pi / 4;
    for (int s = 0; s < set.width; ++s) {
        for (int i = 0; i + 1 < set.points_per_set; ++i) {
            const V3 from = at(set, s, i), d = at(set, s, i + 1) - from;
            const double len = length(d);
            if (!(len > 0) || !std::isfinite(len)) continue;
            V3 c1, c2, c3;
            tube_axes(d, len, c1, c2, c3);
            const unsigned base = static_cast<unsigned>(m.vertex_count());
            for (int top = 0; top < 2; ++top) {
                for (int j = 0; j < sides; ++j) {
                    const double a = 2 * pi * j / sides + roll;
                    const double x = radius * std::cos(a), y = radius * std::sin(a);
                    const double z = top ? len : 0.0;
                    // The normal is the vertex's offset from the tube's start: radial at
                    // the bottom ring, leaning along the tube at the top (GL normalises).
                    const V3 off{c1.x * x + c2.x * y + c3.x * z, c1.y * x + c2.y * y + c3.y * z,
                                 c1.z * x + c2.z * y + c3.z * z};
                    push(m.vertices, off);
                    push(m.vertices, V3{from.x + off.x, from.y + off.y, from.z + off.z});
                }
            }
            const auto b = [&](int j) { return base + static_cast<unsigned>(j % sides); };
            const auto t = [&](int j) { return base + static_cast<unsigned>(sides + j % sides); };
            std::vector<unsigned>& ix = m.indices;
            for (int j = 1; j + 1 < sides; ++j) ix.insert(ix.end(), {b(0), b(j), b(j + 1)});
            for (int j = 1; j + 1 < sides; ++j)
                ix.insert(ix.end(), {t(sides - 1), t(sides - 1 - j), t(sides - 2 - j)});
            for (int j = 0; j < sides; ++j) {
                ix.insert(ix.end(), {b(j), t(j), t(j + 1)});
                ix.insert(ix.end(), {b(j), t(j + 1), b(j + 1)});
            }
        }
    }
    return m;
}
