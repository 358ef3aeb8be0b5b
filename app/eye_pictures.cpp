// Before any GL header: the prototypes of GL 2 and 3.
#define GL_GLEXT_PROTOTYPES
#include "app/eye_pictures.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/overlay_text.h"
#include "render/fragment_program.h"

GLuint picture_framebuffer = 0;
bool picture_rows_top_first = false;

namespace {

// Fixed texture names, as the colour map's (render/color_map.h); never generated.
constexpr GLuint kPictureTextures[2] = {3, 4};

struct Pictures {
    GLuint framebuffer[2] = {0, 0};
    GLuint depth[2] = {0, 0};
    int width = 0, height = 0;
};
Pictures pictures;

// Names of an earlier context (a window made anew) mean nothing in this one.
bool exist(int width, int height) {
    if (pictures.width != width || pictures.height != height) return false;
    for (int i = 0; i < 2; ++i)
        if (!glIsFramebuffer(pictures.framebuffer[i]) || !glIsTexture(kPictureTextures[i]))
            return false;
    return true;
}

bool make(int width, int height) {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!version || std::atoi(version) < 3) return false;  // framebuffer objects are 3.0
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    bool complete = true;
    for (int i = 0; i < 2; ++i) {
        if (!glIsFramebuffer(pictures.framebuffer[i]))
            glGenFramebuffers(1, &pictures.framebuffer[i]);
        if (!glIsRenderbuffer(pictures.depth[i])) glGenRenderbuffers(1, &pictures.depth[i]);
        glBindTexture(GL_TEXTURE_2D, kPictureTextures[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBindRenderbuffer(GL_RENDERBUFFER, pictures.depth[i]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, pictures.framebuffer[i]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                               kPictureTextures[i], 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  pictures.depth[i]);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    pictures.width = complete ? width : 0;
    pictures.height = complete ? height : 0;
    return complete;
}

// --- Least-squares colours in a fragment program -------------------------------------
const char* const kLeastSquaresSource = R"(#version 120
uniform sampler2D first_picture;
uniform sampler2D second_picture;
uniform mat3 left_matrix;
uniform mat3 right_matrix;
vec3 to_linear(vec3 c) {
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c));
}
vec3 to_srgb(vec3 c) {
    c = clamp(c, 0.0, 1.0);
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}
void main() {
    vec3 l = to_linear(texture2D(first_picture, gl_TexCoord[0].st).rgb);
    vec3 r = to_linear(texture2D(second_picture, gl_TexCoord[0].st).rgb);
    gl_FragColor = vec4(to_srgb(left_matrix * l + right_matrix * r), 1.0);
}
)";

struct Program {
    GLuint id = 0;
    bool tried = false;
};
Program least_squares_program;

GLuint least_squares_program_here() {
    Program& p = least_squares_program;
    if (p.tried && (p.id == 0 || glIsProgram(p.id))) return p.id;
    p.tried = true;
    p.id = build_fragment_program(kLeastSquaresSource);
    return p.id;
}

// A quad over the viewport with picture `which` on it, turned over onto a
// framebuffer whose first row is the top.
void draw_picture(int which, bool turned) {
    const float bottom = turned ? 1.0f : 0.0f, top = 1.0f - bottom;
    glBindTexture(GL_TEXTURE_2D, kPictureTextures[which]);
    glBegin(GL_QUADS);
    glTexCoord2f(0, bottom);
    glVertex2f(-1, -1);
    glTexCoord2f(1, bottom);
    glVertex2f(1, -1);
    glTexCoord2f(1, top);
    glVertex2f(1, 1);
    glTexCoord2f(0, top);
    glVertex2f(-1, 1);
    glEnd();
}

void filter_pictures(GLint filter) {
    for (const GLuint texture : kPictureTextures) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    }
}

// The stipple that lets the second picture through where `composition` puts it:
// odd rows counted from the top, odd columns, odd squares.
void second_picture_stipple(Composition composition, int height, bool top_first) {
    GLubyte pattern[32 * 4] = {};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int row_from_top = top_first ? y : height - 1 - y;  // its parity: 32 is even
            const bool second = composition == Composition::rows      ? (row_from_top & 1)
                                : composition == Composition::columns ? (x & 1)
                                                                      : ((x + row_from_top) & 1);
            if (second) pattern[y * 4 + x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPolygonStipple(pattern);
}

void compose_least_squares(const AnaglyphMatrices& m, int width, int height, bool turned) {
    const GLuint program = least_squares_program_here();
    if (program) {
        glUseProgram(program);
        glUniform1i(glGetUniformLocation(program, "first_picture"), 0);
        glUniform1i(glGetUniformLocation(program, "second_picture"), 1);
        glUniformMatrix3fv(glGetUniformLocation(program, "left_matrix"), 1, GL_TRUE, m.left);
        glUniformMatrix3fv(glGetUniformLocation(program, "right_matrix"), 1, GL_TRUE, m.right);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, kPictureTextures[1]);
        glActiveTexture(GL_TEXTURE0);
        draw_picture(0, turned);
        glUseProgram(0);
        return;
    }
    // Without GLSL: on the processor, both pictures read back.
    const std::size_t n = static_cast<std::size_t>(width) * height * 3;
    std::vector<unsigned char> left(n), right(n), out(n);
    read_eye_picture(0, width, height, left.data());
    read_eye_picture(1, width, height, right.data());
    for (std::size_t i = 0; i < n; i += 3) least_squares_pixel(m, &left[i], &right[i], &out[i]);
    if (turned) {
        const std::size_t row = static_cast<std::size_t>(width) * 3;
        for (int y = 0; y < height / 2; ++y)
            std::swap_ranges(out.begin() + y * row, out.begin() + (y + 1) * row,
                             out.begin() + (height - 1 - y) * row);
    }
    glDisable(GL_TEXTURE_2D);
    glWindowPos2i(0, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, out.data());
}

