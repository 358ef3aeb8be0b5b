#pragma once
// A thinned copy of a grid for the reduced picture of the tube modes: every
// step-th set and every step-th point of each set, the last set and point
// always kept, so that lines and needles still reach the data's edges. The
// bounds, kind and colour map are the grid's own.

#include "data/data_set.h"

// Fills `thin` (a set of its own) from `set`; a step of 1 or less copies it whole.
void thin_grid(const DataSet& set, int step, DataSet& thin);

// The index of the k-th kept one of `count` indices, for that step.
inline int thinned_index(int k, int step, int count) {
    const long long at = static_cast<long long>(k) * step;
    return at < count - 1 ? static_cast<int>(at) : count - 1;
}
