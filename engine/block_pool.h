// Block buffers come from arenas of many blocks instead of one system allocation each, so that a large
// import does not spend a 32-bit address space on allocation granularity, and so that a large cache can sit
// on large pages. Arenas that empty are kept for the next blocks, so that a run of transactions does not give
// memory back only to take it again (each time zero-filled by the system); ReleaseSpareArenas gives back
// what the most recent work did not need.
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
    // Gives back the empty arenas beyond those that the most buffers in use at once since the last call
    // needed, and starts counting that most anew.
    void ReleaseSpareArenas();
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
    int inUse_ = 0;
    int mostInUse_ = 0;
};

} // namespace tolvane
