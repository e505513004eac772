#include "core/pair_stack.h"

std::uint32_t PairStack::Pop()
{
    if (pairs_.empty())
        return 0;
    Pair top = pairs_.back();
    pairs_.pop_back();
    poppedExtra_ = top.extra;
    return top.value;
}
