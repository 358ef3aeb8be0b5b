#include "render/draw_cache.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/settings.h"
#include "data/memory_limit.h"
#include "render/array_picture.h"
#include "render/model_modes.h"
#include "render/picture_vertices.h"
#include "render/point_texels.h"
#include "render/reduced_picture.h"

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
    double normal_limit = 0;
    double texel_s = 0, texel_t = 0;
    int map_row = 0;
    int texel = 0;             // the eye's entry; -1 where it is not used (coloured data, a scale)
    int scale = -1;            // what a colour scale shows ("Color by"); -1 none
    float grid_color[4] = {};  // only "Special " of plain data reads it
    bool outline = false;      // tube modes: drawn while the polygon mode is not GL_FILL
    int reduced_step = 0;      // 0 the full picture; the reduced one's grid step (1 for lines)

    bool operator==(const Key& o) const {
        return set == o.set && revision == o.revision && kind == o.kind && width == o.width &&
               points_per_set == o.points_per_set && same_bits(min, o.min) &&
               same_bits(max, o.max) && same_bits(base_level, o.base_level) &&
               display_mode == o.display_mode && segments == o.segments &&
               same_bits(thickness, o.thickness) && same_bits(normal_limit, o.normal_limit) &&
               same_bits(texel_s, o.texel_s) &&
               same_bits(texel_t, o.texel_t) && map_row == o.map_row && texel == o.texel &&
               scale == o.scale &&
               same_bits(grid_color, o.grid_color) && outline == o.outline &&
               reduced_step == o.reduced_step;
    }
    template <typename T>
    static bool same_bits(const T& a, const T& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};

Key make_key(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
             const Color4& grid_color, int reduced_step) {
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
    k.normal_limit = style.normal_limit;
    k.texel_s = style.texel_s;
    k.texel_t = style.texel_t;
    k.map_row = style.map_row;
    const bool plain = set.plain();
    k.scale = color_scale_axis(set, display_mode);
    k.texel = plain && k.scale < 0 ? texel_index : -1;
    if (plain && display_mode == kSpecial)
        for (int c = 0; c < 4; ++c) k.grid_color[c] = grid_color[c];
    k.reduced_step = reduced_step;
    if (reduced_step == 0 && draws_tubes(display_mode)) {
        GLint polygon_mode[2] = {GL_FILL, GL_FILL};
        glGetIntegerv(GL_POLYGON_MODE, polygon_mode);
        k.outline = polygon_mode[0] != GL_FILL || polygon_mode[1] != GL_FILL;
    }
    return k;
}

// What a key records: a display list, vertex buffers, or for tube modes in
// outline a display list (a mesh of triangles would show their diagonals).
bool known_kind(const Key& k) {
    return k.kind == DataSet::kData || k.kind == DataSet::kMaple || k.kind == DataSet::kColorData ||
           k.kind == DataSet::kColumns;
}
bool drawn_from_arrays(const Key& k) {
    // Coloured data has no "Special " picture: an empty display list stands for it.
    if (!known_kind(k) || (k.kind == DataSet::kColorData && k.display_mode == kSpecial)) return false;
    if (k.reduced_step > 0) return true;
    return k.display_mode == kPoints || draws_surface(k.display_mode) ||
           (draws_tubes(k.display_mode) && !k.outline);
}

// Vertices a recording of `k` would hold.
double picture_vertices(const Key& k) {
    const double w = k.width, n = k.points_per_set;
    const double tubes = k.display_mode == kJoined ? w * (n - 1)
                         : k.display_mode == kNeedled ? 2 * w * n
                         : w * n + w * (n - 1) + n * (w - 1);
    const double step = k.reduced_step > 0 ? k.reduced_step : 1;
    switch (k.display_mode) {
        case kPoints: return w * n / (step * step);
        case kSurfaceGrid:
        case kSurfaceFilled: return 4 * (w - 1) * (n - 1) / (step * step);
        case kJoined:
        case kNeedled:
        case kSpecial:
            if (k.reduced_step > 0) return 2 * tubes;
            return tubes * (drawn_from_arrays(k) ? 2.0 * k.segments : 4.0 * k.segments + 2);
        default: return 0;
    }
}

