#include "render/draw_cache.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/settings.h"
#include "data/memory_limit.h"
#include "render/array_picture.h"
#include "render/color_map.h"
#include "render/mode_drawing.h"
#include "render/model_modes.h"
#include "render/picture_key.h"
#include "render/picture_vertices.h"
#include "render/point_texels.h"
#include "render/reduced_picture.h"
#include "render/thin_grid.h"

namespace {

bool enabled = false;

// How many pieces the last model draw's picture has.
int last_piece_count = 1;
unsigned long pieces_made = 0;

// Display lists and buffers belong to the context they were made in; each main
// window has its own, and old windows go on drawing after a new one opens. A
// picture's pieces are recorded as they are first drawn.
struct Entry {
    GLXContext context;
    PictureKey key;
    Keeping how = Keeping::arrays;
    std::vector<PictureRange> ranges;  // the part of the picture each piece holds
    std::vector<ArrayPicture> pieces;  // vertex buffers, made as first drawn
    GLuint list = 0;                   // the display list, one piece
    std::uint64_t last_used = 0;
};

std::vector<Entry> entries;
std::uint64_t clock_ticks = 0;

// Four pictures per context: the full and the reduced picture of each eye of the
// two-eye modes.
constexpr int kPerContext = 4;

void release(std::vector<Entry>::iterator it) {
    if (it->list) glDeleteLists(it->list, 1);
    for (ArrayPicture& piece : it->pieces) release(piece);
    entries.erase(it);
}

// Drops this context's pictures of other data sets (or other revisions): they can
// never be replayed again, and a large grid's recordings are large. When they
// were much larger than the picture that replaces them, the memory goes back to
// the system.
void drop_stale(GLXContext context, const PictureKey& fresh) {
    double released = 0;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->context == context &&
            (it->key.set != fresh.set || it->key.revision != fresh.revision)) {
            released += picture_bytes(it->key);
            release(it);
        } else {
            ++it;
        }
    }
    if (released - picture_bytes(fresh) >= kLargeRelease) return_free_memory();
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

PictureVertices picture_of(const PictureKey& key, const DataSet& set, int texel_index,
                           const DrawStyle& style, const PictureRange& range) {
    const PointTexels texels = PointTexels::for_model(set, texel_index, key.display_mode);
    const int step = key.reduced_step > 0 ? key.reduced_step : 1;
    const DisplayModeChoice* mode = display_mode_choice(key.display_mode);
    switch (mode->draws) {  // keeping() records only the modes there are
        case Draws::points:
            return point_vertices(set, texels, style, step, range);
        case Draws::surface:
            return surface_vertices(set, texels, style, step, range);
        case Draws::tubes:
            if (key.reduced_step > 1) {
                // Lines through every step-th point, coloured as the whole grid is.
                DataSet thin;
                thin_grid(set, key.reduced_step, thin);
                PointTexels thin_texels = texels;
                if (thin_texels.set) thin_texels.set = &thin;
                return tube_lines(thin, thin_texels, key.display_mode, texel_index, style, range);
            }
            return key.reduced_step > 0
                       ? tube_lines(set, texels, key.display_mode, texel_index, style, range)
                       : tube_mesh(set, texels, key.display_mode, texel_index, style, range);
    }
    return {};
}

ArrayPicture::Kind array_kind(const PictureKey& key) {
    const Draws draws = display_mode_choice(key.display_mode)->draws;
    if (draws == Draws::points) return ArrayPicture::kPoints;
    if (draws == Draws::surface) return ArrayPicture::kQuads;
    return key.reduced_step > 0 ? ArrayPicture::kLines : ArrayPicture::kTubes;
}

// Fills `a` with the vertices of `range` of `key`'s picture; false when GL could not.
bool fill_arrays(ArrayPicture& a, const PictureKey& key, const DataSet& set, int texel_index,
                 const DrawStyle& style, const PictureRange& range) {
    a.kind = array_kind(key);
    a.filled = display_mode_choice(key.display_mode)->filled;
    a.grid_material = mode_drawing(key.display_mode)->grid_from != nullptr;
    return upload(a, picture_of(key, set, texel_index, style, range));
}

// A piece of tubes too large to keep, drawn from vertex arrays filled for this
// frame alone rather than vertex by vertex: the same triangles, several times
// faster. Outlines (kept as display lists) and "Special " (whose grid's material
// follows the pieces) are drawn vertex by vertex. False when it drew nothing.
bool stream_piece(const PictureKey& key, const DataSet& set, int texel_index,
                  const DrawStyle& style, const Color4& grid_color, const PictureRange& range) {
    if (!draws_tubes(key.display_mode) || key.outline || mode_drawing(key.display_mode)->grid_from)
        return false;
    ArrayPicture a;
    const bool filled = fill_arrays(a, key, set, texel_index, style, range);
    if (filled) replay(a, style, grid_color);
    release(a);
    return filled;
}

