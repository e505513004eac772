#include "gedcom/text_arena.h"

namespace pendrax {

namespace {

TextArena* g_current = nullptr;

} // namespace

const char* TextArena::Store(std::string_view text)
{
    size_t need = sizeof(uint32_t) + text.size();
    if (used_ + need > capacity_) {
        // A text larger than a quarter block gets a block of its own; the current block stays in use.
        size_t size = need > kBlockSize / 4 ? need : kBlockSize;
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        if (size == kBlockSize) {
            used_ = 0;
            capacity_ = size;
        } else {
            char* own = blocks_.back().get();
            if (blocks_.size() >= 2 && capacity_ != 0)
                std::swap(blocks_.back(), blocks_[blocks_.size() - 2]); // the open block stays last
            auto length = static_cast<uint32_t>(text.size());
            std::memcpy(own, &length, sizeof length);
            std::memcpy(own + sizeof length, text.data(), text.size());
            return own;
        }
    }
    char* at = blocks_.back().get() + used_;
    auto length = static_cast<uint32_t>(text.size());
    std::memcpy(at, &length, sizeof length);
    std::memcpy(at + sizeof length, text.data(), text.size());
    used_ += need;
    return at;
}

void TextArena::Clear()
{
    if (capacity_ == 0) {
        blocks_.clear();
        return;
    }
    // The open block is the last one.
    std::unique_ptr<char[]> open = std::move(blocks_.back());
    blocks_.clear();
    blocks_.push_back(std::move(open));
    used_ = 0;
}

TextArena& TextArena::Current()
{
    static TextArena fallback;
    return g_current ? *g_current : fallback;
}

ArenaScope::ArenaScope(TextArena& arena) : previous_(g_current)
{
    g_current = &arena;
}

ArenaScope::~ArenaScope()
{
    g_current = previous_;
}

} // namespace pendrax
