#include "engine/block_pool.h"

#include "engine/format.h"

#include <algorithm>
#include <new>

namespace tolvane {

BlockPool::BlockPool(int blocksPerArena) : blocksPerArena_(blocksPerArena)
{
}

std::uint8_t* BlockPool::Allocate()
{
    while (!withRoom_.empty() && withRoom_.back()->freeSlots.empty())
        withRoom_.pop_back();
    if (withRoom_.empty()) {
        auto arena = std::make_unique<Arena>();
        arena->memory.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(blocksPerArena_) * BlockSize]);
        if (!arena->memory)
            return nullptr;
        try {
            arena->freeSlots.reserve(blocksPerArena_);
            for (int slot = blocksPerArena_ - 1; slot >= 0; --slot)
                arena->freeSlots.push_back(static_cast<std::uint16_t>(slot));
            withRoom_.push_back(arena.get());
            arenas_.emplace(arena->memory.get(), std::move(arena));
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
    return arena->memory.get() + static_cast<std::size_t>(slot) * BlockSize;
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
    auto slot = static_cast<std::uint16_t>((buffer - arena->memory.get()) / BlockSize);
    bool wasFull = arena->freeSlots.empty();
    arena->freeSlots.push_back(slot); // capacity was reserved for every slot
    if (static_cast<int>(arena->freeSlots.size()) == blocksPerArena_ && arenas_.size() > 1) {
        withRoom_.erase(std::remove(withRoom_.begin(), withRoom_.end(), arena), withRoom_.end());
        arenas_.erase(arena->memory.get());
        return;
    }
    if (wasFull)
        withRoom_.push_back(arena);
}

} // namespace tolvane
