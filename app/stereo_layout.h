#pragma once
// Where the eyes of the current stereo form go, free of GL: the form as frames
// draw it, the size of one eye's picture and the parts of the window.

#include "core/choices.h"

// The current stereo_mode's form as frames draw it: the table's entry, or with
// "Least-squares colours" a glasses form composed from both eyes' pictures.
StereoForm drawn_form();
// The size of one eye's picture: the part of the window its pass draws into,
// or the whole window for a composed form.
void eye_picture_size(int window_width, int window_height, int& width, int& height);
// The saturation of coloured data through the drawn form (below 1 through filters).
float drawn_saturation();

// The pixels of one part of a window of width x height (lower left, GL's way).
struct PixelBox {
    int x, y, width, height;
};
PixelBox place_box(PassPlace place, int width, int height);
