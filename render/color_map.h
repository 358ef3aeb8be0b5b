#pragma once
// The colour map: a 16 x 1 RGBA texture whose entry k every vertex addresses
// through its texture coordinate. Entries 0..8 are the first nine named colours,
// 9..15 black, until "Apply Color Settings" gives one of entries 0..9 a data colour.
// The materials of the model go with it.

#include "core/fixed_vector.h"

// Extent of one colour-map texel in s and in t. Both are 1.0 until the first
// DataSet::build_color_map, which sets them to 1/16 and 1/1.
extern double texel_size_s;
extern double texel_size_t;

// Saturation of coloured data's colour map in the picture being drawn: 1 keeps
// the colours (every mode but the glasses modes, which set it while they draw);
// below 1 each colour moves toward its grey, the mean of its three components.
// Plain data's entries stay pure.
extern float color_saturation;

// The colour map's texture name in the picture's context: fixed, never generated.
constexpr unsigned kColorMapTexture = 1;

// The texture coordinate of entry k: ((k + 0.5) * texel_s, (k + 0.5) * texel_t),
// the products taken in double, the centre of texel k, since on a texel's edge
// nearest filtering may pick either neighbour. Entries beyond the map wrap (the
// texture repeats). Immediate drawing and the recorded pictures both use it.
inline void texel_centre(int k, double texel_s, double texel_t, float out[2]) {
    out[0] = static_cast<float>((k + 0.5) * texel_s);
    out[1] = static_cast<float>((k + 0.5) * texel_t);
}

// The colour of entry i: a data colour applied to slot i (0..9), otherwise the
// entry's own (red ... orange for 0..8, black beyond). RGB in [0, 1], full colour.
void color_map_entry_rgb(int i, float rgb[3]);

// Diffuse and specular both `color`, shininess 60; ambient and emission untouched:
// the one-colour material of the "Special " bottom grid. (The standard material
// is DataSet::set_material_and_texture.)
void set_material_color(Color4 color);

// glTexCoord2f of texel_centre.
void gl_texel_coord(int k, double texel_s, double texel_t);

// Colour-map entry of a colour value: the value truncated toward zero when it is
// >= 0, otherwise (negative or NaN) entry 0. Values from 4096 on are reduced
// modulo the 16 entries, which is what the repeating texture shows anyway.
int color_index(float value);
