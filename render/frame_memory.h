#pragma once
// Memory the GL driver takes for a frame and gives back at its end (Mesa's
// software rasteriser bins a frame's triangles in blocks of tens of megabytes)
// is kept by the process for the next frame instead of being handed back to the
// system and faulted in again, page by page, every frame. Freed memory above
// kKeptFrameBytes, and the large arrays (grids, recorded pictures: mapped on
// their own above kOwnMappingBytes), still go back at once.

constexpr unsigned long long kKeptFrameBytes = 128ull << 20;
constexpr unsigned long long kOwnMappingBytes = 32ull << 20;

// Sets the allocator so, for the rest of the process: before the first frame.
void keep_frame_memory();
