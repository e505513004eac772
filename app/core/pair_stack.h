// A stack of (value, extra) pairs: the extract's walk over the generations of a family tree. It grows as
// needed, so no pair is ever dropped.
#pragma once

#include <cstdint>
#include <vector>

class PairStack {
public:
    void Clear() { pairs_.clear(); }
    void Push(std::uint32_t value, std::uint32_t extra) { pairs_.push_back({value, extra}); }
    void PushValue(std::uint32_t value) { Push(value, 0); }
    // The value of the top pair, which is removed; 0 when empty.
    std::uint32_t Pop();
    // The extra word of the pair popped last.
    std::uint32_t GetPoppedExtra() const { return poppedExtra_; }
    std::size_t Count() const { return pairs_.size(); }

private:
    struct Pair {
        std::uint32_t value;
        std::uint32_t extra;
    };
    std::vector<Pair> pairs_;
    std::uint32_t poppedExtra_ = 0;
};
