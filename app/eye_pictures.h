#pragma once
// The two offscreen pictures of a composed stereo form (core/choices.h), each
// one eye's whole picture at the window's size, and their composition into the
// frame's framebuffer: interlaced rows, columns or squares through a polygon
// stipple, squeezed halves through linear filtering, least-squares colours
// through a small GLSL program (computed on the processor where GLSL is missing).

#include <GL/gl.h>

#include "core/choices.h"

// The framebuffer a frame's picture goes to: 0, the window's; a picture without
// a window sets its own (app/headless.cpp), which it draws with the upper left
// as origin. The eyes' pictures are always drawn as the window is drawn, the
// lower left as origin, so that a composed picture is the same in both.
extern GLuint picture_framebuffer;
extern bool picture_rows_top_first;
void bind_picture_framebuffer();
// Selects `buffer` of the window (GL_BACK, GL_BACK_LEFT, ...); in a framebuffer
// object, its colour attachment.
void select_draw_buffer(GLenum buffer);

// Binds picture `which` (0 or 1) of width x height, making or remaking it when
// this context has none of that size; false when none can be made here.
bool bind_eye_picture(int which, int width, int height);
// Whether the bound framebuffer's first row is the picture's top: a picture
// without a window is drawn with the upper left as origin (app/headless.cpp).
bool rows_top_first();
// Whether both pictures of width x height exist in this context.
bool eye_pictures_made(int width, int height);
// The picture's pixels, bottom row first (for checks).
void read_eye_picture(int which, int width, int height, unsigned char* rgb);

// Draws both pictures into the whole viewport of the bound framebuffer as
// `composition` puts them together (`matrices` for least_squares).
void compose_eye_pictures(Composition composition, const AnaglyphMatrices* matrices, int width,
                          int height);

// One pixel of least-squares colours: both eyes' 8-bit sRGB colours to linear
// light, through the matrices, clamped, back to sRGB.
void least_squares_pixel(const AnaglyphMatrices& m, const unsigned char left[3],
                         const unsigned char right[3], unsigned char out[3]);
