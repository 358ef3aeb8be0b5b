#pragma once
// What the colour values of a data set hold, for the colour scale of "Value" and
// the legend's swatches: scanned once per grid (revision), not every frame.

#include <cstdint>

#include "data/data_set.h"

struct ValueSummary {
    bool any = false;           // some value is finite
    double min = 0, max = 0;    // the finite values' range
    std::uint32_t entries = 0;  // bit k: some value of 0 or more selects colour-map entry k
    // Some value is negative or not a number: a gap in the joined line sets of
    // coloured data, entry 0 in its other modes.
    bool negative = false;
};

// The summary of `set`'s values as they are now; kept until its revision changes
// (code that changes values in place gives the set a new grid, as readers do).
const ValueSummary& value_summary(const DataSet& set);
