#pragma once
// The parts of a picture that the overlay's own text takes: a band at the
// bottom for the file name and the status line, one at the top for the title.
// The bounds box's labels keep clear of them, and framing keeps the box between.

#include <vector>

#include "app/bounds_box.h"

// Heights in pixels of the bands of a picture `height` pixels high.
double bottom_band(int height);
double top_band(int height);

// The two bands of the current viewport, as rectangles of the window.
std::vector<PixelRect> overlay_bands();

// Where the title's baseline stands, in pixels above the viewport's bottom.
double title_baseline(int height);
