#include "platform/ProcessMemory.h"

#include <malloc.h>

namespace zelk {

void keepFreedMemoryForReuse() {
    // Large blocks come from the heap rather than from mappings of their own, and the heap is
    // only trimmed once a quarter of a gigabyte lies free at its top.
    constexpr int kMappedFrom = 32 * 1024 * 1024;
    constexpr int kTrimmedFrom = 256 * 1024 * 1024;
    ::mallopt(M_MMAP_THRESHOLD, kMappedFrom);
    ::mallopt(M_TRIM_THRESHOLD, kTrimmedFrom);
}

}  // namespace zelk
