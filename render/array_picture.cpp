#include "render/array_picture.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/box_transform.h"
#include "render/color_map.h"
#include "render/reduced_picture.h"
#include "render/round_points.h"

namespace {

// Points without the round-point program go in short batches: Mesa's smooth-point
// stage costs time in proportion to the points of one draw for every few points
// it passes on.
constexpr GLsizei kPointBatch = 256;

void draw_points(GLsizei first, GLsizei count) {
    if (begin_round_points()) {
        glDrawArrays(GL_POINTS, first, count);
        end_round_points();
        return;
    }
    for (GLsizei at = first; at < first + count; at += kPointBatch)
        glDrawArrays(GL_POINTS, at, std::min(kPointBatch, first + count - at));
}

void draw_elements(const ArrayPicture& p, GLenum primitive, GLsizei first, GLsizei count) {
    // Without an index buffer GL would read the indices from client memory at
    // address `first`: a picture with nothing in it.
    if (!p.indices) return;
    const std::size_t size = p.short_indices ? sizeof(std::uint16_t) : sizeof(unsigned);
    glDrawElements(primitive, count, p.short_indices ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(size * first));
}

void draw_range(const ArrayPicture& p, GLsizei first, GLsizei count) {
    if (count <= 0) return;
    switch (p.kind) {
        case ArrayPicture::kPoints:
            draw_points(first, count);
            break;
        case ArrayPicture::kQuads:
            if (p.shared == SharedCorners::quads)
                draw_elements(p, GL_QUADS, first, count);
            else
                glDrawArrays(GL_QUADS, first, count);
            break;
        case ArrayPicture::kLines:
            glDrawArrays(GL_LINES, first, count);
            break;
        case ArrayPicture::kTubes:
            draw_elements(p, GL_TRIANGLES, first, count);
            break;
    }
}

// The tubes' faces are wound inward (their caps and sides turn clockwise seen
// from outside), so the faces counter-clockwise in the picture are the insides
// of the far walls, always hidden behind the near ones: they are left out,
// whichever winding GL takes for front faces now. A mirroring transform (a
// negative scale) turns the winding round.
GLenum hidden_faces() {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    GLint front = GL_CCW;
    glGetIntegerv(GL_FRONT_FACE, &front);
    const double det = model_view_determinant(m);
    // No winding to go by; and for a box mapping as thin as that of data spanning
    // most of single precision (1e-36), Mesa's culling in feedback mode is not to
    // be relied on: the inner faces are drawn as well, which costs only time.
    if (!(std::fabs(det) > 1e-30)) return 0;
    return (det > 0) == (front == GL_CCW) ? GL_FRONT : GL_BACK;
}

}  // namespace

void clear_gl_errors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

bool upload(ArrayPicture& p, const PictureVertices& source) {
    clear_gl_errors();
    p.normals = source.normals;
    p.shared = source.shared;
    p.elements = static_cast<GLsizei>(source.element_count());
    p.needles = static_cast<GLsizei>(source.needles);
    std::copy(source.last, source.last + 5, p.last);
    p.has_last = source.has_last;
    glGenBuffers(1, &p.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, p.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(source.vertices.size() * sizeof(float)),
                 source.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (!source.indices.empty()) {
        glGenBuffers(1, &p.indices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, p.indices);
        // A piece of fewer than 65536 vertices takes half the memory for its indices.
        p.short_indices = source.vertex_count() <= 65536;
        if (p.short_indices) {
            const std::vector<std::uint16_t> small(source.indices.begin(), source.indices.end());
            glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                         static_cast<GLsizeiptr>(small.size() * sizeof(std::uint16_t)),
                         small.data(), GL_STATIC_DRAW);
        } else {
            glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                         static_cast<GLsizeiptr>(source.indices.size() * sizeof(unsigned)),
                         source.indices.data(), GL_STATIC_DRAW);
        }
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    if (glGetError() == GL_NO_ERROR) return true;
    release(p);
    return false;
}

void release(ArrayPicture& p) {
    if (p.vertices) glDeleteBuffers(1, &p.vertices);
    if (p.indices) glDeleteBuffers(1, &p.indices);
    p.vertices = p.indices = 0;
}

void replay(const ArrayPicture& p, const DrawStyle& style, const Color4& grid_color) {
    GLfloat line_width = 1;
    const GLboolean line_smooth = glIsEnabled(GL_LINE_SMOOTH);
    GLint cull_mode = GL_BACK;
    GLint shade_model = GL_SMOOTH;
    GLenum cull = 0;
    switch (p.kind) {
        case ArrayPicture::kPoints:
            glPointSize(style.thickness * 100);
            glEnable(GL_POINT_SMOOTH);
            break;
        case ArrayPicture::kQuads:
            glLineWidth(style.thickness * 100);
            glPolygonMode(GL_FRONT_AND_BACK, p.filled ? GL_FILL : GL_LINE);
            // Every corner of a quad drawn directly has the same normal, so its
            // colour is the same at every corner: flat shading from the corner that
            // carries the quad's normal gives that very colour.
            if (p.shared != SharedCorners::none) {
                glGetIntegerv(GL_SHADE_MODEL, &shade_model);
                // From the last corner (P10), GL's convention: the same one that
                // splits a quad into the triangles of immediate drawing.
                glShadeModel(GL_FLAT);
                glTexCoord2fv(p.last);  // plain data's one entry
            }
            break;
        case ArrayPicture::kLines:
            glGetFloatv(GL_LINE_WIDTH, &line_width);
            glLineWidth(kReducedLineWidth);
            glDisable(GL_LINE_SMOOTH);
            break;
        case ArrayPicture::kTubes:
            // Seen through ("Transparency:" below 1), a tube's far side shows,
            // as it does drawn directly.
            cull = glIsEnabled(GL_BLEND) ? 0 : hidden_faces();
            if (cull) {
                glGetIntegerv(GL_CULL_FACE_MODE, &cull_mode);
                glCullFace(cull);
                glEnable(GL_CULL_FACE);
            }
            break;
    }

    glBindBuffer(GL_ARRAY_BUFFER, p.vertices);
    if (p.indices) glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, p.indices);
    glInterleavedArrays(p.shared != SharedCorners::none ? GL_N3F_V3F
                        : p.normals                     ? GL_T2F_N3F_V3F
                                                        : GL_T2F_V3F,
                        0, nullptr);
    draw_range(p, 0, p.needles);
    // "Special ": the grid's material where the piece holds some of the grid.
    if (p.grid_material && p.elements > p.needles) set_material_color(grid_color);
    draw_range(p, p.needles, p.elements - p.needles);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (p.indices) glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    // Drawing from arrays leaves the current attributes undefined; immediate
    // drawing leaves those of the last vertex.
    if (p.has_last) {
        glTexCoord2fv(p.last);
        if (p.normals) glNormal3fv(p.last + 2);
    }

    if (p.shared != SharedCorners::none) glShadeModel(static_cast<GLenum>(shade_model));
    if (p.kind == ArrayPicture::kLines) {
        glLineWidth(line_width);
        if (line_smooth) glEnable(GL_LINE_SMOOTH);
    }
    if (cull) {
        glDisable(GL_CULL_FACE);
        glCullFace(static_cast<GLenum>(cull_mode));
    }
}
