#pragma once
// A GLSL program of one fragment shader, vertex processing left fixed-function:
// the small programs the picture uses where GLSL is there (round points, the
// least-squares glasses colours).

// Builds the program from `source` in the current GL context; 0 where the GL has
// no GLSL (before 2.0) or the shader does not compile or link.
unsigned build_fragment_program(const char* source);
