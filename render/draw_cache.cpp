#include "render/draw_cache.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "render/grid_walk.h"
#include "render/model_modes.h"
#include "render/point_texels.h"

namespace {

bool enabled = false;

// Everything emit_model reads. Doubles and floats are compared by their bits, so
// that a NaN still matches itself and -0 differs from 0.
struct Key {
    const DataSet* set = nullptr;
    std::uint64_t revision = 0;
    int kind = 0, width = 0, points_per_set = 0;
    double min[3] = {}, max[3] = {};
    double base_level = 0;
    int display_mode = 0;
    int segments = 0;
    float thickness = 0;
    double texel_s = 0, texel_t = 0;
    int map_row = 0;
    int texel = 0;             // the eye's entry; -1 for coloured data, which ignores it
    float grid_color[4] = {};  // only "Special " of plain data reads it

    bool operator==(const Key& o) const {
        return set == o.set && revision == o.revision && kind == o.kind && width == o.width &&
               points_per_set == o.points_per_set && same_bits(min, o.min) &&
               same_bits(max, o.max) && same_bits(base_level, o.base_level) &&
               display_mode == o.display_mode && segments == o.segments &&
               same_bits(thickness, o.thickness) && same_bits(texel_s, o.texel_s) &&
               same_bits(texel_t, o.texel_t) && map_row == o.map_row && texel == o.texel &&
               same_bits(grid_color, o.grid_color);
    }
    template <typename T>
    static bool same_bits(const T& a, const T& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};

Key make_key(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
             const Color4& grid_color) {
    Key k;
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
    k.texel_s = style.texel_s;
    k.texel_t = style.texel_t;
    k.map_row = style.map_row;
    const bool plain = set.kind == DataSet::kData || set.kind == DataSet::kMaple;
    k.texel = plain ? texel_index : -1;
    if (plain && display_mode == 5)
        for (int c = 0; c < 4; ++c) k.grid_color[c] = grid_color[c];
    return k;
}

// Vertices a recording of `k` would hold. Tubes have 4 n + 2 each.
double picture_vertices(const Key& k) {
    const double w = k.width, n = k.points_per_set;
    const double tube = 4.0 * k.segments + 2;
    switch (k.display_mode) {
        case 0: return w * n;
        case 1: return w * (n - 1) * tube;
        case 2: return 2 * w * n * tube;
        case 3:
        case 4: return 4 * (w - 1) * (n - 1);
        case 5: return (w * n + w * (n - 1) + n * (w - 1)) * tube;
        default: return 0;
    }
}

bool drawn_from_arrays(const Key& k) {
    const bool known_kind =
        k.kind == DataSet::kData || k.kind == DataSet::kMaple || k.kind == DataSet::kColorData;
    return known_kind && (k.display_mode == 0 || k.display_mode == 3 || k.display_mode == 4);
}

// A picture drawn from one vertex buffer of interleaved texture coordinate,
// normal (surfaces only) and vertex.
// - Surfaces are not recorded in display lists: Mesa splits a recorded quad along
//   the other diagonal than an immediate or array-drawn one, and the quads of a
//   surface are not flat, so the picture would change. Drawn as an array, a quad
//   is split as in immediate mode.
// - Points are drawn in batches of kPointBatch: Mesa's smooth-point stage costs
//   time in proportion to the points of one draw for every few points it sends
//   on, so one draw of a million points takes seconds, and short batches of the
//   same points, in the same order, give the same picture in a fraction of that.
struct ArrayPicture {
    GLuint buffer = 0;
    GLsizei count = 0;       // vertices: four per quad, one per point
    float last[5] = {};      // texture coordinate and normal current after the last vertex
    bool points = false;     // points (texture coordinate, vertex) or quads (with normal)
    bool filled = false;     // quads: filled or outlines
};

constexpr GLsizei kPointBatch = 256;

// Texture coordinate of entry k, the centre of its texel, as gl_texel_coord sends it.
void texel_coord(int k, const DrawStyle& style, float out[2]) {
    out[0] = static_cast<float>((k + 0.5) * style.texel_s);
    out[1] = static_cast<float>((k + 0.5) * style.texel_t);
}

// The quads as emit_surface sends them: texture coordinate, normal, vertex each.
std::vector<float> surface_vertices(const DataSet& set, const PointTexels& texels,
                                    const DrawStyle& style, float last[5]) {
    std::vector<float> out;
    out.reserve(static_cast<std::size_t>(set.point_count()) * 4 * 8);
    for_each_quad(set, texels, [&](const Vector3* const corners[4], const Vector3& n, int k) {
        texel_coord(k, style, last);
        last[2] = static_cast<float>(n.x());
        last[3] = static_cast<float>(n.y());
        last[4] = static_cast<float>(n.z());
        for (int c = 0; c < 4; ++c) {
            const Vector3& p = *corners[c];
            out.insert(out.end(), {last[0], last[1], last[2], last[3], last[4],
                                   static_cast<float>(p.x()), static_cast<float>(p.y()),
                                   static_cast<float>(p.z())});
        }
    });
    return out;
}

// The points as emit_points sends them: texture coordinate and vertex each.
std::vector<float> point_vertices(const DataSet& set, const PointTexels& texels,
                                  const DrawStyle& style, float last[5]) {
    std::vector<float> out;
    out.reserve(static_cast<std::size_t>(set.point_count()) * 5);
    for_each_point(set, texels, [&](const Vector3& p, int k) {
        texel_coord(k, style, last);
        out.insert(out.end(), {last[0], last[1], static_cast<float>(p.x()),
                               static_cast<float>(p.y()), static_cast<float>(p.z())});
    });
    return out;
}

// Display lists and buffers belong to the context they were made in; each main
// window has its own, and old windows go on drawing after a new one opens.
struct Entry {
    GLXContext context;
    Key key;
    GLuint list = 0;         // the tube modes
    ArrayPicture arrays;     // points and surfaces
    std::uint64_t last_used = 0;
};

std::vector<Entry> entries;
std::uint64_t clock_ticks = 0;

// Two pictures per context: one for each eye of the two-eye modes.
constexpr int kPerContext = 2;

// At about 32 bytes a vertex, some 256 MB for one picture.
constexpr double kMaxRecordedVertices = 8e6;

void release(std::vector<Entry>::iterator it) {
    if (it->list) glDeleteLists(it->list, 1);
    if (it->arrays.buffer) glDeleteBuffers(1, &it->arrays.buffer);
    entries.erase(it);
}

// Drops this context's pictures of other data sets (or other revisions): they can
// never be replayed again, and a large grid's recordings are large.
void drop_stale(GLXContext context, const Key& fresh) {
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->context == context &&
            (it->key.set != fresh.set || it->key.revision != fresh.revision))
            release(it);
        else
            ++it;
    }
}

