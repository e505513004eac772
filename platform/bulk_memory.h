// Memory for caches that hold many fixed-size buffers, taken from the system in large, aligned runs. Where
// the system offers it the run is backed by large pages, so that scattered accesses across a big cache need
// far fewer address translations; elsewhere it is ordinary committed memory.
#pragma once

#include <cstddef>

namespace platform {

// The size a run must be a multiple of to be backed by large pages where they are offered.
constexpr std::size_t LargePageRunBytes = std::size_t {2} << 20;

// A zero-filled, page-aligned run of `bytes`; null when the system has none to give.
void* AllocateBulkMemory(std::size_t bytes);
// Gives back a run, with the size it was taken with.
void FreeBulkMemory(void* run, std::size_t bytes);

// Hands the heap's free pages back to the system, where the allocator keeps them after a large piece of
// work has freed its memory, so that the next piece of work does not stand on top of it.
void ReturnFreeHeapMemory();

} // namespace platform