double to_linear(unsigned char c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
unsigned char to_srgb(double v) {
    v = std::clamp(v, 0.0, 1.0);
    const double c = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return static_cast<unsigned char>(std::lround(c * 255));
}

}  // namespace

void bind_picture_framebuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, picture_framebuffer);
    if (!picture_rows_top_first) return;
    glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
    text_turned_over(true);
}

void select_draw_buffer(GLenum buffer) {
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    glDrawBuffer(bound == 0 ? buffer : GL_COLOR_ATTACHMENT0);
}

bool bind_eye_picture(int which, int width, int height) {
    if (!exist(width, height) && !make(width, height)) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, pictures.framebuffer[which]);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    if (picture_rows_top_first) {
        glClipControl(GL_LOWER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
        text_turned_over(false);
    }
    return true;
}

bool rows_top_first() {
    GLint origin = GL_LOWER_LEFT;  // where clip control is missing, as GL always drew
    glGetIntegerv(GL_CLIP_ORIGIN, &origin);
    return origin == GL_UPPER_LEFT;
}

bool eye_pictures_made(int width, int height) {
    return exist(width, height);
}

void read_eye_picture(int which, int width, int height, unsigned char* rgb) {
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glBindTexture(GL_TEXTURE_2D, kPictureTextures[which]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (std::size_t i = 0; i < rgba.size() / 4; ++i)
        for (int c = 0; c < 3; ++c) rgb[3 * i + c] = rgba[4 * i + c];
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
}

void compose_eye_pictures(Composition composition, const AnaglyphMatrices* matrices, int width,
                          int height) {
    // The pictures' first rows are their bottoms: turned over onto a framebuffer
    // whose first row is the top.
    const bool top_first = rows_top_first();
    if (top_first) glClipControl(GL_LOWER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (const GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_SCISSOR_TEST, GL_BLEND, GL_CULL_FACE,
                             GL_ALPHA_TEST, GL_FOG, GL_POLYGON_STIPPLE})
        glDisable(cap);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    select_draw_buffer(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glViewport(0, 0, width, height);
    switch (composition) {
        case Composition::rows:
        case Composition::columns:
        case Composition::checkerboard:
            filter_pictures(GL_NEAREST);
            draw_picture(0, top_first);
            second_picture_stipple(composition, height, top_first);
            glEnable(GL_POLYGON_STIPPLE);
            draw_picture(1, top_first);
            break;
        case Composition::side_by_side:
        case Composition::top_and_bottom: {
            // Each picture halved along one axis: a linear sample midway between two
            // texels is their mean.
            filter_pictures(GL_LINEAR);
            const bool across = composition == Composition::side_by_side;
            const int w = across ? width / 2 : width, h = across ? height : height / 2;
            const int top = top_first ? 0 : height - h, bottom = top_first ? height - h : 0;
            glViewport(0, across ? 0 : top, w, h);  // the first left, or on top
            draw_picture(0, top_first);
            glViewport(across ? width - w : 0, across ? 0 : bottom, w, h);
            draw_picture(1, top_first);
            break;
        }
        case Composition::least_squares:
            filter_pictures(GL_NEAREST);
            if (matrices) compose_least_squares(*matrices, width, height, top_first);
            break;
        case Composition::none:
            break;
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    if (top_first) glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
}

void least_squares_pixel(const AnaglyphMatrices& m, const unsigned char left[3],
                         const unsigned char right[3], unsigned char out[3]) {
    double l[3], r[3];
    for (int c = 0; c < 3; ++c) {
        l[c] = to_linear(left[c]);
        r[c] = to_linear(right[c]);
    }
    for (int row = 0; row < 3; ++row) {
        double v = 0;
        for (int c = 0; c < 3; ++c) v += m.left[3 * row + c] * l[c] + m.right[3 * row + c] * r[c];
        out[row] = to_srgb(v);
    }
}
