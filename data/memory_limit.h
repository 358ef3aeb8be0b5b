#pragma once
// Whether a grid of `points` points (a Vector3 and a colour value each) could fit in
// the machine's memory. The readers ask before allocating, so that a header promising
// more than the machine holds is refused with a message rather than left to the
// allocator.

bool grid_fits_in_memory(unsigned long long points);
