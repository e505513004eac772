#include "platform/bulk_memory.h"

#include <windows.h>

namespace platform {

// Large pages need a privilege that ordinary users do not hold, so runs are ordinary committed memory.
void* AllocateBulkMemory(std::size_t bytes)
{
    if (bytes == 0)
        return nullptr;
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeBulkMemory(void* run, std::size_t)
{
    if (run != nullptr)
        VirtualFree(run, 0, MEM_RELEASE);
}

void ReturnFreeHeapMemory()
{
    // Coalesces the free blocks and decommits the large ones.
    HeapCompact(GetProcessHeap(), 0);
}

} // namespace platform
