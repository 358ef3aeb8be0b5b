#pragma once
// Whether a grid of `points` points (a Vector3 and a colour value each) could fit in
// the machine's memory. The readers ask before allocating, so that a header promising
// more than the machine holds is refused with a message rather than left to the
// allocator.

bool grid_fits_in_memory(unsigned long long points);

// Hands memory freed by the process back to the system. Large arrays freed in the
// middle of the heap (an old grid, a recorded picture) otherwise stay counted to
// the process until the heap above them is free too.
void return_free_memory();

// Bytes whose freeing is worth return_free_memory(), when nothing of the same size
// takes their place: an old grid or picture some megabytes larger than the new.
constexpr unsigned long long kLargeRelease = 8ull << 20;
