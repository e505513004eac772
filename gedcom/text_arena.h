// Texts of the record stores: each stored once in a block of the conversion's arena, and named by one pointer.
// A file of 100,000 persons holds millions of mostly short or empty texts; as standard strings each would
// cost 32 bytes and a heap block of its own.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pendrax {

// Blocks that texts are appended to and never freed one by one: all of them go with the arena.
class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    // A copy of the bytes, led by their length (four bytes, unaligned).
    const char* Store(std::string_view text);
    // Forgets every text stored: texts taken before must no longer be read. The open block stays for reuse.
    void Clear();
    // The arena that texts are stored in while a conversion runs; a process-wide one outside.
    static TextArena& Current();

private:
    friend class ArenaScope;
    static constexpr size_t kBlockSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_ = 0;
    size_t capacity_ = 0;
};

// Makes an arena the current one for its lifetime.
class ArenaScope {
public:
    explicit ArenaScope(TextArena& arena);
    ~ArenaScope();
    ArenaScope(const ArenaScope&) = delete;
    ArenaScope& operator=(const ArenaScope&) = delete;

private:
    TextArena* previous_;
};

// An immutable text in the current arena; assigning stores a new one (texts built line by line are built as
// standard strings first). Copies share the bytes.
class Text {
public:
    Text() = default;
    Text(std::string_view text) { *this = text; }
    Text& operator=(std::string_view text)
    {
        data_ = text.empty() ? nullptr : TextArena::Current().Store(text);
        return *this;
    }

    std::string_view view() const
    {
        if (!data_)
            return {};
        uint32_t size;
        std::memcpy(&size, data_, sizeof size);
        return {data_ + sizeof size, size};
    }
    operator std::string_view() const { return view(); }
    bool empty() const { return data_ == nullptr; }
    size_t size() const { return view().size(); }
    std::string str() const { return std::string(view()); }
    friend bool operator==(const Text& a, std::string_view b) { return a.view() == b; }

private:
    const char* data_ = nullptr;
};

} // namespace pendrax
