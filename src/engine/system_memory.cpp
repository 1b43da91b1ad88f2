// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/system_memory.h"

#include <cstdlib>  // defines __GLIBC__ with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace trafikon {

void MapLargeBlocksApart() {
#if defined(__GLIBC__)
    // Left to itself the allocator raises this bound to the largest block
    // freed so far (up to 32 MB), and then serves blocks of several megabytes
    // from its heaps, where what is freed stays with it.
    static const bool set = mallopt(M_MMAP_THRESHOLD, 1 << 20) == 1;
    (void)set;
#endif
}

}  // namespace trafikon