// Display lists and buffers belong to the context they were made in; each main
// window has its own, and old windows go on drawing after a new one opens.
struct Entry {
    GLXContext context;
    Key key;
    GLuint list = 0;         // display lists
    ArrayPicture arrays;     // vertex buffers
    std::uint64_t last_used = 0;
};

std::vector<Entry> entries;
std::uint64_t clock_ticks = 0;

// Four pictures per context: the full and the reduced picture of each eye of the
// two-eye modes.
constexpr int kPerContext = 4;

// At about 32 bytes a vertex, some 256 MB for one picture.
constexpr double kMaxRecordedVertices = 8e6;

void release(std::vector<Entry>::iterator it) {
    if (it->list) glDeleteLists(it->list, 1);
    release(it->arrays);
    entries.erase(it);
}

// Drops this context's pictures of other data sets (or other revisions): they can
// never be replayed again, and a large grid's recordings are large. When they
// were much larger than the picture that replaces them, the memory goes back to
// the system (at about 32 bytes a vertex).
void drop_stale(GLXContext context, const Key& fresh) {
    double released = 0;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->context == context &&
            (it->key.set != fresh.set || it->key.revision != fresh.revision)) {
            released += picture_vertices(it->key);
            release(it);
        } else {
            ++it;
        }
    }
    if ((released - picture_vertices(fresh)) * 32 >= kLargeRelease) return_free_memory();
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

PictureVertices picture_of(const Key& key, const DataSet& set, int texel_index,
                           const DrawStyle& style) {
    const PointTexels texels = PointTexels::for_model(set, texel_index, key.display_mode);
    const int step = key.reduced_step > 0 ? key.reduced_step : 1;
    switch (key.display_mode) {
        case kPoints: return point_vertices(set, texels, style, step);
        case kSurfaceGrid:
        case kSurfaceFilled: return surface_vertices(set, texels, style, step);
        default:
            return key.reduced_step > 0
                       ? tube_lines(set, texels, key.display_mode, texel_index, style)
                       : tube_mesh(set, texels, key.display_mode, texel_index, style);
    }
}

ArrayPicture::Kind array_kind(const Key& key) {
    if (key.display_mode == kPoints) return ArrayPicture::kPoints;
    if (draws_surface(key.display_mode)) return ArrayPicture::kQuads;
    return key.reduced_step > 0 ? ArrayPicture::kLines : ArrayPicture::kTubes;
}

// Records the picture for `key`; false when GL could not (out of memory).
bool record(Entry& e, const DataSet& set, int texel_index, const DrawStyle& style,
            const Color4& grid_color) {
    if (drawn_from_arrays(e.key)) {
        ArrayPicture& a = e.arrays;
        a.kind = array_kind(e.key);
        a.filled = e.key.display_mode == kSurfaceFilled;
        a.grid_material = e.key.display_mode == kSpecial;
        return upload(a, picture_of(e.key, set, texel_index, style));
    }
    clear_gl_errors();
    e.list = glGenLists(1);
    if (e.list == 0) return false;
    glNewList(e.list, GL_COMPILE);
    emit_model(set, texel_index, e.key.display_mode, style, grid_color);
    glEndList();
    return glGetError() == GL_NO_ERROR;
}

void replay(const Entry& e, const DrawStyle& style, const Color4& grid_color) {
    if (e.list) {
        glCallList(e.list);
    } else {
        replay(e.arrays, style, grid_color);
    }
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

double recorded_vertices() {
    double sum = 0;
    for (const Entry& e : entries) sum += picture_vertices(e.key);
    return sum;
}

void draw_model_cached(const DataSet& set, int texel_index, int display_mode,
                       const DrawStyle& style, const Color4& grid_color, bool reduced) {
    const GLXContext context = glXGetCurrentContext();
    const bool tubes = draws_tubes(display_mode);
    const Key key = make_key(set, texel_index, display_mode, style, grid_color,
                             !reduced ? 0 : tubes ? 1 : reduced_grid_step());
    ++clock_ticks;
    for (Entry& e : entries) {
        if (e.context == context && e.key == key) {
            e.last_used = clock_ticks;
            replay(e, style, grid_color);
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
        release(e.arrays);
        emit_model(set, texel_index, display_mode, style, grid_color);
        return;
    }
    entries.push_back(e);
    // The vertices were built in the process before GL took its copy.
    if (picture_vertices(key) * 32 >= kLargeRelease) return_free_memory();
    replay(entries.back(), style, grid_color);
}
