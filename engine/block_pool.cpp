#include "engine/block_pool.h"

#include "engine/format.h"
#include "platform/bulk_memory.h"

#include <algorithm>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// A released buffer is poisoned until it is handed out again, so a use after release is reported.
#define TOLVANE_POISON(address, bytes) ASAN_POISON_MEMORY_REGION(address, bytes)
#define TOLVANE_UNPOISON(address, bytes) ASAN_UNPOISON_MEMORY_REGION(address, bytes)
#else
#define TOLVANE_POISON(address, bytes) ((void)(address), (void)(bytes))
#define TOLVANE_UNPOISON(address, bytes) ((void)(address), (void)(bytes))
#endif

namespace tolvane {

BlockPool::BlockPool(int blocksPerArena) : blocksPerArena_(blocksPerArena) {}

BlockPool::Arena::~Arena()
{
    TOLVANE_UNPOISON(memory, bytes);
    platform::FreeBulkMemory(memory, bytes);
}

std::uint8_t* BlockPool::Allocate()
{
    while (!withRoom_.empty() && withRoom_.back()->freeSlots.empty())
        withRoom_.pop_back();
    if (withRoom_.empty()) {
        std::size_t bytes = static_cast<std::size_t>(blocksPerArena_) * BlockSize;
        auto* memory = static_cast<std::uint8_t*>(platform::AllocateBulkMemory(bytes));
        if (memory == nullptr)
            return nullptr;
        std::unique_ptr<Arena> arena(new (std::nothrow) Arena(memory, bytes));
        if (!arena) {
            platform::FreeBulkMemory(memory, bytes);
            return nullptr;
        }
        TOLVANE_POISON(memory, bytes);
        try {
            arena->freeSlots.reserve(blocksPerArena_);
            for (int slot = blocksPerArena_ - 1; slot >= 0; --slot)
                arena->freeSlots.push_back(static_cast<std::uint16_t>(slot));
            withRoom_.push_back(arena.get());
            arenas_.emplace(arena->memory, std::move(arena));
        } catch (const std::bad_alloc&) {
            if (!withRoom_.empty() && withRoom_.back() == arena.get())
                withRoom_.pop_back();
            return nullptr;
        }
    }
    Arena* arena = withRoom_.back();
    std::uint16_t slot = arena->freeSlots.back();
    arena->freeSlots.pop_back();
    if (arena->freeSlots.empty())
        withRoom_.pop_back();
    std::uint8_t* buffer = arena->memory + static_cast<std::size_t>(slot) * BlockSize;
    TOLVANE_UNPOISON(buffer, BlockSize);
    return buffer;
}

BlockPool::Arena* BlockPool::ArenaOf(const std::uint8_t* buffer)
{
    auto it = arenas_.upper_bound(buffer);
    return it == arenas_.begin() ? nullptr : std::prev(it)->second.get();
}

void BlockPool::Release(std::uint8_t* buffer)
{
    Arena* arena = ArenaOf(buffer);
    if (arena == nullptr)
        return;
    auto slot = static_cast<std::uint16_t>((buffer - arena->memory) / BlockSize);
    TOLVANE_POISON(buffer, BlockSize);
    bool wasFull = arena->freeSlots.empty();
    arena->freeSlots.push_back(slot); // capacity was reserved for every slot
    if (static_cast<int>(arena->freeSlots.size()) == blocksPerArena_ && arenas_.size() > 1) {
        withRoom_.erase(std::remove(withRoom_.begin(), withRoom_.end(), arena), withRoom_.end());
        arenas_.erase(arena->memory);
        return;
    }
    if (wasFull)
        withRoom_.push_back(arena);
}

} // namespace tolvane
