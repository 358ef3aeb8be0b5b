#include "render/round_points.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <vector>

#include "render/fragment_program.h"

namespace {

// gl_PointCoord runs over the point's square; outside the inscribed circle
// nothing is drawn, inside the lit colour times the texel.
const char* const kFragmentSource = R"(#version 120
uniform sampler2D color_map;
void main() {
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    if (dot(d, d) > 1.0) discard;
    gl_FragColor = gl_Color * texture2D(color_map, gl_TexCoord[0].st);
}
)";

struct ContextProgram {
    GLXContext context;
    GLuint program;  // 0: not available in this context
};
std::vector<ContextProgram> programs;

GLuint build_program() {
    const GLuint program = build_fragment_program(kFragmentSource);
    if (program) {
        glUseProgram(program);
        glUniform1i(glGetUniformLocation(program, "color_map"), 0);
        glUseProgram(0);
    }
    return program;
}

GLuint program_of_current_context() {
    const GLXContext context = glXGetCurrentContext();
    for (const ContextProgram& p : programs)
        if (p.context == context) return p.program;
    programs.push_back({context, build_program()});
    return programs.back().program;
}

}  // namespace

bool begin_round_points() {
    const GLuint program = program_of_current_context();
    if (!program) return false;
    glUseProgram(program);
    glEnable(GL_POINT_SPRITE);
    glDisable(GL_POINT_SMOOTH);
    return true;
}

void end_round_points() {
    glUseProgram(0);
    glDisable(GL_POINT_SPRITE);
    glEnable(GL_POINT_SMOOTH);
}
