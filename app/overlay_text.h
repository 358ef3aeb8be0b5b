#pragma once
// The text of the overlay in its two fonts: the file name's and the smaller one of
// the status line. In a window they are GLUT's bitmap fonts. Without a display
// (no GLUT), the glyphs come from a font file rendered by FreeType: DejaVu Sans
// from Debian's fonts-dejavu-core, drawn as bitmaps just as GLUT draws its own.

#include <string>

enum class OverlayFont { kName, kStatus };

// Switches to the font file's glyphs (true), for drawing without a display;
// before any text is drawn. With `turned_over`, for a picture drawn upside down
// (whose rows are turned over afterwards), the glyphs are drawn upside down too.
void use_font_file(bool on, bool turned_over = false);
// The same for a part of the frame drawn the other way up (app/eye_pictures.h).
void text_turned_over(bool turned_over);

// Width of `text` in pixels, and the height of one line of the font.
int text_width(OverlayFont font, const std::string& text);
int line_height(OverlayFont font);

// Moves the current raster position by (dx, dy) pixels up the picture as seen,
// also in a picture drawn upside down.
void move_raster(double dx, double dy);

// Draws `text` at the current raster position in the current raster colour,
// moving the position along, as glutBitmapString does.
void draw_text(OverlayFont font, const std::string& text);
