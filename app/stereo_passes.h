#pragma once
// The eye passes of one frame, by `stereo_mode`: one centre pass ("MonoView "),
// or a left and a right eye pass placed by the mode: over each other in one
// buffer ("Anaglyph"), in the two back buffers of a quad-buffered window
// ("StereoView"), in colour channels of their own (the glasses modes), in two
// halves of the window ("Side by side", "Cross-eyed", "Top and bottom"), or in
// two offscreen pictures that the form composes (interlaced, checkerboard,
// squeezed, least-squares colours). "Swap eyes" exchanges which eye's picture
// goes where in every two-eye mode.

#include <GL/gl.h>

#include <vector>

#include "app/stereo_layout.h"
#include "core/settings.h"
#include "data/data_set.h"

struct CameraFrame;

extern int left_eye_texel;   // colour-map entry of the centre view and the left eye: 0
extern int right_eye_texel;  // colour-map entry of the right eye: 2
extern int cyan_eye_texel;   // ... of the right eye through red/cyan glasses: 3

// Projection for viewing window `window` of `camera` (0 left eye, 1 centre, 2
// right eye); leaves the model-view matrix selected and at the identity.
void begin_eye_pass(const CameraFrame& camera, int window);

// Multiplies the model-view matrix by the view of the eye at `offset` from the
// viewpoint vp, looking along vd with vu up.
void look_from_eye(const Vector3& offset);
// One scene pass from vp + offset, the data drawn in colour-map entry `texel`.
void draw_scene(Vector3 offset, int texel);
// The part of the model's picture the frame draws in that pass (data/data_set.h),
// the camera printed at its first piece and the axes drawn with its last.
// Returns the model's number of pieces.
int draw_scene_part(Vector3 offset, int texel, const ModelPart& part);
// The x (red, with an "X" mark), y (green) and z (blue) axes, `length` long.
void draw_axes(float length);

// One eye pass of a frame, as GL takes it (from the form's EyePassEntry,
// core/choices.h): where it draws (buffer or offscreen picture, colour
// channels, part of the window), what it clears first, and the eye it sees with.
struct EyePass {
    GLenum buffer = GL_NONE;  // the draw buffer to select first; GL_NONE keeps the last one
    int picture = -1;         // offscreen picture 0 or 1 (app/eye_pictures.h); -1 the window
    GLbitfield clear = 0;     // cleared before the pass
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};  // colour channels written
    PassPlace place = PassPlace::whole;                        // the part of the window
    int window = 1;           // viewing window of the camera: 0 left eye, 1 centre, 2 right eye
    Vector3 offset{0, 0, 0};  // the eye's offset from vp
    int texel = 0;            // colour-map entry of plain data
    float saturation = 1.0f;  // of coloured data's colours (below 1 through glasses)
};

// The passes of the current stereo_mode with `camera`, which was computed for
// eye_picture_size.
std::vector<EyePass> eye_passes(const CameraFrame& camera);
// Sets up a pass (and clears what it clears when `clear`: at its first piece).
void begin_pass(const EyePass& pass, const CameraFrame& camera, bool clear);
// After the last pass: every colour channel writable, the whole window of the
// frame's framebuffer.
void end_passes();
// After end_passes: the overlay (`draw`) into each eye's picture or part of the
// window, or once over the whole; then a composed form's pictures into the window.
void finish_passes(void (*draw)());

// The viewport and scissor of one part of the window, and back to the whole window.
void use_place(PassPlace place);
void use_whole_window();

// One eye's scene alone: its viewing window and offset from `camera`, the data in
// colour-map entry `texel`, into whatever buffer and channels are selected.
void draw_eye(const CameraFrame& camera, bool right_eye, int texel);