void make_room(GLXContext context) {
    int count = 0;
    auto oldest = entries.end();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->context != context) continue;
        ++count;
        if (oldest == entries.end() || it->last_used < oldest->last_used) oldest = it;
    }
    if (count >= kPerContext) release(oldest);
}

void clear_errors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// Draws the recorded picture, leaving the state emit_model would leave.
void replay(const Entry& e, const DrawStyle& style) {
    if (e.list) {
        glCallList(e.list);
        return;
    }
    const ArrayPicture& a = e.arrays;
    if (a.points) {
        glPointSize(style.thickness * 100);
        glEnable(GL_POINT_SMOOTH);
    } else {
        glLineWidth(style.thickness * 100);
        glPolygonMode(GL_FRONT_AND_BACK, a.filled ? GL_FILL : GL_LINE);
    }
    if (a.count > 0) {
        glBindBuffer(GL_ARRAY_BUFFER, a.buffer);
        if (a.points) {
            glInterleavedArrays(GL_T2F_V3F, 0, nullptr);
            for (GLsizei first = 0; first < a.count; first += kPointBatch)
                glDrawArrays(GL_POINTS, first, std::min(kPointBatch, a.count - first));
        } else {
            glInterleavedArrays(GL_T2F_N3F_V3F, 0, nullptr);
            glDrawArrays(GL_QUADS, 0, a.count);
        }
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        // Drawing from arrays leaves the current attributes undefined; immediate
        // drawing leaves those of the last vertex (points send no normal).
        glTexCoord2fv(a.last);
        if (!a.points) glNormal3fv(a.last + 2);
    }
}

// Records the picture for `key`; false when GL could not (out of memory).
bool record(Entry& e, const DataSet& set, int texel_index, const DrawStyle& style,
            const Color4& grid_color) {
    clear_errors();
    if (drawn_from_arrays(e.key)) {
        const PointTexels texels = set.kind == DataSet::kColorData ? PointTexels::colored(set)
                                                                   : PointTexels::plain(texel_index);
        ArrayPicture& a = e.arrays;
        a.points = e.key.display_mode == 0;
        a.filled = e.key.display_mode == 4;
        const std::vector<float> vertices = a.points
                                                ? point_vertices(set, texels, style, a.last)
                                                : surface_vertices(set, texels, style, a.last);
        a.count = static_cast<GLsizei>(vertices.size() / (a.points ? 5 : 8));
        glGenBuffers(1, &a.buffer);
        glBindBuffer(GL_ARRAY_BUFFER, a.buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
                     vertices.data(), GL_STATIC_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    } else {
        e.list = glGenLists(1);
        if (e.list == 0) return false;
        glNewList(e.list, GL_COMPILE);
        emit_model(set, texel_index, e.key.display_mode, style, grid_color);
        glEndList();
    }
    return glGetError() == GL_NO_ERROR;
}

}  // namespace

void set_draw_cache(bool on) {
    if (!on) invalidate_draw_cache();
    enabled = on;
}

bool draw_cache_enabled() { return enabled; }

void invalidate_draw_cache() {
    const GLXContext context = glXGetCurrentContext();
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->context == context)
            release(it);
        else
            ++it;
    }
}

void draw_model_cached(const DataSet& set, int texel_index, int display_mode,
                       const DrawStyle& style, const Color4& grid_color) {
    const GLXContext context = glXGetCurrentContext();
    const Key key = make_key(set, texel_index, display_mode, style, grid_color);
    ++clock_ticks;
    for (Entry& e : entries) {
        if (e.context == context && e.key == key) {
            e.last_used = clock_ticks;
            replay(e, style);
            return;
        }
    }

    drop_stale(context, key);
    // A picture beyond the budget would hold more memory than a viewer should
    // (a million tubes come to gigabytes): it is drawn directly, every time.
    if (picture_vertices(key) > kMaxRecordedVertices) {
        emit_model(set, texel_index, display_mode, style, grid_color);
        return;
    }
    make_room(context);
    Entry e;
    e.context = context;
    e.key = key;
    e.last_used = clock_ticks;
    if (!record(e, set, texel_index, style, grid_color)) {
        // Too large to record: draw directly, and try again next time.
        if (e.list) glDeleteLists(e.list, 1);
        if (e.arrays.buffer) glDeleteBuffers(1, &e.arrays.buffer);
        emit_model(set, texel_index, display_mode, style, grid_color);
        return;
    }
    entries.push_back(e);
    replay(entries.back(), style);
}
