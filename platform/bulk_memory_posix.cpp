#include "platform/bulk_memory.h"

#include <cstdint>
#include <sys/mman.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void* AllocateBulkMemory(std::size_t bytes)
{
    if (bytes == 0)
        return nullptr;
    bool large = bytes % LargePageRunBytes == 0;
    // A run for large pages is taken with one to spare, so that an aligned part can be cut out of it.
    std::size_t reserved = large ? bytes + LargePageRunBytes : bytes;
    void* raw = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    if (!large)
        return raw;
    auto start = reinterpret_cast<std::uintptr_t>(raw);
    std::uintptr_t aligned = (start + LargePageRunBytes - 1) & ~(std::uintptr_t {LargePageRunBytes} - 1);
    if (aligned > start)
        ::munmap(raw, aligned - start);
    std::size_t tail = start + reserved - (aligned + bytes);
    if (tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
#ifdef MADV_HUGEPAGE
    // Only a hint: a system without transparent large pages simply ignores it.
    ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void FreeBulkMemory(void* run, std::size_t bytes)
{
    if (run != nullptr)
        ::munmap(run, bytes);
}

void ReturnFreeHeapMemory()
{
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

} // namespace platform
