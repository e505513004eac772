// Block buffers come from arenas of many blocks instead of one system allocation each, so that a large
// import does not spend a 32-bit address space on allocation granularity. Arenas that empty are returned.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace tolvane {

class BlockPool {
public:
    explicit BlockPool(int blocksPerArena = 32);
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;

    // An 8192-byte buffer of undefined contents, or null when no memory can be had.
    std::uint8_t* Allocate();
    void Release(std::uint8_t* buffer);
    int ArenaCount() const { return static_cast<int>(arenas_.size()); }

private:
    struct Arena {
        std::unique_ptr<std::uint8_t[]> memory;
        std::vector<std::uint16_t> freeSlots;
    };

    Arena* ArenaOf(const std::uint8_t* buffer);

    int blocksPerArena_;
    std::map<const std::uint8_t*, std::unique_ptr<Arena>> arenas_; // by start address
    std::vector<Arena*> withRoom_;
};

} // namespace tolvane
