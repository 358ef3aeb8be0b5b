#pragma once
// Which colour-map entry each point of the model is drawn in: one entry for the
// whole of plain data (the eye's), or each point's own colour index for coloured
// data. The mode emitters are shared by both kinds through this.

#include "data/data_set.h"
#include "render/color_map.h"

struct PointTexels {
    const DataSet* set = nullptr;  // coloured data: the set whose colour values count
    int texel = 0;                 // plain data: the one entry

    static PointTexels plain(int texel_index) { return {nullptr, texel_index}; }
    static PointTexels colored(const DataSet& s) { return {&s, 0}; }

    int at(int s, int i) const { return set ? color_index(set->color_value(s, i)) : texel; }
    // Coloured data leaves out a joined segment that starts at a negative (or NaN)
    // value; plain data draws every one.
    bool joins_from(int s, int i) const { return !set || set->color_value(s, i) >= 0; }
};
