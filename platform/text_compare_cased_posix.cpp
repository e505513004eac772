#include "platform/text_compare_cased.h"

#include "platform/text_compare.h"

namespace platform {

namespace {

bool IsLower(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7);
}

bool IsUpper(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

} // namespace

// The built-in table gives the order of the letters and digits; where it finds the texts equal, the first
// place where they differ decides: a lower-case letter before a capital, else the byte order.
int CompareLocaleTextCased(std::string_view a, std::string_view b)
{
    int primary = text_compare_detail::CompareByTable(a, b);
    if (primary != 0)
        return primary;
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x == y)
            continue;
        if (IsLower(x) && IsUpper(y))
            return -1;
        if (IsUpper(x) && IsLower(y))
            return 1;
        return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace platform
