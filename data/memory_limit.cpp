#include "data/memory_limit.h"

#include <malloc.h>
#include <unistd.h>

#include "core/fixed_vector.h"

bool grid_fits_in_memory(unsigned long long points) {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page_size <= 0) return true;  // unknown: the allocation decides
    const unsigned long long memory =
        static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(page_size);
    return points <= memory / (sizeof(Vector3) + sizeof(float));
}

void return_free_memory() {
    malloc_trim(0);
}
