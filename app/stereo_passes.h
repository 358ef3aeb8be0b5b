#pragma once
// The eye passes of one frame, by `stereo_mode`: one centre pass ("MonoView "),
// or a left and a right eye pass placed by the mode: over each other in one
// buffer ("Anaglyph"), in the two back buffers of a quad-buffered window
// ("StereoView"), in colour channels of their own (the glasses modes), or in the
// two halves of the window ("Side by side", "Cross-eyed"). "Swap eyes" exchanges
// which eye's picture goes where in every two-eye mode.

#include <GL/gl.h>

#include <vector>

#include "core/settings.h"
#include "data/data_set.h"

struct CameraFrame;

extern int left_eye_texel;   // colour-map entry of the centre view and the left eye: 0
extern int right_eye_texel;  // colour-map entry of the right eye: 2
extern int cyan_eye_texel;   // ... of the right eye through red/cyan glasses: 3

// Projection for viewing window `window` of `camera` (0 left eye, 1 centre, 2
// right eye); leaves the model-view matrix selected and at the identity.
void begin_eye_pass(const CameraFrame& camera, int window);
// One scene pass from vp + offset, the data drawn in colour-map entry `texel`.
void draw_scene(Vector3 offset, int texel);
// The part of the model's picture the frame draws in that pass (data/data_set.h),
// the camera printed at its first piece and the axes drawn with its last.
// Returns the model's number of pieces.
int draw_scene_part(Vector3 offset, int texel, const ModelPart& part);
// The x (red, with an "X" mark), y (green) and z (blue) axes, `length` long.
void draw_axes(float length);

// Width of the viewport of one eye's picture: half the window when split.
int eye_view_width(int mode, int window_width);

// One eye pass of a frame, as GL takes it (from the form's EyePassSpec,
// core/choices.h): where it draws (buffer, colour channels, half of a split
// window), what it clears first, and the eye it sees with.
struct EyePass {
    GLenum buffer = GL_NONE;  // the draw buffer to select first; GL_NONE keeps the last one
    GLbitfield clear = 0;     // cleared before the pass
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};  // colour channels written
    int half = -1;            // -1 the whole window, 0 its left half, 1 its right half
    int window = 1;           // viewing window of the camera: 0 left eye, 1 centre, 2 right eye
    Vector3 offset{0, 0, 0};  // the eye's offset from vp
    int texel = 0;            // colour-map entry of plain data
    float saturation = 1.0f;  // of coloured data's colours (below 1 through glasses)
};

// The passes of the current stereo_mode with `camera`, which was computed for
// eye_view_width.
std::vector<EyePass> eye_passes(const CameraFrame& camera);
// Sets up a pass (and clears what it clears when `clear`: at its first piece).
void begin_pass(const EyePass& pass, const CameraFrame& camera, bool clear);
// After the last pass: every colour channel writable, the whole window.
void end_passes();

// All passes of the current stereo_mode, whole: eye_passes, each begun and drawn.
void draw_eye_passes(const CameraFrame& camera);

// The viewport and scissor of one half of a split window (side 0 the left), and
// back to the whole window.
void use_half(int side);
void use_whole_window();

// One eye's scene alone: its viewing window and offset from `camera`, the data in
// colour-map entry `texel`, into whatever buffer and channels are selected.
void draw_eye(const CameraFrame& camera, bool right_eye, int texel);
