#include "render/frame_memory.h"

#include <malloc.h>

void keep_frame_memory() {
    // Setting either turns glibc's own adjustment of both off, so both are set.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnMappingBytes));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptFrameBytes));
}
