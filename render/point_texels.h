#pragma once
// Which texel each point of the model is drawn in: one colour-map entry for the
// whole of plain data (the eye's), each point's own colour index for coloured
// data, or under "Color by" the colour-scale entry of its coordinate or value.
// The mode emitters and the recorded pictures both take their texels from here.

#include <algorithm>
#include <cmath>

#include "data/data_set.h"
#include "render/color_map.h"
#include "render/color_scale.h"

struct PointTexels {
    const DataSet* set = nullptr;  // coloured data or a colour scale: the set whose points count
    int texel = 0;                 // plain data: the one entry; a flat scale: its middle
    int scale = -1;                // colour scale of coordinate 0..2 or kScaleOfValues; -1 none
    double low = 0, per_unit = 0;  // scale entry: (number - low) * per_unit
    bool gaps = false;             // coloured data: no joined segment from a negative value

    static PointTexels plain(int texel_index) { return {nullptr, texel_index}; }
    static PointTexels colored(const DataSet& s) { return {&s, 0, -1, 0, 0, true}; }
    // What the model in `display_mode` is drawn in, by its kind and "Color by".
    static PointTexels for_model(const DataSet& s, int texel_index, int display_mode) {
        PointTexels t = s.plain() ? plain(texel_index) : colored(s);
        t.scale = color_scale_axis(s, display_mode);
        if (t.scale < 0) return t;
        t.set = &s;
        double high = 0;
        if (!color_scale_range(s, t.scale, t.low, high)) t.low = high = 0;
        // A flat range takes the middle of the scale.
        t.per_unit = high > t.low ? kColorScaleEntries / (high - t.low) : 0;
        if (!(t.per_unit > 0 && std::isfinite(t.per_unit))) {
            t.per_unit = 0;
            t.texel = kColorScaleEntries / 2;
        }
        return t;
    }

    int at(int s, int i) const {
        if (scale >= 0) {
            const double v =
                scale == kScaleOfValues ? set->color_value(s, i) : set->point(s, i)[scale];
            if (std::isnan(v)) return kMissingValueEntry;
            if (per_unit == 0) return texel;
            const double e = std::floor((v - low) * per_unit);
            return e >= 0 ? static_cast<int>(std::min(e, kColorScaleEntries - 1.0)) : 0;
        }
        return gaps ? color_index(set->color_value(s, i)) : texel;
    }
    // Coloured data leaves out a joined segment that starts at a negative (or NaN)
    // value; plain data draws every one.
    bool joins_from(int s, int i) const { return !gaps || set->color_value(s, i) >= 0; }
    // A colour scale colours every vertex by its own point; otherwise a quad takes
    // the texel of its corner P00.
    bool per_vertex() const { return scale >= 0; }
};
