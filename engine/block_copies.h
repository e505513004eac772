// Copies of what the database file holds for some blocks, read once for two uses at a commit: finding which
// pieces of each changed block differ, and the journal's record of its old contents.
#pragma once

#include "engine/format.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tolvane {

class BlockCopies {
public:
    void Clear()
    {
        blocks_.clear();
        bytes_.clear();
    }
    void Reserve(std::size_t blocks)
    {
        blocks_.reserve(blocks);
        bytes_.reserve(blocks * BlockSize);
    }
    // Room for the copy of block n, to be filled by the caller.
    std::uint8_t* Add(std::int32_t n)
    {
        blocks_.push_back(n);
        bytes_.resize(bytes_.size() + BlockSize);
        return bytes_.data() + bytes_.size() - BlockSize;
    }
    // Takes back the copy last added (one that could not be read).
    void DropLast()
    {
        blocks_.pop_back();
        bytes_.resize(bytes_.size() - BlockSize);
    }
    // The copy of block n, or null when none was taken.
    const std::uint8_t* Find(std::int32_t n) const
    {
        auto found = std::find(blocks_.begin(), blocks_.end(), n);
        if (found == blocks_.end())
            return nullptr;
        return bytes_.data() + static_cast<std::size_t>(found - blocks_.begin()) * BlockSize;
    }

private:
    std::vector<std::int32_t> blocks_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace tolvane
