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
    mostInUse_ = std::max(mostInUse_, ++inUse_);
    return buffer;
}

BlockPool::Arena* BlockPool::ArenaOf(const std::uint8_t* buffer) const
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
    --inUse_;
    if (wasFull)
        withRoom_.push_back(arena);
}

void BlockPool::ReleaseSpareArenas()
{
    // Whole arenas for the most buffers in use at once, and always one.
    std::size_t keep = std::max<std::size_t>(1, (static_cast<std::size_t>(mostInUse_) + blocksPerArena_ - 1) /
                                                    static_cast<std::size_t>(blocksPerArena_));
    for (auto it = arenas_.begin(); it != arenas_.end() && arenas_.size() > keep;) {
        Arena* arena = it->second.get();
        if (static_cast<int>(arena->freeSlots.size()) == blocksPerArena_) {
            withRoom_.erase(std::remove(withRoom_.begin(), withRoom_.end(), arena), withRoom_.end());
            it = arenas_.erase(it);
        } else {
            ++it;
        }
    }
    mostInUse_ = inUse_;
}

int BlockPool::BuffersInUse() const
{
    int inUse = 0;
    for (const auto& [start, arena] : arenas_)
        inUse += blocksPerArena_ - static_cast<int>(arena->freeSlots.size());
    return inUse;
}

std::string BlockPool::Check(std::vector<const std::uint8_t*> handedOut) const
{
    const std::size_t arenaBytes = static_cast<std::size_t>(blocksPerArena_) * BlockSize;
    // One flag for every slot of every arena, arenas in address order: free or not.
    std::vector<std::uint8_t> free(arenas_.size() * static_cast<std::size_t>(blocksPerArena_));
    std::size_t first = 0;
    for (const auto& [start, arena] : arenas_) {
        if (start != arena->memory || arena->bytes != arenaBytes)
            return "an arena is listed under another address or size";
        std::uint8_t* flags = free.data() + first;
        for (std::uint16_t slot : arena->freeSlots) {
            if (slot >= blocksPerArena_ || flags[slot])
                return "an arena lists a free slot twice or one it does not have";
            flags[slot] = 1;
        }
        first += static_cast<std::size_t>(blocksPerArena_);
        bool withRoom = std::count(withRoom_.begin(), withRoom_.end(), arena.get()) > 0;
        if (withRoom != !arena->freeSlots.empty())
            return "an arena with room is not listed as such, or a full one is";
    }
    for (std::size_t i = 0; i < withRoom_.size(); ++i)
        if (ArenaOf(withRoom_[i]->memory) != withRoom_[i] ||
            std::find(withRoom_.begin() + static_cast<std::ptrdiff_t>(i) + 1, withRoom_.end(), withRoom_[i]) !=
                withRoom_.end())
            return "the arenas with room name an arena twice or one the pool does not hold";
    std::sort(handedOut.begin(), handedOut.end());
    if (std::adjacent_find(handedOut.begin(), handedOut.end()) != handedOut.end())
        return "a buffer is handed out twice";
    for (const std::uint8_t* buffer : handedOut) {
        const Arena* arena = ArenaOf(buffer);
        if (arena == nullptr || buffer >= arena->memory + arena->bytes || (buffer - arena->memory) % BlockSize != 0)
            return "a buffer in use is none of the pool's";
        auto index = static_cast<std::size_t>(std::distance(arenas_.begin(), arenas_.find(arena->memory)));
        if (free[index * static_cast<std::size_t>(blocksPerArena_) +
                 static_cast<std::size_t>((buffer - arena->memory) / BlockSize)])
            return "a buffer in use is also free";
    }
    if (static_cast<int>(handedOut.size()) != BuffersInUse())
        return std::to_string(BuffersInUse()) + " buffers are handed out, but " + std::to_string(handedOut.size()) +
               " are in use";
    if (inUse_ != BuffersInUse() || mostInUse_ < inUse_)
        return "the count of buffers in use, or the most of them at once, is wrong";
    return "";
}

} // namespace tolvane