// Records piece `p` of `e`'s picture; false when GL could not (out of memory).
bool record(Entry& e, std::size_t p, const DataSet& set, int texel_index, const DrawStyle& style,
            const Color4& grid_color) {
    if (e.how == Keeping::arrays)
        return fill_arrays(e.pieces[p], e.key, set, texel_index, style, e.ranges[p]);
    clear_gl_errors();
    e.list = glGenLists(1);
    if (e.list == 0) return false;
    glNewList(e.list, GL_COMPILE);
    emit_model(set, texel_index, e.key.display_mode, style, grid_color);
    glEndList();
    return glGetError() == GL_NO_ERROR;
}

bool recorded(const Entry& e, std::size_t p) {
    return e.how == Keeping::arrays ? e.pieces[p].vertices != 0 : e.list != 0;
}

Entry& entry_for(GLXContext context, const PictureKey& key) {
    ++clock_ticks;
    for (Entry& e : entries) {
        if (e.context == context && e.key == key) {
            e.last_used = clock_ticks;
            return e;
        }
    }
    drop_stale(context, key);
    make_room(context);
    Entry e;
    e.context = context;
    e.key = key;
    e.how = keeping(key);
    e.ranges = picture_pieces(key);
    if (e.how == Keeping::arrays) e.pieces.resize(e.ranges.size());
    e.last_used = clock_ticks;
    entries.push_back(e);
    return entries.back();
}

}  // namespace

void set_draw_cache(bool on) {
    if (!on) invalidate_draw_cache();
    enabled = on;
}

bool draw_cache_enabled() {
    return enabled;
}

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
    for (const Entry& e : entries) {
        if (e.how == Keeping::display_list && e.list) sum += picture_vertices(e.key);
        if (e.how != Keeping::arrays) continue;
        for (std::size_t p = 0; p < e.pieces.size(); ++p)
            if (recorded(e, p)) sum += picture_vertices(e.key) / e.pieces.size();
    }
    return sum;
}

int model_piece_count() {
    return last_piece_count;
}

void note_whole_model_drawn() {
    last_piece_count = 1;
}

unsigned long model_pieces_made() {
    return pieces_made;
}

int draw_model_cached(const DataSet& set, int texel_index, int display_mode, const DrawStyle& style,
                      const Color4& grid_color, const ModelPart& part) {
    const bool reduced = part.reduced;
    const bool tubes = draws_tubes(display_mode);
    GLint polygon_mode[2] = {GL_FILL, GL_FILL};
    if (tubes && !reduced) glGetIntegerv(GL_POLYGON_MODE, polygon_mode);
    const PictureKey key = make_key(set, texel_index, display_mode, style, grid_color,
                                    !reduced ? 0
                                    : tubes  ? reduced_tube_step()
                                             : reduced_grid_step(),
                                    polygon_mode[0] != GL_FILL || polygon_mode[1] != GL_FILL);
    Entry& e = entry_for(glXGetCurrentContext(), key);
    const int count = static_cast<int>(e.ranges.size());
    last_piece_count = count;
    const int end = part.end < 0 || part.end > count ? count : part.end;
    bool made = false;
    for (int p = std::max(0, part.first); p < end; ++p) {
        if (e.how == Keeping::direct) {
            ++pieces_made;
            if (!stream_piece(key, set, texel_index, style, grid_color, e.ranges[p]))
                emit_model(set, texel_index, display_mode, style, grid_color, e.ranges[p]);
            continue;
        }
        if (!recorded(e, p)) {
            made = true;
            ++pieces_made;
            if (!record(e, p, set, texel_index, style, grid_color)) {
                // Too large to record now: drawn directly, and tried again next time.
                if (e.how == Keeping::arrays) release(e.pieces[p]);
                if (e.list) glDeleteLists(e.list, 1);
                e.list = 0;
                emit_model(set, texel_index, display_mode, style, grid_color, e.ranges[p]);
                continue;
            }
        }
        if (e.how == Keeping::arrays)
            replay(e.pieces[p], style, grid_color);
        else
            glCallList(e.list);
    }
    // "Special " leaves the grid's material behind, also where its grid is empty.
    const ModeDrawing* drawing = mode_drawing(display_mode);
    if (drawing && drawing->grid_from && set.plain() && end == count && e.how == Keeping::arrays)
        set_material_color(grid_color);
    // The vertices were built in the process before GL took its copy.
    if (made && picture_bytes(key) / count >= kLargeRelease) return_free_memory();
    return count;
}
