// Block buffers come from arenas of many blocks instead of one system allocation each, so that a large
// import does not spend a 32-bit address space on allocation granularity, and so that a large cache can sit
// on large pages. Arenas that empty are returned.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tolvane {

class BlockPool {
public:
    // 256 blocks fill one run of large pages.
    explicit BlockPool(int blocksPerArena = 256);
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;

    // An 8192-byte buffer of undefined contents, or null when no memory can be had.
    std::uint8_t* Allocate();
    void Release(std::uint8_t* buffer);
    int ArenaCount() const { return static_cast<int>(arenas_.size()); }
    // Buffers handed out and not released.
    int BuffersInUse() const;
    // "" when the arenas' bookkeeping is consistent and `handedOut` are exactly the buffers handed out and not
    // released, else the first fault found. For tests and fuzzing.
    std::string Check(std::vector<const std::uint8_t*> handedOut) const;

private:
    struct Arena {
        Arena(std::uint8_t* memory, std::size_t bytes) : memory(memory), bytes(bytes) {}
        ~Arena();
        Arena(const Arena&) = delete;
        Arena& operator=(const Arena&) = delete;
        std::uint8_t* memory;
        std::size_t bytes;
        std::vector<std::uint16_t> freeSlots;
    };

    Arena* ArenaOf(const std::uint8_t* buffer) const;

    int blocksPerArena_;
    std::map<const std::uint8_t*, std::unique_ptr<Arena>> arenas_; // by start address
    std::vector<Arena*> withRoom_;
};

} // namespace tolvane
