#pragma once
// The legend at the right of the picture (of each half of a split one): the key
// to what the colours of the data mean. Under "Color by" a vertical colour bar of
// the scale with ticks at round values and the name of what it colours by; for
// coloured data in its entry colours a swatch and number for each entry its values
// select, and "gap" when negative values break the joined line sets.

#include <string>
#include <vector>

class DataSet;

struct LegendText {
    double x, y;  // lower left corner, pixels in the viewport
    std::string text;
};

struct LegendSwatch {
    int x, y;  // lower left corner, pixels
    float rgb[3];
    bool gap;  // an empty frame: the gaps of negative values
};

struct Legend {
    bool bar = false;  // a colour bar from bar_y (the low end) up
    int bar_x = 0, bar_y = 0, bar_height = 0;
    std::vector<double> tick_y;     // the bar's ticks, pixels
    std::vector<LegendText> texts;  // numbers, then the bar's title
    std::vector<LegendSwatch> swatches;
};

// Whether the legend shows anything, and where its leftmost pixel stands.
inline bool legend_empty(const Legend& l) {
    return !l.bar && l.swatches.empty();
}
double legend_left(const Legend& legend);

constexpr int kLegendBarWidth = 16;
constexpr int kLegendSwatch = 14;

// What the legend of `set` in the current display mode and "Color by" shows in a
// viewport of width x height pixels; empty when the colours mean nothing to key.
Legend layout_legend(const DataSet& set, int width, int height);

// Draws the legend of the data set into the current viewport, when "Show legend"
// is ticked.
void draw_legend();
